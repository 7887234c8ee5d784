#include "settings/reg_values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "platform/registry_values.h"
#include "platform/sim/registry_sim.h"
#include "platform/text_encoding.h"

namespace corvane::settings {
namespace {

using platform::RegistryRoot;
namespace RegType = platform::RegType;

const std::wstring kKey = L"\\SOFTWARE\\Test\\Store";

class RegValuesTest : public ::testing::Test {
 protected:
  // One item of every type, plus one in a sub-key and one not auto-stored.
  std::unique_ptr<TRegValues> MakeStore() {
    auto store = std::make_unique<TRegValues>(registry);
    store->Key = kKey;
    store->Items.Add(L"Ratio", TValueType::vtFloat, L"2.5");
    store->Items.Add(L"Flag", TValueType::vtBoolean, L"true");
    store->Items.Add(L"Name", TValueType::vtString, L"c:\\");
    store->Items.Add(L"Count", TValueType::vtInteger, L"60");
    store->Items.Add(L"When", TValueType::vtDateTime, L"2000-01-01");
    store->Items.Add(L"Latency", TValueType::vtInteger, L"0").SetSubKey(L"\\Profiles\\Hardware");
    store->Items.Add(L"Scratch", TValueType::vtString, L"").SetAutoStore(false);
    return store;
  }

  std::optional<platform::RegistryValue> Stored(const std::wstring& name, const std::wstring& path = kKey) {
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, path, false);
    return key ? key->ReadValue(name) : std::nullopt;
  }

  void Store(const std::wstring& name, uint32_t type, std::vector<uint8_t> bytes) {
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, kKey, true);
    ASSERT_TRUE(key->WriteValue(name, type, bytes));
  }

  static std::vector<uint8_t> DoubleBytes(double v) {
    std::vector<uint8_t> bytes(8);
    std::memcpy(bytes.data(), &v, 8);
    return bytes;
  }

  platform::SimRegistry registry;
};

