#include "audio/audio_mixer.h"

#include <gtest/gtest.h>

#include "platform/sim/mixer_sim.h"

namespace corvane::audio {
namespace {

using platform::SimMixers;

TEST(AudioMixer, VolumeIsAPercentageOfTheControlsRange) {
  SimMixers mixers;
  TAudioMixer mixer(mixers);
  struct Case {
    int set;
    uint32_t raw;
    int read;
  };
  const Case cases[] = {{50, 32768, 50}, {100, 65535, 100}, {150, 65535, 100}, {-5, 0, 0}, {1, 655, 1}};
  for (const Case& c : cases) {
    mixer.SetVolume(c.set);
    EXPECT_EQ(mixers.values[SimMixers::kVolumeId], c.raw) << c.set;
    EXPECT_EQ(mixer.Volume(), c.read) << c.set;
  }
}

TEST(AudioMixer, TheVolumeHotkeysStopAtTheEndsAndLeaveALineWithoutVolumeAlone) {
  struct Case {
    const char* what;
    bool hasVolume;
    uint32_t start;
    void (*action)(TAudioMixer&);
    uint32_t expected;
  };
  const Case cases[] = {
      {"raise at 100", true, 65535, RaiseMasterVolume, 65535},
      {"lower at 0", true, 0, LowerMasterVolume, 0},
      {"raise at 50", true, 32768, RaiseMasterVolume, 33423},
      {"lower at 50", true, 32768, LowerMasterVolume, 32112},
      {"raise without volume", false, 32768, RaiseMasterVolume, 32768},
      {"lower without volume", false, 32768, LowerMasterVolume, 32768},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimMixers mixers;
    mixers.hasVolume = c.hasVolume;
    mixers.values[SimMixers::kVolumeId] = c.start;
    TAudioMixer mixer(mixers);
    c.action(mixer);
    EXPECT_EQ(mixers.values[SimMixers::kVolumeId], c.expected);
    if (c.start == c.expected) {
      EXPECT_EQ(mixers.setCalls, 0);
    }
  }
}

TEST(AudioMixer, MissingControlsReadAsAbsentAndMuteFlips) {
  SimMixers mixers;
  TAudioMixer mixer(mixers);
  EXPECT_EQ(mixer.Mute(), 0);
  ToggleMasterMute(mixer);
  EXPECT_EQ(mixers.values[SimMixers::kMuteId], 1u);
  EXPECT_EQ(mixer.Mute(), 1);
  ToggleMasterMute(mixer);
  EXPECT_EQ(mixer.Mute(), 0);

  mixers.failQueries = true;
  EXPECT_EQ(mixer.Volume(), -1);
  EXPECT_EQ(mixer.Mute(), 1);

  SimMixers bare;
  bare.hasVolume = bare.hasMute = false;
  TAudioMixer bareMixer(bare);
  EXPECT_EQ(bareMixer.Volume(), -1);
  EXPECT_EQ(bareMixer.Mute(), 1);
  ToggleMasterMute(bareMixer);
  bareMixer.SetVolume(20);
  EXPECT_EQ(bare.setCalls, 0);

  SimMixers none;
  none.present = false;
  TAudioMixer noMixer(none);
  EXPECT_FALSE(noMixer.Open());
  EXPECT_EQ(noMixer.Volume(), -1);
  EXPECT_EQ(noMixer.Mute(), 1);
}

TEST(AudioMixer, AChangeNotificationRereadsTheLine) {
  SimMixers mixers;
  mixers.hasVolume = false;
  TAudioMixer mixer(mixers);
  EXPECT_EQ(mixer.Volume(), -1);
  mixers.hasVolume = true;  // a driver that brings its volume control up late
  mixers.ChangeFromOutside(SimMixers::kVolumeId, 65535);
  EXPECT_EQ(mixer.Volume(), 100);

  mixers.volumeMaximum = 0;  // a range the percentage cannot be taken of
  mixers.ChangeFromOutside(SimMixers::kVolumeId, 5);
  EXPECT_EQ(mixer.Volume(), -1);
}

}  // namespace
}  // namespace corvane::audio
