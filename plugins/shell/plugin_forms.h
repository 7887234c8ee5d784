#pragma once
// What a plug-in library needs to show the program's forms from its own code: the Win32
// renderer, the form class registered for the library (and unregistered before it can
// be unloaded), and message boxes.

#include <windows.h>

#include "platform/clock.h"
#include "plugins/sdk/corvane_plugin.h"
#include "platform/win32/user_interaction_win32.h"
#include "ui/form.h"
#include "ui/win32/form_renderer_win32.h"

namespace corvane::plugins {

// The plug-ins' dialogs have no timers; the clock only tells the time.
class DialogClock final : public platform::Clock {
 public:
  uint32_t TickCount() const override;
  platform::CalendarDate Today() const override;
  // Throws std::logic_error: no plug-in form declares a timer.
  std::unique_ptr<platform::Timer> StartTimer(uint32_t intervalMs, bool periodic,
                                              std::function<void()> onTick) override;
};

class PluginForms {
 public:
  PluginForms() = default;
  PluginForms(const PluginForms&) = delete;
  PluginForms& operator=(const PluginForms&) = delete;

  ui::FormContext Context() { return {renderer_, clock_}; }
  platform::UserInteraction& User() { return user_; }

 private:
  // First made, last gone: the form class is forgotten once the renderer's windows are.
  struct FormClassRelease {
    ~FormClassRelease();
  } release_;
  ui::win32::Win32FormRenderer renderer_;
  DialogClock clock_;
  platform::Win32UserInteraction user_;
};

// A plug-in's name in the code page its record is read in (936), from UTF-16.
void FillPluginInfo(PluginInfo* info, const wchar_t* name, uint8_t kind);

}  // namespace corvane::plugins
