// A plug-in for the Wine tests whose record's name has no terminating zero within its
// field; the host must skip it.
#include <cstring>

#include "plugins/sdk/corvane_plugin.h"

extern "C" {

__declspec(dllexport) void CORVANE_PLUGIN_CALL get_plug_info(PluginInfo* info) {
  info->magic = CORVANE_PLUGIN_MAGIC;
  std::memset(info->name, 'X', sizeof info->name);
  info->kind = CORVANE_PLUGIN_MENU;
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL exec_plugin(void*, HostService) {}

}  // extern "C"
