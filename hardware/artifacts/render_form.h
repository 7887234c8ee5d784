#pragma once
// Tfrm3DRender, "3D 渲染": the artifact tester's window. It shows a lit, textured model
// turning; a scan freezes it and compares every frame with a reference taken at the
// start, and any difference is an artifact. The two maximum searches raise the core or
// memory clock through the overclocking dialog's slider and apply button, back off one
// step after artifacts, and end once a clock has held five times after a back-off, or at
// the slider's bound. The timer steps on the UI thread; the frames come from a
// FrameSource.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "hardware/artifacts/frame_source.h"
#include "hardware/artifacts/frame_store.h"
#include "platform/threading.h"
#include "platform/user_interaction.h"
#include "ui/form.h"

namespace corvane::artifacts {

struct RenderContext {
  ui::FormContext forms;
  platform::Threading& threading;
  platform::UserInteraction& user;
  FrameSourceFactory frames;
  // The card carries an ATOM video BIOS: its clock changes take longer to settle, so a
  // search starts with a longer hold.
  bool atomBios = false;
};

// What a search drives in the overclocking dialog: the clock's slider, the apply button,
// and the button that started the search (pressing it again stops the search).
struct SearchControls {
  ui::TComponent& slider;
  ui::TComponent& apply;
  ui::TComponent& start;
};

// How long a clock must stay clean before the next step, in milliseconds.
inline constexpr uint32_t kDefaultThresholdMs = 3000;
inline constexpr uint32_t kAtomThresholdMs = 6000;
inline constexpr uint32_t kThresholdGrowthMs = 400;
// Clean holds after a back-off that end a search.
inline constexpr int kHoldsToFinish = 5;
// After a clock change the card settles this long before a new reference is taken.
inline constexpr uint32_t kSettleMs = 2000;

class Tfrm3DRender final : public ui::TForm {
 public:
  // Shows the window and starts drawing. Rendering() is false when the scene could not be
  // set up; the owner then frees the window again.
  explicit Tfrm3DRender(const RenderContext& context);
  ~Tfrm3DRender() override;

  bool Rendering() const { return source_ != nullptr; }

  void StartScan();
  void StartMemSearch(const SearchControls& controls);
  void StartCoreSearch(const SearchControls& controls);
  void Stop();

  bool Scanning() const { return scanning_; }
  bool Searching() const { return search_.has_value(); }
  uint32_t ThresholdMs() const { return thresholdMs_; }
  int HeldCount() const { return heldCount_; }

 protected:
  // Only the owner closes it.
  bool FormCloseQuery() override { return false; }

 private:
  enum class SearchKind { Core, Memory };
  struct Search {
    SearchKind kind;
    ui::TComponent* slider;
    ui::TComponent* apply;
    ui::TComponent* start;
  };

  void StartSearch(SearchKind kind, const SearchControls& controls);
  void tmRenderTimer(ui::TComponent& sender);
  void Compared(FrameStore::Comparison comparison);
  void CleanFrame(uint32_t elapsedMs);
  void DirtyFrame();
  // Moves the slider one step up or down and applies, further each time until the clock
  // the dialog reads back really moved. False when the slider's bound came first.
  bool StepClock(int direction);
  void AfterClockStep(bool down);
  void EndSearch(const std::wstring& text);
  void Press(ui::TComponent& button);
  void ShowElapsed(uint32_t elapsedMs);

  RenderContext ctx_;
  FrameStore store_;
  std::unique_ptr<FrameSource> source_;
  std::optional<Search> search_;
  bool scanning_ = false;
  bool waiting_ = false;
  bool steppedDown_ = false;
  int heldCount_ = 0;
  uint32_t thresholdMs_ = kDefaultThresholdMs;
  uint32_t startTick_ = 0;
};

}  // namespace corvane::artifacts
