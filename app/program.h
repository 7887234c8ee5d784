#pragma once
// The program from process start until it settles: one instance only, settings
// loaded, corvane.ini read, this process announced for a second instance to find.

#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "platform/ports.h"

namespace corvane {

struct ProgramEnvironment {
  platform::Ports& ports;
  std::wstring programFolder;  // with a trailing '\'
  CommandLine commandLine;
  uint32_t processId = 0;
  bool simulate = false;  // "/simulate": the simulated card, driver and displays
};

// Exit code of the process.
int RunProgram(const ProgramEnvironment& environment);

}  // namespace corvane
