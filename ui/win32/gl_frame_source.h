#pragma once
// The artifact tester's frames on Windows: a child window over the tester's client area,
// the OpenGL scene on it, and the render thread that draws, reads frames back into the
// store while they are compared, and otherwise turns the model.

#include <windows.h>

#include <string>

#include "hardware/artifacts/frame_source.h"
#include "platform/threading.h"
#include "platform/user_interaction.h"
#include "ui/win32/form_renderer_win32.h"

namespace corvane::ui::win32 {

struct GlFrameSourceSetup {
  Win32FormRenderer& forms;
  platform::Threading& threading;
  platform::UserInteraction& user;
  std::wstring programFolder;  // with a trailing '\'
  // The simulated card's faults (under "/simulate"); none on a real card.
  artifacts::FaultCheck faults{};
};

artifacts::FrameSourceFactory GlFrameSources(GlFrameSourceSetup setup);

}  // namespace corvane::ui::win32
