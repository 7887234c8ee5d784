#include "platform/sim/desktop_icons_sim.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace corvane::platform {

struct SimDesktopState {
  std::vector<SimDesktopIcon> icons;
  uint32_t style = 0x50008A4C;  // visible child list view in icon mode, as the shell makes it
  bool available = true;
  int openViews = 0;
  std::vector<uint32_t> styleChanges;
};

namespace {

class SimDesktopIconView : public DesktopIconView {
 public:
  explicit SimDesktopIconView(std::shared_ptr<SimDesktopState> state) : state_(std::move(state)) {
    ++state_->openViews;
  }
  ~SimDesktopIconView() override { --state_->openViews; }

  int ItemCount() override { return static_cast<int>(state_->icons.size()); }

  std::optional<std::wstring> ItemText(int index) override {
    if (!Valid(index)) return std::nullopt;
    return state_->icons[static_cast<size_t>(index)].text;
  }

  std::optional<IconPosition> ItemPosition(int index) override {
    if (!Valid(index)) return std::nullopt;
    return state_->icons[static_cast<size_t>(index)].position;
  }

  std::optional<int> FindItem(const std::wstring& text) override {
    auto& icons = state_->icons;
    auto found = std::find_if(icons.begin(), icons.end(), [&](const SimDesktopIcon& icon) { return EqualsNoCase(icon.text, text); });
    if (found == icons.end()) return std::nullopt;
    return static_cast<int>(found - icons.begin());
  }

  bool SetItemPosition(int index, IconPosition position) override {
    if (!Valid(index)) return false;
    if (state_->style & kDesktopAutoArrangeStyle) return true;  // arranged straight back
    // The message carries each coordinate in 16 bits.
    position.x = static_cast<int16_t>(position.x);
    position.y = static_cast<int16_t>(position.y);
    state_->icons[static_cast<size_t>(index)].position = position;
    return true;
  }

  uint32_t Style() override { return state_->style; }

  void SetStyle(uint32_t style) override {
    state_->style = style;
    state_->styleChanges.push_back(style);
  }

 private:
  bool Valid(int index) const { return index >= 0 && static_cast<size_t>(index) < state_->icons.size(); }

  std::shared_ptr<SimDesktopState> state_;
};

}  // namespace

SimDesktopIcons::SimDesktopIcons() : state_(std::make_shared<SimDesktopState>()) {}
SimDesktopIcons::~SimDesktopIcons() = default;

std::unique_ptr<DesktopIconView> SimDesktopIcons::Open() {
  if (!state_->available) return nullptr;
  return std::make_unique<SimDesktopIconView>(state_);
}

void SimDesktopIcons::AddIcon(const std::wstring& text, IconPosition position) {
  state_->icons.push_back({text, position});
}

std::vector<SimDesktopIcon> SimDesktopIcons::Icons() const { return state_->icons; }

std::optional<IconPosition> SimDesktopIcons::PositionOf(const std::wstring& text) const {
  for (const SimDesktopIcon& icon : state_->icons) {
    if (icon.text == text) return icon.position;
  }
  return std::nullopt;
}

void SimDesktopIcons::MoveIcon(const std::wstring& text, IconPosition position) {
  for (SimDesktopIcon& icon : state_->icons) {
    if (icon.text == text) {
      icon.position = position;
      return;
    }
  }
}

void SimDesktopIcons::SetStyle(uint32_t style) { state_->style = style; }
uint32_t SimDesktopIcons::Style() const { return state_->style; }
void SimDesktopIcons::SetAvailable(bool available) { state_->available = available; }
int SimDesktopIcons::OpenViews() const { return state_->openViews; }
std::vector<uint32_t> SimDesktopIcons::StyleChanges() const { return state_->styleChanges; }

}  // namespace corvane::platform
