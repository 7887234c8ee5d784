// The program's settings through the real registry (Wine's under test): every value
// must land with the type other tools and older versions expect, and read back.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/program_settings.h"
#include "platform/win32/test_probes.h"
#include "platform/win32/registry_win32.h"

namespace corvane::settings {
namespace {

const std::wstring kTestKey = L"\\SOFTWARE\\CorvaneTest\\ProgramSettings";

using platform::testing::kRegBinary;
using platform::testing::kRegDword;
using platform::testing::kRegString;

std::optional<platform::testing::RawRegistryValue> ReadRaw(const std::wstring& subKey, const std::wstring& name) {
  return platform::testing::ReadRawRegistryValue(HKEY_CURRENT_USER, subKey, name);
}

std::unique_ptr<TRegValues> MakeStore(platform::Registry& registry) {
  auto store = std::make_unique<TRegValues>(registry);
  DeclareProgramSettings(*store);
  store->Key = kTestKey;
  store->Items.Add(L"SavedAt", TValueType::vtDateTime, L"2000-01-01");
  store->Loaded();
  return store;
}

// A value other than the default for every item, so a lost write shows.
Value Changed(const TRegValue& item, size_t index) {
  switch (item.ValueType()) {
    case TValueType::vtFloat: return 1000.25 + static_cast<double>(index);
    case TValueType::vtBoolean: return !std::get<bool>(item.Default());
    case TValueType::vtString: return L"值 " + std::to_wstring(index);
    case TValueType::vtInteger: return static_cast<int32_t>(-1000 - static_cast<int32_t>(index));
    case TValueType::vtDateTime: return TDateTime{46363.5};
  }
  return Value{};
}

TEST(ProgramSettingsWin32, EveryValueRoundTripsThroughTheRegistryWithItsStoredType) {
  platform::Win32Registry registry;
  registry.DeleteKey(platform::RegistryRoot::CurrentUser, kTestKey);

  std::vector<Value> expected;
  {
    auto store = MakeStore(registry);
    ASSERT_EQ(store->Items.Count(), 51u);
    for (size_t i = 0; i < store->Items.Count(); ++i) {
      EXPECT_EQ(store->Items[i].Current(), store->Items[i].Default()) << "missing values load their defaults";
      store->Items[i].SetCurrent(Changed(store->Items[i], i));
      expected.push_back(store->Items[i].Current());
    }
  }  // destroying the store writes the auto-stored values

  const std::wstring mainKey = kTestKey.substr(1);
  const std::wstring hardwareKey = mainKey + L"\\Profiles\\Hardware";
  auto reader = MakeStore(registry);
  for (size_t i = 0; i < reader->Items.Count(); ++i) {
    const TRegValue& item = reader->Items[i];
    SCOPED_TRACE(testing::Message() << "item " << i);
    EXPECT_EQ(item.Current(), expected[i]);
    auto raw = ReadRaw(item.SubKey().empty() ? mainKey : hardwareKey, item.ValueName());
    ASSERT_TRUE(raw.has_value());
    switch (item.ValueType()) {
      case TValueType::vtFloat:
      case TValueType::vtDateTime:
        EXPECT_EQ(raw->type, kRegBinary);
        EXPECT_EQ(raw->data.size(), 8u);
        break;
      case TValueType::vtBoolean:
        EXPECT_EQ(raw->type, kRegDword);
        EXPECT_EQ(raw->data, (std::vector<uint8_t>{static_cast<uint8_t>(std::get<bool>(expected[i])), 0, 0, 0}));
        break;
      case TValueType::vtString: EXPECT_EQ(raw->type, kRegString); break;
      case TValueType::vtInteger:
        EXPECT_EQ(raw->type, kRegDword);
        EXPECT_EQ(raw->data.size(), 4u);
        break;
    }
  }
  double deft1 = 0;
  auto raw = ReadRaw(mainKey, L"deft1");
  std::memcpy(&deft1, raw->data.data(), 8);
  EXPECT_EQ(deft1, 1013.25);

  reader->AutoSave = false;
  registry.DeleteKey(platform::RegistryRoot::CurrentUser, kTestKey);
}

}  // namespace
}  // namespace corvane::settings
