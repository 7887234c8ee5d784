// corvane.ini as a user or an installer leaves it: any bytes, any line ends, any
// encoding. The program reads its switches from it at start-up.
#include <string>

#include "platform/ini_text.h"
#include "settings/main_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace corvane;
  // The file's bytes as the ANSI reader hands them on, one character each.
  std::wstring text(data, data + size);
  platform::IniText ini(text);
  settings::ReadMainIniSwitches(ini);
  ini.ReadString(L"Main", L"Use_LoadDisplays", L"");
  ini.ReadInteger(L"", L"", 7);
  platform::ParseProfileInteger(text);
  return 0;
}
