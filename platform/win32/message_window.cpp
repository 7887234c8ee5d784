#include "platform/win32/message_window.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <utility>

// The module this code is linked into, so the class belongs to it even inside a DLL.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace corvane::platform {
namespace {

constexpr wchar_t kClassName[] = L"CorvaneMessageWindow";

HINSTANCE ThisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace

MessageWindow::Route::Route(std::weak_ptr<Routes> routes, std::shared_ptr<Entry> entry)
    : routes_(std::move(routes)), entry_(std::move(entry)) {}

MessageWindow::Route::~Route() { Remove(); }

MessageWindow::Route& MessageWindow::Route::operator=(Route&& other) noexcept {
  if (this != &other) {
    Remove();
    routes_ = std::move(other.routes_);
    entry_ = std::move(other.entry_);
  }
  return *this;
}

bool MessageWindow::Route::Live() const { return entry_ && !routes_.expired(); }

void MessageWindow::Route::Remove() {
  if (!entry_) return;
  // Marked first: a delivery under way holds its own list of entries and skips this one.
  entry_->active = false;
  if (auto routes = routes_.lock()) std::erase(routes->entries, entry_);
  entry_.reset();
  routes_.reset();
}

MessageWindow::MessageWindow() : threadId_(GetCurrentThreadId()), routes_(std::make_shared<Routes>()) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &MessageWindow::WindowProc;
  wc.hInstance = ThisModule();
  wc.lpszClassName = kClassName;
  // Every UI thread registers; the first registration serves them all.
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "RegisterClassExW");

  // WS_EX_TOOLWINDOW keeps it off the taskbar and Alt+Tab even if something shows it.
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, ThisModule(),
                          routes_.get());
  if (!hwnd_) throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "CreateWindowExW");
}

MessageWindow::~MessageWindow() {
  // Nothing is delivered from here on, even messages sent while the window goes.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

MessageWindow::Route MessageWindow::AddRoute(UINT message, Handler handler) {
  if (!OnUiThread()) throw std::logic_error("MessageWindow::AddRoute called off the UI thread");
  auto entry = std::make_shared<Entry>(Entry{message, std::move(handler)});
  routes_->entries.push_back(entry);
  return Route(routes_, std::move(entry));
}

LRESULT CALLBACK MessageWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* routes = reinterpret_cast<Routes*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!routes) return DefWindowProcW(hwnd, message, wParam, lParam);

  // Handlers may add or remove routes, run modal loops that bring this procedure back in,
  // or destroy the whole window, so deliver from a copy that keeps each entry alive.
  std::vector<std::shared_ptr<Entry>> matching;
  for (const auto& entry : routes->entries)
    if (entry->message == message) matching.push_back(entry);
  if (matching.empty()) return DefWindowProcW(hwnd, message, wParam, lParam);
  for (const auto& entry : matching)
    if (entry->active) entry->handler(wParam, lParam);
  return 0;
}

}  // namespace corvane::platform
