#pragma once
// One line of text for whoever started the program: into the standard output it was given
// (a file or a pipe: UTF-8), or onto the console of the process that started it. A program
// started from a shortcut has neither, and the line goes nowhere.

#include <string>

namespace corvane::platform {

void WriteConsoleLine(const std::wstring& line);

}  // namespace corvane::platform
