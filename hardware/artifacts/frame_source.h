#pragma once
// What draws the artifact tester's scene and hands its frames to the frame store: on
// Windows an OpenGL renderer with a thread of its own (ui/win32/), in the simulation a
// fixed frame that turns faulty when the simulated card runs above what it takes.

#include <functional>
#include <memory>

#include "hardware/artifacts/frame_store.h"
#include "ui/form.h"

namespace corvane::artifacts {

class FrameSource {
 public:
  virtual ~FrameSource() = default;
  // Runs on the UI thread at every step of the tester's timer, before the frames are
  // compared. A source with a render thread only looks at the card here (hardware is
  // touched from the UI thread alone); the simulation draws its frame now.
  virtual void Step() = 0;
};

// Makes the source for a showing renderer window. Nothing when the scene could not be
// set up; the factory has told the user why.
using FrameSourceFactory = std::function<std::unique_ptr<FrameSource>(ui::TForm& window, FrameStore& store)>;

// Whether the card now makes faults: the simulation's stand-in for clocks set too high.
using FaultCheck = std::function<bool()>;

}  // namespace corvane::artifacts
