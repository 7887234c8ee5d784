#pragma once
// The notification area, simulated: the icons currently shown with their state, and a
// log of every call. Tips are cut as the real record cuts them in a double-byte code page
// (ASCII one byte, anything else two), so tests see what the user would see.

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/notify_icon.h"

namespace corvane::platform {

enum class NotifyIconCall { Add, Modify, Delete, SetFocus };

struct SimNotifyIconCall {
  NotifyIconCall call = NotifyIconCall::Add;
  NotifyIconData data;  // for Delete and SetFocus only the window and the id
  bool result = false;
};

struct SimTrayIcon {
  uint32_t callbackMessage = 0;
  uintptr_t icon = 0;
  std::wstring tip;  // as cut
};

// The longest prefix of `tip` that fits `maxBytes` in a double-byte code page.
std::wstring CutTipLikeDoubleByteCodePage(const std::wstring& tip, size_t maxBytes);

class SimNotifyIcon : public NotifyIcon {
 public:
  SimNotifyIcon();
  ~SimNotifyIcon() override;
  SimNotifyIcon(const SimNotifyIcon&) = delete;
  SimNotifyIcon& operator=(const SimNotifyIcon&) = delete;

  bool Add(const NotifyIconData& data) override;
  bool Modify(const NotifyIconData& data) override;
  bool Delete(WindowHandle window, uint32_t id) override;
  bool SetFocus(WindowHandle window, uint32_t id) override;
  std::unique_ptr<IconImage> ApplicationIcon() override;
  std::unique_ptr<IconImage> IconFromFile(const std::wstring& path) override;
  std::unique_ptr<IconImage> CopyIcon(const IconImage& icon) override;

  // The icon shown for (window, id); null when there is none.
  const SimTrayIcon* Find(WindowHandle window, uint32_t id) const;
  size_t IconCount() const { return icons_.size(); }
  const std::vector<SimNotifyIconCall>& Calls() const { return calls_; }
  // The shell restarted: every icon is gone (the program must add its own again).
  void RestartShell() { icons_.clear(); }
  // IconFromFile loads only files made known here (path compared exactly).
  void AddIconFile(const std::wstring& path);
  // Icon images not yet destroyed; 0 when every copy was released.
  size_t LiveImages() const;

 private:
  std::map<std::pair<WindowHandle, uint32_t>, SimTrayIcon> icons_;
  std::vector<SimNotifyIconCall> calls_;
  std::set<std::wstring> iconFiles_;
  std::shared_ptr<size_t> liveImages_;  // shared with the images, which may outlive this
  uintptr_t nextHandle_ = 0x10010;
};

}  // namespace corvane::platform
