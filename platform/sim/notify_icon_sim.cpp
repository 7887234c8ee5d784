#include "platform/sim/notify_icon_sim.h"

namespace corvane::platform {
namespace {

class SimIconImage : public IconImage {
 public:
  SimIconImage(std::shared_ptr<size_t> live, uintptr_t handle) : live_(std::move(live)), handle_(handle) { ++*live_; }
  ~SimIconImage() override { --*live_; }
  uintptr_t Handle() const override { return handle_; }

 private:
  std::shared_ptr<size_t> live_;
  uintptr_t handle_;
};

void Apply(SimTrayIcon& icon, const NotifyIconData& data) {
  if (data.flags & NotifyIconFlag::Message) icon.callbackMessage = data.callbackMessage;
  if (data.flags & NotifyIconFlag::Icon) icon.icon = data.icon;
  if (data.flags & NotifyIconFlag::Tip) icon.tip = CutTipLikeDoubleByteCodePage(data.tip, 63);
}

}  // namespace

std::wstring CutTipLikeDoubleByteCodePage(const std::wstring& tip, size_t maxBytes) {
  size_t bytes = 0;
  size_t length = 0;
  for (wchar_t c : tip) {
    const size_t size = static_cast<uint32_t>(c) < 0x80 ? 1 : 2;
    if (bytes + size > maxBytes) break;
    bytes += size;
    ++length;
  }
  return tip.substr(0, length);
}

SimNotifyIcon::SimNotifyIcon() : liveImages_(std::make_shared<size_t>(0)) {}
SimNotifyIcon::~SimNotifyIcon() = default;

bool SimNotifyIcon::Add(const NotifyIconData& data) {
  const auto key = std::make_pair(data.window, data.id);
  bool result = false;
  if (data.window != 0 && !icons_.count(key)) {
    Apply(icons_[key], data);
    result = true;
  }
  calls_.push_back({NotifyIconCall::Add, data, result});
  return result;
}

bool SimNotifyIcon::Modify(const NotifyIconData& data) {
  auto icon = icons_.find({data.window, data.id});
  const bool result = icon != icons_.end();
  if (result) Apply(icon->second, data);
  calls_.push_back({NotifyIconCall::Modify, data, result});
  return result;
}

bool SimNotifyIcon::Delete(WindowHandle window, uint32_t id) {
  const bool result = icons_.erase({window, id}) != 0;
  NotifyIconData data;
  data.window = window;
  data.id = id;
  calls_.push_back({NotifyIconCall::Delete, data, result});
  return result;
}

bool SimNotifyIcon::SetFocus(WindowHandle window, uint32_t id) {
  const bool result = icons_.count({window, id}) != 0;
  NotifyIconData data;
  data.window = window;
  data.id = id;
  calls_.push_back({NotifyIconCall::SetFocus, data, result});
  return result;
}

std::unique_ptr<IconImage> SimNotifyIcon::ApplicationIcon() {
  return std::make_unique<SimIconImage>(liveImages_, nextHandle_ += 0x10);
}

std::unique_ptr<IconImage> SimNotifyIcon::IconFromFile(const std::wstring& path) {
  if (!iconFiles_.count(path)) return nullptr;
  return std::make_unique<SimIconImage>(liveImages_, nextHandle_ += 0x10);
}

std::unique_ptr<IconImage> SimNotifyIcon::CopyIcon(const IconImage& icon) {
  if (icon.Handle() == 0) return nullptr;
  return std::make_unique<SimIconImage>(liveImages_, nextHandle_ += 0x10);
}

const SimTrayIcon* SimNotifyIcon::Find(WindowHandle window, uint32_t id) const {
  auto icon = icons_.find({window, id});
  return icon == icons_.end() ? nullptr : &icon->second;
}

void SimNotifyIcon::AddIconFile(const std::wstring& path) { iconFiles_.insert(path); }

size_t SimNotifyIcon::LiveImages() const { return *liveImages_; }

}  // namespace corvane::platform
