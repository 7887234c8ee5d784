#pragma once
// Behaviour every registry adapter shares: run on the simulation natively and on the
// real registry under Wine, so the simulation answers as the registry does. Include
// from one test file per executable and instantiate with an Env type that has a
// `registry` member and a `base` path under HKEY_CURRENT_USER, removed when destroyed.
// Stores enumerate in different orders (Windows sorts sub-keys, Wine sorts values too,
// the simulation keeps creation order), so names are compared as sets.

#include <functional>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_values.h"
#include "platform/text_encoding.h"

namespace corvane::platform {

template <typename Env>
class RegistryContract : public ::testing::Test {
 protected:
  static constexpr RegistryRoot kRoot = RegistryRoot::CurrentUser;

  Registry& registry() { return env_.registry; }
  std::wstring Path(const std::wstring& relative) const { return env_.base + L"\\" + relative; }
  const std::wstring& Base() const { return env_.base; }
  std::unique_ptr<RegistryKey> Create(const std::wstring& relative) {
    return registry().OpenKey(kRoot, Path(relative), true);
  }
  std::unique_ptr<RegistryKey> Open(const std::wstring& relative) {
    return registry().OpenKey(kRoot, Path(relative), false);
  }

  static std::vector<std::wstring> SortedNoCase(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return UpperAscii(a) < UpperAscii(b); });
    return names;
  }

 private:
  Env env_;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, CreatesMissingLevelsAndOpensByAnySpellingOfThePath) {
  auto& registry = this->registry();
  EXPECT_EQ(this->Open(L"Alpha\\Beta\\Gamma"), nullptr);
  auto created = this->Create(L"Alpha\\Beta\\Gamma");
  ASSERT_NE(created, nullptr);
  ASSERT_TRUE(WriteRegDword(*created, L"Level", 3));

  for (const std::wstring& spelling :
       {L"\\" + UpperAscii(this->Path(L"alpha\\BETA\\gamma")), this->Base() + L"\\\\Alpha\\\\Beta\\Gamma\\"}) {
    SCOPED_TRACE(ToUtf8(spelling));
    auto opened = registry.OpenKey(this->kRoot, spelling, false);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(ReadRegDword(*opened, L"LEVEL"), 3u);
  }

  // Creating an existing key under another spelling opens it and keeps the first name.
  auto again = this->Create(L"ALPHA\\BETA");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->SubKeyNames(), std::vector<std::wstring>{L"Gamma"});
  auto base = this->Open(L"");
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->SubKeyNames(), std::vector<std::wstring>{L"Alpha"});
}