TEST_F(RegValuesTest, MissingValuesLoadDefaultsAndSaveWithTheirStoredTypes) {
  auto store = MakeStore();
  store->LoadAll();
  EXPECT_EQ(store->GetFloat(L"ratio"), 2.5);
  EXPECT_TRUE(store->GetBool(L"FLAG"));
  EXPECT_EQ(store->GetString(L"Name"), L"c:\\");
  EXPECT_EQ(store->GetInteger(L"Count"), 60);
  EXPECT_EQ(Stored(L"Count"), std::nullopt) << "loading alone writes nothing";

  store->SaveAll();
  EXPECT_EQ(Stored(L"Ratio")->type, RegType::Binary);
  EXPECT_EQ(Stored(L"Ratio")->data, DoubleBytes(2.5));
  EXPECT_EQ(Stored(L"Flag")->type, RegType::Dword);
  EXPECT_EQ(Stored(L"Flag")->data, (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(Stored(L"Name")->type, RegType::String);
  EXPECT_EQ(Stored(L"Count")->data, (std::vector<uint8_t>{60, 0, 0, 0}));
  EXPECT_EQ(Stored(L"When")->type, RegType::Binary);
  EXPECT_EQ(Stored(L"When")->data, DoubleBytes(36526));
  EXPECT_TRUE(Stored(L"Scratch").has_value()) << "save all ignores AutoStore";
}

TEST_F(RegValuesTest, StoredValuesWinOverDefaults) {
  Store(L"Count", RegType::Dword, {0xFF, 0xFF, 0xFF, 0xFF});
  Store(L"Flag", RegType::Dword, {0, 0, 0, 0});
  Store(L"Ratio", RegType::Binary, DoubleBytes(-1.25));
  auto store = MakeStore();
  store->LoadAll();
  EXPECT_EQ(store->GetInteger(L"Count"), -1);
  EXPECT_FALSE(store->GetBool(L"Flag"));
  EXPECT_EQ(store->GetFloat(L"Ratio"), -1.25);
}

TEST_F(RegValuesTest, WrongTypedOrSizedDataKeepsTheDefaultAndIsRewrittenCorrectly) {
  Store(L"Count", RegType::String, platform::ToUtf16LeBytes(L"61"));
  Store(L"Flag", RegType::Binary, {1});
  Store(L"Ratio", RegType::Binary, {1, 2, 3});
  Store(L"When", RegType::Binary, {1, 2, 3, 4});
  Store(L"Name", RegType::Dword, {1, 0, 0, 0});
  Store(L"Ratio2", RegType::Binary, DoubleBytes(std::numeric_limits<double>::quiet_NaN()));
  auto store = MakeStore();
  store->Items.Add(L"Ratio2", TValueType::vtFloat, L"3");
  ASSERT_NO_THROW(store->LoadAll());
  EXPECT_EQ(store->GetInteger(L"Count"), 60);
  EXPECT_TRUE(store->GetBool(L"Flag"));
  EXPECT_EQ(store->GetFloat(L"Ratio"), 2.5);
  EXPECT_EQ(store->GetFloat(L"Ratio2"), 3.0);
  EXPECT_EQ(std::get<TDateTime>(store->GetValue(L"When")).days, 36526);
  EXPECT_EQ(store->GetString(L"Name"), L"c:\\");

  store->SaveAutoStored();
  EXPECT_EQ(Stored(L"Count")->type, RegType::Dword);
  EXPECT_EQ(Stored(L"Ratio")->data.size(), 8u);
  EXPECT_EQ(Stored(L"When")->data.size(), 8u);
  EXPECT_EQ(Stored(L"Name")->type, RegType::String);
}

TEST_F(RegValuesTest, SubKeyItemsLiveUnderKeyPlusSubKey) {
  const std::wstring hardware = kKey + L"\\Profiles\\Hardware";
  {
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, hardware, true);
    platform::WriteRegDword(*key, L"Latency", 64);
    platform::WriteRegDword(*key, L"Count", 1);  // not this item's key
  }
  auto store = MakeStore();
  store->LoadAll();
  EXPECT_EQ(store->GetInteger(L"Latency"), 64);
  EXPECT_EQ(store->GetInteger(L"Count"), 60);
  store->SetValue(L"Latency", int32_t{32});
  store->SaveAll();
  EXPECT_EQ(Stored(L"Latency", hardware)->data[0], 32);
  EXPECT_EQ(Stored(L"Latency"), std::nullopt);
}

TEST_F(RegValuesTest, KeyThatFailsToOpenFiresTheEventAndKeepsTheMemoryValue) {
  auto store = MakeStore();
  int failures = 0;
  for (size_t i = 0; i < store->Items.Count(); ++i) store->Items[i].OnErrorOpenKey = [&](TRegValue&) { ++failures; };
  store->SetValue(L"Count", int32_t{5});
  registry.FailOpen(RegistryRoot::CurrentUser, kKey);
  store->LoadAll();
  EXPECT_EQ(store->GetInteger(L"Count"), 5);
  EXPECT_EQ(failures, 6) << "every item but the one in a sub-key";
  store->SaveAll();
  EXPECT_EQ(failures, 12);
  registry.ClearFailures();
  EXPECT_EQ(Stored(L"Count"), std::nullopt);
  EXPECT_TRUE(Stored(L"Latency", kKey + L"\\Profiles\\Hardware").has_value());
}

TEST_F(RegValuesTest, WithoutCanCreateAMissingKeyIsAnOpenFailure) {
  auto store = MakeStore();
  store->CanCreate = false;
  bool failed = false;
  store->Items[0].OnErrorOpenKey = [&](TRegValue& sender) { failed = sender.ValueName() == L"Ratio"; };
  store->SaveAll();
  EXPECT_TRUE(failed);
  EXPECT_EQ(registry.OpenKey(RegistryRoot::CurrentUser, kKey, false), nullptr);
}

TEST_F(RegValuesTest, GetDefValueEventFillsMissingValues) {
  auto store = MakeStore();
  store->Items[3].OnGetDefValueEvent = [](TRegValue&, Value& value) { value = std::wstring(L"99"); };
  store->LoadAll();
  EXPECT_EQ(store->GetInteger(L"Count"), 99);
}

TEST_F(RegValuesTest, UnknownNamesRaiseENameInvalid) {
  auto store = MakeStore();
  try {
    store->GetValue(L"NoSuchValue");
    FAIL();
  } catch (const ENameInvalid& e) {
    EXPECT_EQ(e.Message(), L"无效的数值名!NoSuchValue");
  }
  EXPECT_THROW(store->SetValue(L"", true), ENameInvalid);
}

TEST_F(RegValuesTest, DestroyingSavesOnlyAutoStoredValuesAndOnlyWithAutoSave) {
  {
    auto store = MakeStore();
    store->SetValue(L"Scratch", std::wstring(L"x"));
    store->SetValue(L"Name", std::wstring(L"d:\\games"));
  }
  EXPECT_EQ(platform::FromUtf16LeBytes(Stored(L"Name")->data), L"d:\\games");
  EXPECT_EQ(Stored(L"Scratch"), std::nullopt);
  {
    auto store = MakeStore();
    store->AutoSave = false;
    store->SetValue(L"Name", std::wstring(L"e:\\"));
  }
  EXPECT_EQ(platform::FromUtf16LeBytes(Stored(L"Name")->data), L"d:\\games");
}

TEST_F(RegValuesTest, WriteFailuresAreSwallowed) {
  auto store = MakeStore();
  registry.FailWrites(true);
  EXPECT_NO_THROW(store->SaveAll());
  registry.FailWrites(false);
  EXPECT_EQ(Stored(L"Count"), std::nullopt);
}

TEST_F(RegValuesTest, SettingConvertsToTheItemTypeOrRaises) {
  auto store = MakeStore();
  store->SetValue(L"Count", std::wstring(L"12"));
  EXPECT_EQ(store->GetValue(L"Count"), Value{int32_t{12}});
  store->SetValue(L"Flag", std::wstring(L"1"));
  EXPECT_FALSE(store->GetBool(L"Flag"));
  EXPECT_THROW(store->SetValue(L"Count", std::wstring(L"many")), EConvertError);
  EXPECT_EQ(store->GetInteger(L"Count"), 12);
}

TEST_F(RegValuesTest, DefValueReadsBackAsText) {
  auto store = MakeStore();
  EXPECT_EQ(store->Items[1].DefValue(), L"TRUE");
  store->Items[1].SetDefValue(L"1");
  EXPECT_EQ(store->Items[1].DefValue(), L"FALSE");
  EXPECT_EQ(store->Items[3].DefValue(), L"60");
}

}  // namespace
}  // namespace corvane::settings
