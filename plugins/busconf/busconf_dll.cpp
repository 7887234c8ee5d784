// busconf.dll: the run-time plug-in "PCI 设置插件". It performs the user's PCI register
// writes when it starts and after every resume, and shows their list when configured.
#include <windows.h>

#include <memory>

#include "platform/win32/registry_win32.h"
#include "plugins/busconf/bus_conf_forms.h"
#include "plugins/busconf/bus_conf_plugin.h"
#include "plugins/sdk/corvane_plugin.h"
#include "plugins/shell/plugin_forms.h"
#include "plugins/shell/plugin_guard.h"

namespace {

// The library's one state, from its first export call until it is unloaded: the host
// calls every export on its main thread.
struct BusConf {
  corvane::platform::Win32Registry registry;
  corvane::busconf::BusConfPlugin plugin{registry};
};

BusConf& State() {
  static BusConf state;
  return state;
}

}  // namespace

using corvane::plugins::Guarded;

extern "C" {

__declspec(dllexport) void CORVANE_PLUGIN_CALL get_plug_info(PluginInfo* info) {
  corvane::plugins::FillPluginInfo(info, L"PCI 设置插件", CORVANE_PLUGIN_RUNTIME);
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL exec_plugin(void* owner, HostService service) {
  Guarded([&] { State().plugin.Exec(reinterpret_cast<corvane::platform::WindowHandle>(owner), service); });
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL done_plugin() {
  Guarded([] { State().plugin.Done(); });
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL suspend_restore() {
  Guarded([] { State().plugin.SuspendRestore(); });
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL config_plugin() {
  Guarded([] {
    corvane::plugins::PluginForms forms;
    corvane::busconf::TfrmBusConf dialog(forms.Context(), State().registry, forms.User());
    dialog.ShowModal();
  });
}

}  // extern "C"
