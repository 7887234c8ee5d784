#pragma once
// The desktop's icon view in the shell's process. List-view requests that carry records
// pass them through a block allocated in that process, since the view can only read and
// write its own memory.

#include "platform/desktop_icons.h"

namespace corvane::platform {

class Win32DesktopIcons : public DesktopIcons {
 public:
  std::unique_ptr<DesktopIconView> Open() override;
};

}  // namespace corvane::platform
