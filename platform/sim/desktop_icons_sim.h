#pragma once
// The desktop's icon view, simulated: named icons at positions, the view's style, and
// whether the view can be reached at all. With auto-arrange on, the view puts a moved
// icon straight back, as the shell's view does.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop_icons.h"

namespace corvane::platform {

struct SimDesktopIcon {
  std::wstring text;
  IconPosition position;
};

struct SimDesktopState;

class SimDesktopIcons : public DesktopIcons {
 public:
  SimDesktopIcons();
  ~SimDesktopIcons() override;
  SimDesktopIcons(const SimDesktopIcons&) = delete;
  SimDesktopIcons& operator=(const SimDesktopIcons&) = delete;

  std::unique_ptr<DesktopIconView> Open() override;

  void AddIcon(const std::wstring& text, IconPosition position);
  std::vector<SimDesktopIcon> Icons() const;
  // First icon with exactly that text; nothing when none.
  std::optional<IconPosition> PositionOf(const std::wstring& text) const;
  void MoveIcon(const std::wstring& text, IconPosition position);
  void SetStyle(uint32_t style);
  uint32_t Style() const;
  // No view (no "Progman", or its process cannot be opened): Open gives null.
  void SetAvailable(bool available);
  // Views opened and not yet released.
  int OpenViews() const;
  // Every style the program set, in order.
  std::vector<uint32_t> StyleChanges() const;

 private:
  std::shared_ptr<SimDesktopState> state_;
};

}  // namespace corvane::platform
