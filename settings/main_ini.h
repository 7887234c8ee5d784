#pragma once
// The hand-edited installation switches in corvane.ini, section "main". The program
// reads them at start-up and never writes the file.

#include <string>

#include "platform/ini_file.h"

namespace corvane::settings {

struct MainIniSwitches {
  int saveIconPosition = 1;
  int optDisableOvr = 0;  // 1: no overclocking profile applied automatically
  std::wstring helpFile = L"corvane.hlp";  // relative to the program folder
  int hideOgl = 0;  // only the value 1 hides
  int hideD3d = 0;
  int hideTweaks = 0;
  int hideTimings = 0;
  std::wstring updateServer;
  std::wstring fileUrl;
};

inline constexpr wchar_t kMainIniFileName[] = L"corvane.ini";

MainIniSwitches ReadMainIniSwitches(const platform::IniFile& ini);

}  // namespace corvane::settings
