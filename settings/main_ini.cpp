#include "settings/main_ini.h"

namespace corvane::settings {

MainIniSwitches ReadMainIniSwitches(const platform::IniFile& ini) {
  const std::wstring section = L"main";
  const MainIniSwitches defaults;
  MainIniSwitches switches;
  switches.saveIconPosition = ini.ReadInteger(section, L"save_icon_position", defaults.saveIconPosition);
  switches.optDisableOvr = ini.ReadInteger(section, L"opt_disable_ovr", defaults.optDisableOvr);
  switches.helpFile = ini.ReadString(section, L"help_file", defaults.helpFile);
  switches.hideOgl = ini.ReadInteger(section, L"hide_ogl", defaults.hideOgl);
  switches.hideD3d = ini.ReadInteger(section, L"hide_d3d", defaults.hideD3d);
  switches.hideTweaks = ini.ReadInteger(section, L"hide_tweaks", defaults.hideTweaks);
  switches.hideTimings = ini.ReadInteger(section, L"hide_timings", defaults.hideTimings);
  switches.updateServer = ini.ReadString(section, L"update_server", defaults.updateServer);
  switches.fileUrl = ini.ReadString(section, L"fileurl", defaults.fileUrl);
  return switches;
}

}  // namespace corvane::settings
