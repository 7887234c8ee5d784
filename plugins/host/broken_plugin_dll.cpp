// A deliberately broken run-time plug-in for the Wine tests: its exec_plugin faults on a
// null pointer, its done_plugin raises what a Visual C++ plug-in's C++ exception looks
// like from outside, and it has no config_plugin. The host must carry on past all of it.
#include <windows.h>

#include <cstring>

#include "plugins/sdk/corvane_plugin.h"

namespace {
// Visual C++ raises its C++ exceptions as this structured exception.
constexpr DWORD kVisualCppException = 0xE06D7363;
}  // namespace

extern "C" {

__declspec(dllexport) void CORVANE_PLUGIN_CALL get_plug_info(PluginInfo* info) {
  std::memset(info, 0, sizeof *info);
  info->magic = CORVANE_PLUGIN_MAGIC;
  std::strcpy(info->name, "broken");
  info->kind = CORVANE_PLUGIN_RUNTIME;
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL exec_plugin(void*, HostService) {
  volatile int* nowhere = nullptr;
  *nowhere = 1;
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL done_plugin() {
  RaiseException(kVisualCppException, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL suspend_restore() {
  volatile int* nowhere = nullptr;
  *nowhere = 2;
}

}  // extern "C"