TYPED_TEST_P(RegistryContract, KeepsAnyTypeAndAnySizeAsRawBytes) {
  auto key = this->Create(L"Values");
  ASSERT_NE(key, nullptr);

  std::vector<uint8_t> big(256 * 1024);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7 + i / 251);
  struct Case {
    const wchar_t* name;
    uint32_t type;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {L"EmptyBinary", RegType::Binary, {}},
      {L"EmptyString", RegType::String, {}},
      {L"Qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
      {L"ShortDword", RegType::Dword, {0xAA, 0xBB}},
      {L"OddString", RegType::String, {'a', 0, 'b'}},
      {L"UnknownType", 0x1234, {1, 2, 3}},
      {L"Multi", RegType::MultiString, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
      {L"Big", RegType::Binary, big},
  };
  for (const auto& c : cases) ASSERT_TRUE(key->WriteValue(c.name, c.type, c.bytes)) << ToUtf8(c.name);
  for (const auto& c : cases) {
    SCOPED_TRACE(ToUtf8(c.name));
    auto info = key->QueryValue(c.name);
    auto value = key->ReadValue(c.name);
    ASSERT_TRUE(info && value);
    EXPECT_EQ(std::pair(info->type, info->size), std::pair(c.type, static_cast<uint32_t>(c.bytes.size())));
    EXPECT_EQ(value->type, c.type);
    EXPECT_TRUE(value->data == c.bytes);
  }

  // A string written without its terminating NUL stays without it, even when the
  // caller's memory happens to hold a NUL right after the data.
  const uint8_t xyThenNul[] = {'x', 0, 'y', 0, 0, 0};
  ASSERT_TRUE(key->WriteValue(L"Unterminated", RegType::String, std::span(xyThenNul, 4)));
  EXPECT_EQ(key->QueryValue(L"Unterminated")->size, 4u);
  EXPECT_EQ(ReadRegString(*key, L"Unterminated"), L"xy");

  // Overwriting replaces type and size together (the typed read insists on both).
  ASSERT_TRUE(WriteRegDword(*key, L"big", 0x01020304));
  EXPECT_EQ(ReadRegDword(*key, L"BIG"), 0x01020304u);
}

TYPED_TEST_P(RegistryContract, NamesCompareWithoutCaseKeepTheirFirstSpellingAndAllEnumerate) {
  auto key = this->Create(L"Names");
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(WriteRegString(*key, L"Mode", L"first"));
  ASSERT_TRUE(WriteRegString(*key, L"MODE", L"second"));
  EXPECT_EQ(key->ValueNames(), std::vector<std::wstring>{L"Mode"});
  EXPECT_EQ(ReadRegString(*key, L"mode"), L"second");

  // The unnamed (default) value and names outside ASCII are ordinary names.
  for (const wchar_t* name : {L"", L"zeta", L"Eta", L"亮度"}) ASSERT_TRUE(WriteRegDword(*key, name, 7));
  for (const wchar_t* name : {L"Delta", L"alpha", L"Charlie", L"设置"}) {
    ASSERT_NE(this->Create(std::wstring(L"Names\\") + name), nullptr);
  }
  EXPECT_EQ(ReadRegDword(*key, L""), 7u);
  EXPECT_EQ(ReadRegDword(*key, L"亮度"), 7u);
  EXPECT_EQ(this->SortedNoCase(key->ValueNames()), (std::vector<std::wstring>{L"", L"Eta", L"Mode", L"zeta", L"亮度"}));
  EXPECT_EQ(this->SortedNoCase(key->SubKeyNames()),
            (std::vector<std::wstring>{L"alpha", L"Charlie", L"Delta", L"设置"}));

  EXPECT_TRUE(key->DeleteValue(L"mOdE"));
  EXPECT_FALSE(key->DeleteValue(L"Mode"));
  EXPECT_FALSE(key->QueryValue(L"Mode").has_value());
  EXPECT_FALSE(key->ReadValue(L"Mode").has_value());
  EXPECT_EQ(this->SortedNoCase(key->ValueNames()), (std::vector<std::wstring>{L"", L"Eta", L"zeta", L"亮度"}));
}

TYPED_TEST_P(RegistryContract, DeleteKeyRemovesTheWholeSubtreeAndNothingBeside) {
  auto& registry = this->registry();
  // Several siblings on each level: deleting while walking by index would skip some.
  for (int child = 0; child < 4; ++child) {
    for (int grandchild = 0; grandchild < 3; ++grandchild) {
      auto key = this->Create(L"Tree\\c" + std::to_wstring(child) + L"\\g" + std::to_wstring(grandchild));
      ASSERT_NE(key, nullptr);
      ASSERT_TRUE(WriteRegDword(*key, L"v", child));
    }
  }
  ASSERT_NE(this->Create(L"Treetop"), nullptr);

  EXPECT_TRUE(registry.DeleteKey(this->kRoot, L"\\" + UpperAscii(this->Path(L"tree"))));
  auto base = this->Open(L"");
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(base->SubKeyNames(), std::vector<std::wstring>{L"Treetop"});

  EXPECT_FALSE(registry.DeleteKey(this->kRoot, this->Path(L"Tree")));
  // A root is not a key that can be deleted, however the path spells it.
  EXPECT_FALSE(registry.DeleteKey(this->kRoot, L""));
  EXPECT_FALSE(registry.DeleteKey(this->kRoot, L"\\"));
}

TYPED_TEST_P(RegistryContract, HandleToADeletedKeyReadsNothingAndWritesNothing) {
  auto inner = this->Create(L"Gone\\Inner");
  auto outer = this->Open(L"Gone");
  ASSERT_TRUE(inner && outer);
  ASSERT_TRUE(WriteRegDword(*inner, L"v", 1));
  ASSERT_TRUE(WriteRegDword(*outer, L"w", 2));

  ASSERT_TRUE(this->registry().DeleteKey(this->kRoot, this->Path(L"Gone")));
  for (RegistryKey* key : {inner.get(), outer.get()}) {
    EXPECT_FALSE(key->QueryValue(L"v").has_value());
    EXPECT_FALSE(key->ReadValue(L"w").has_value());
    EXPECT_TRUE(key->SubKeyNames().empty());
    EXPECT_TRUE(key->ValueNames().empty());
    EXPECT_FALSE(WriteRegDword(*key, L"v", 3));
    EXPECT_FALSE(key->DeleteValue(L"v"));
  }
}

TYPED_TEST_P(RegistryContract, ReadsStayWholeWhileAnotherHandleResizesTheValue) {
  auto reader = this->Create(L"Racing");
  auto writer = this->Open(L"Racing");
  ASSERT_TRUE(reader && writer);
  const std::vector<uint8_t> small(8, 0x11);
  const std::vector<uint8_t> large(64 * 1024, 0x22);
  ASSERT_TRUE(writer->WriteValue(L"v", RegType::Binary, small));

  std::jthread resizer([&](std::stop_token stop) {
    for (bool big = true; !stop.stop_requested(); big = !big) {
      writer->WriteValue(L"v", RegType::Binary, big ? large : small);
    }
  });
  int torn = 0;
  for (int i = 0; i < 400; ++i) {
    auto value = reader->ReadValue(L"v");
    if (!value || (value->data != small && value->data != large)) ++torn;
  }
  resizer.request_stop();
  resizer.join();
  EXPECT_EQ(torn, 0);
}

// A caller keeps what it read while the watch says nothing changed: every change below the
// key must show, once, and a change beside it must not.
TYPED_TEST_P(RegistryContract, AWatchSeesEveryChangeBelowItsKeyOnceAndNothingBeside) {
  std::unique_ptr<RegistryWatch> watch = this->registry().WatchKey(this->kRoot, this->Path(L"Watched"));
  ASSERT_NE(watch, nullptr);
  EXPECT_TRUE(watch->Changed()) << "the first look";
  auto key = this->Create(L"Watched\\Profile");
  EXPECT_TRUE(watch->Changed()) << "created";
  EXPECT_FALSE(watch->Changed());
  auto beside = this->Create(L"Beside");
  WriteRegDword(*beside, L"v", 1);
  EXPECT_FALSE(watch->Changed()) << "a key beside it";

  struct Step {
    const char* what;
    std::function<void()> change;
  };
  const Step steps[] = {
      {"value written", [&] { WriteRegDword(*key, L"v", 1); }},
      {"value rewritten", [&] { WriteRegDword(*key, L"v", 2); }},
      {"value deleted", [&] { key->DeleteValue(L"v"); }},
      {"sub-key created", [&] { this->Create(L"Watched\\Profile\\Deeper"); }},
      {"sub-key deleted", [&] { this->registry().DeleteKey(this->kRoot, this->Path(L"Watched\\Profile")); }},
  };
  for (const Step& step : steps) {
    step.change();
    EXPECT_TRUE(watch->Changed()) << step.what;
    EXPECT_FALSE(watch->Changed()) << step.what << ", looked at again";
  }
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, CreatesMissingLevelsAndOpensByAnySpellingOfThePath,
                            KeepsAnyTypeAndAnySizeAsRawBytes,
                            NamesCompareWithoutCaseKeepTheirFirstSpellingAndAllEnumerate,
                            DeleteKeyRemovesTheWholeSubtreeAndNothingBeside,
                            HandleToADeletedKeyReadsNothingAndWritesNothing,
                            ReadsStayWholeWhileAnotherHandleResizesTheValue,
                            AWatchSeesEveryChangeBelowItsKeyOnceAndNothingBeside);

}  // namespace corvane::platform
