#include "plugins/shell/plugin_forms.h"

#include <cstring>
#include <stdexcept>

namespace corvane::plugins {

uint32_t DialogClock::TickCount() const { return GetTickCount(); }

platform::CalendarDate DialogClock::Today() const {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay};
}

std::unique_ptr<platform::Timer> DialogClock::StartTimer(uint32_t, bool, std::function<void()>) {
  throw std::logic_error("plug-in dialogs have no timers");
}

PluginForms::FormClassRelease::~FormClassRelease() { ui::win32::UnregisterFormClass(); }

void FillPluginInfo(PluginInfo* info, const wchar_t* name, uint8_t kind) {
  if (!info) return;
  std::memset(info, 0, sizeof *info);
  info->magic = CORVANE_PLUGIN_MAGIC;
  // One byte short of the field: the terminating zero stays.
  WideCharToMultiByte(936, 0, name, -1, info->name, sizeof info->name - 1, nullptr, nullptr);
  info->name[sizeof info->name - 1] = '\0';
  info->kind = kind;
}

}  // namespace corvane::plugins
