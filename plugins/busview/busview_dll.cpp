// busview.dll: the menu plug-in "PCI 信息". It lists the PCI functions the host service
// finds and returns when its dialog closes; the host unloads it afterwards.
#include <windows.h>

#include "plugins/busview/bus_view_form.h"
#include "plugins/sdk/corvane_plugin.h"
#include "plugins/shell/plugin_forms.h"

extern "C" {

__declspec(dllexport) void CORVANE_PLUGIN_CALL get_plug_info(PluginInfo* info) {
  corvane::plugins::FillPluginInfo(info, L"PCI 信息", CORVANE_PLUGIN_MENU);
}

__declspec(dllexport) void CORVANE_PLUGIN_CALL exec_plugin(void*, HostService service) {
  // Nothing may unwind into the host: its frames know nothing of this library's exceptions.
  try {
    corvane::plugins::PluginForms forms;
    corvane::busview::TfrmBusView dialog(forms.Context(), service);
    dialog.ShowModal();
  } catch (...) {
  }
}

}  // extern "C"
