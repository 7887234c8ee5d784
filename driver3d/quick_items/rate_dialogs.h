#pragma once
// The two choices the quick items ask for in the selection dialog: a custom full-screen
// refresh rate, and the frame rate above which temporal anti-aliasing works.

#include <cstdint>
#include <optional>
#include <string>

#include "driver3d/quick_items/quick_3d_items.h"

namespace corvane::driver3d {

// The refresh rates on offer, the desktop's preselected; nothing on Cancel.
std::optional<uint32_t> ChooseCustomRefreshRate(Quick3DContext& ctx);

// 10 to 50 frames per second and the refresh rates, `current` preselected; the choice as
// the decimal text the driver keeps, nothing on Cancel.
std::optional<std::wstring> ChooseFrameThreshold(Quick3DContext& ctx, const std::wstring& current);

}  // namespace corvane::driver3d
