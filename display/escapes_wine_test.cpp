// The display operations on the real escape channel under Wine, which answers the ATI
// escape with 0 and writes nothing: everything must come out as "not supported".

#include <gtest/gtest.h>

#include "display/display_support.h"
#include "display/driver_settings.h"
#include "display/escape_calls.h"
#include "display/mode_choice.h"
#include "display/rotation.h"
#include "platform/win32/display_devices_win32.h"
#include "platform/win32/driver_escape_win32.h"

namespace corvane::display {
namespace {

// Nothing may be written to the machine's registry or shown to the user here.
class NoRegistry : public platform::Registry {
 public:
  std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot, const std::wstring&, bool) override {
    ++opens;
    return nullptr;
  }
  bool DeleteKey(platform::RegistryRoot, const std::wstring&) override { return false; }
  int opens = 0;
};

class NoUser : public platform::UserInteraction {
 public:
  platform::MessageAnswer ShowMessage(const platform::MessageBoxRequest&) override {
    ++shown;
    return platform::MessageAnswer::Ok;
  }
  int shown = 0;
};

TEST(EscapesUnderWine, EverythingReadsAsUnsupported) {
  platform::Win32DriverEscape escapes;
  platform::Win32DriverLibrary library;
  platform::Win32DisplayDevices devices;
  NoRegistry registry;
  NoUser user;
  std::optional<platform::IndexedDisplayDevice> primary = platform::FindPrimaryDisplayDevice(devices);
  ASSERT_TRUE(primary);
  DisplayEnvironment env{escapes, library, devices, registry, user, primary->device.name, L"Software\\None", {}, {}};
  RefreshCurrentDisplayMode(env);
  const platform::DisplayMode before = env.currentMode;

  const DisplaySupport support = DetectDisplaySupport(env);
  EXPECT_TRUE(support.DisplayUnsupported);
  EXPECT_EQ(support.TvDisplayIndex, 2u);
  EXPECT_EQ(GetCurrentRotation(env), Rotation::Unknown);
  {
    EscapeContext dc(escapes, env.deviceName);
    ASSERT_TRUE(dc.Open());
    EXPECT_EQ(QueryConnectedDisplays(dc), 0u);
    EXPECT_FALSE(QueryOverlayAvailable(dc));
    EXPECT_FALSE(GetBiosInfo(dc));
    EXPECT_FALSE(GetDisplayLimits(dc, 0));
    EXPECT_FALSE(GetOverlayRange(dc, OverlayProperty::Brightness));
    EXPECT_EQ(GetControllerConfig(dc, 0), ControllerConfig{});
  }
  ControllerConfig config;
  std::vector<CandidateMode> candidates;
  EXPECT_FALSE(ChooseMode(env, DisplayBit::FirstMonitor, 4096, config, candidates));
  EXPECT_EQ(PersistDriverSettings(env), 0u);

  int confirmations = 0;
  SetDesktopRotation(env, Rotation::Right90, [&] {
    ++confirmations;
    return true;
  });
  EXPECT_EQ(confirmations, 0);
  EXPECT_EQ(user.shown, 0);
  RefreshCurrentDisplayMode(env);
  EXPECT_EQ(env.currentMode, before);

  SetExtendedDesktop(env, true);  // no atipdlxx.dll: nothing happens
  EXPECT_EQ(registry.opens, 2);   // the two persists above found no key and wrote nothing
}

}  // namespace
}  // namespace corvane::display
