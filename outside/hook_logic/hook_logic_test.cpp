// The hook libraries' decisions as the program and the user see them: which keystrokes are
// reported and kept from the foreground window, the bytes of the two reports, the locked
// refresh rate a mode change gets and the update address.
#include <gtest/gtest.h>

#include <vector>

#include "outside/hook_logic/key_filter.h"
#include "outside/hook_logic/refresh_lock.h"
#include "outside/hook_logic/reports.h"
#include "outside/hook_logic/update_url.h"

namespace corvane::outside {
namespace {

constexpr uint8_t kF5 = 0x74, kA = 0x41, kLeftShift = 0xA0;

// Ctrl+Alt+F5 (code 49268) and plain A (65) are bound; the other values are not usable.
KeyTable StoredTable() {
  return KeyTable::FromStoredValues({{L"s_49268", L"12:"},
                                     {L"s_65", L"3:notepad.exe"},
                                     {L"s_66", L"99:"},        // no such action
                                     {L"s_x67", L"1:"},        // no code
                                     {L"s_70000", L"1:"},      // beyond 16 bits
                                     {L"s_8260", L"no colon"}});
}

TEST(KeyFilter, ReportsExactlyTheStoredCombinationsAndKeepsTheirKeyUp) {
  struct Stroke {
    uint8_t key;
    bool down;
    Modifiers modifiers;
    KeyVerdict verdict;
    uint16_t code;
  };
  const Modifiers none{}, ctrlAlt{false, true, true}, ctrlAltShift{true, true, true};
  const std::vector<Stroke> strokes = {
      {kF5, true, ctrlAlt, KeyVerdict::Report, 49268},
      {kF5, true, ctrlAlt, KeyVerdict::Report, 49268},  // auto-repeat reports again
      {kF5, false, none, KeyVerdict::Swallow, 0},
      {kF5, false, none, KeyVerdict::Pass, 0},  // only the one key-up that was kept back
      {kF5, true, ctrlAltShift, KeyVerdict::Pass, 0},
      {kF5, true, none, KeyVerdict::Pass, 0},
      {kA, true, none, KeyVerdict::Report, 65},
      {kA, true, {true, false, false}, KeyVerdict::Pass, 0},
      {kA, false, {true, false, false}, KeyVerdict::Swallow, 0},
      {0x42, true, none, KeyVerdict::Pass, 0},  // stored with an unknown action
      {0x43, true, none, KeyVerdict::Pass, 0},
      {kLeftShift, true, none, KeyVerdict::Pass, 0},
      {kLeftShift, false, none, KeyVerdict::Pass, 0},
  };
  const KeyTable table = StoredTable();
  KeyFilter filter;
  for (size_t i = 0; i < strokes.size(); ++i) {
    const Stroke& s = strokes[i];
    const KeyDecision decision = filter.Decide(table, s.key, s.down, [&] { return s.modifiers; });
    EXPECT_EQ(decision.verdict, s.verdict) << "stroke " << i;
    EXPECT_EQ(decision.code, s.code) << "stroke " << i;
  }
}

TEST(Reports, KeyReportCarriesTheCodeAndPendingSet) {
  std::vector<uint8_t> mapping(kReportMappingSize, 0xEE);
  ASSERT_TRUE(WriteKeyReport(mapping, 0xC074));
  EXPECT_EQ(std::vector<uint8_t>(mapping.begin(), mapping.begin() + 6), (std::vector<uint8_t>{1, 0, 0, 0, 0x74, 0xC0}));
  EXPECT_EQ(mapping[6], 0xEE);
  std::vector<uint8_t> small(100, 0);
  EXPECT_FALSE(WriteKeyReport(small, 1));
  EXPECT_EQ(small, std::vector<uint8_t>(100, 0));
}

TEST(Reports, AppReportLayout) {
  std::vector<uint8_t> mapping(kReportMappingSize, 0xEE);
  ASSERT_TRUE(WriteAppReport(mapping, {"C:\\Games\\q3.exe", 0x01020304, true, false}));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(mapping.data())), "C:\\Games\\q3.exe");
  EXPECT_EQ(mapping[255], 0) << "the rest of the old text is cleared";
  EXPECT_EQ(std::vector<uint8_t>(mapping.begin() + 256, mapping.begin() + 268),
            (std::vector<uint8_t>{4, 3, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0}));
  ASSERT_TRUE(WriteAppReport(mapping, {std::string(400, 'a'), 7, false, true}));
  EXPECT_EQ(mapping[254], 'a');
  EXPECT_EQ(mapping[255], 0) << "always terminated";
  EXPECT_EQ(mapping[264], 1);
}

