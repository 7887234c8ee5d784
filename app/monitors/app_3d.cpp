#include "app/monitors/app_3d.h"

namespace corvane::monitors {

std::unique_ptr<TApp3d> TApp3d::Start(platform::Threading& threading, platform::Dispatcher& dispatcher,
                                      platform::Shell& shell, uint32_t processId, std::function<void()> onEnded) {
  std::unique_ptr<platform::Process> process = shell.OpenProcess(processId);
  if (process) {
    // The same wait as a profiled game's.
    if (auto wait = games::TRunGame::Start(threading, dispatcher, std::move(process), onEnded))
      return std::unique_ptr<TApp3d>(new TApp3d(std::move(wait)));
  }
  onEnded();
  return nullptr;
}

}  // namespace corvane::monitors