bool Gbk(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

TEST(Reports, ExecutableTextFitsWithoutSplittingCharacters) {
  const std::string longFolder = "C:\\" + std::string(300, 'd') + "\\";
  const std::string wideName(254, '\xB5');  // 127 double-byte characters
  struct Case {
    std::string path;
    std::string text;
  } cases[] = {
      {"C:\\Games\\q3.exe", "C:\\Games\\q3.exe"},
      {longFolder + "game.exe", "game.exe"},
      {"C:\\" + std::string(252, 'a'), "C:\\" + std::string(252, 'a')},
      {std::string(254, 'a') + "\xB5\xB6", std::string(254, 'a')},  // the last character would not fit
      {longFolder + "\xB5\\" + "x.exe", "\xB5\\x.exe"},  // a trail byte is no separator
      {"C:\\" + std::string(300, '\xB5') + "\\" + wideName + "\xB5\xB6", wideName},
      {std::string("a.exe\0junk", 10), "a.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExecutableReportText(c.path, Gbk), c.text) << c.path.size();
}

StoredValue Dword(std::wstring name, uint32_t rate) {
  return {std::move(name), kRegDword, {uint8_t(rate), uint8_t(rate >> 8), uint8_t(rate >> 16), uint8_t(rate >> 24)}};
}

TEST(RefreshLock, ALockedResolutionGetsItsRateWhateverTheProgramAsks) {
  const RefreshLockTable table = RefreshLockTable::FromStoredValues({
      Dword(L"1024x768x32", 85),
      Dword(L"800X600X16", 100),
      Dword(L"640x480x32", 0),                          // 0 locks nothing
      {L"1280x1024x32", 1, {'7', 0, '5', 0, 0, 0}},  // a string is no lock
      {L"1152x864x32", kRegDword, {75, 0}},            // short data
      Dword(L"1024x768", 60),
      Dword(L"x768x32", 60),
      Dword(L"1024x768x32x1", 60),
      Dword(L"-1x768x32", 60),
  });
  const Resolution current{1024, 768, 32};
  constexpr uint32_t all = kDmPelsWidth | kDmPelsHeight | kDmBitsPerPel;
  struct Case {
    ModeRequest asked;
    bool changed;
    uint32_t frequency;
  } cases[] = {
      {{all, 1024, 768, 32, 60}, true, 85},
      {{all | kDmDisplayFrequency, 1024, 768, 32, 60}, true, 85},
      {{all | kDmDisplayFrequency, 1024, 768, 32, 85}, false, 85},
      {{kDmPelsWidth | kDmPelsHeight, 1024, 768, 0, 0}, true, 85},  // depth of the current mode
      {{kDmPelsWidth | kDmPelsHeight | kDmBitsPerPel, 800, 600, 16, 0}, true, 100},
      {{all, 800, 600, 32, 0}, false, 0},
      {{all, 640, 480, 32, 60}, false, 60},
      {{all, 1280, 1024, 32, 60}, false, 60},
      {{all, 1152, 864, 32, 60}, false, 60},
      {{kDmBitsPerPel, 0, 0, 16, 0}, false, 0},
  };
  for (const Case& c : cases) {
    ModeRequest request = c.asked;
    EXPECT_EQ(ApplyRefreshLock(table, current, request), c.changed) << c.asked.width << "x" << c.asked.height;
    EXPECT_EQ(request.frequency, c.frequency) << c.asked.width << "x" << c.asked.height;
    if (c.changed) {
      EXPECT_TRUE(request.fields & kDmDisplayFrequency);
    }
  }
}

TEST(UpdateUrl, BuiltFromServerAndFile) {
  struct Case {
    const char* server;
    const char* file;
    std::optional<std::string> url;
  } cases[] = {
      {"updates.example.org", "corvane/update.ini", "http://updates.example.org/corvane/update.ini"},
      {"http://host:8080/", "/update.ini", "http://host:8080/update.ini"},
      {"HTTPS://host", "u.ini", "HTTPS://host/u.ini"},
      {" host ", " u.ini ", "http://host/u.ini"},
      {"", "http://mirror/u.ini", "http://mirror/u.ini"},
      {"", "u.ini", std::nullopt},
      {"host", "", std::nullopt},
      {"host", "/", std::nullopt},
      {"ftp://host", "u.ini", std::nullopt},
      {"host", "u .ini", std::nullopt},
      {"ho\nst", "u.ini", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildUpdateUrl(c.server, c.file), c.url) << c.server << " + " << c.file;
}

}  // namespace
}  // namespace corvane::outside
