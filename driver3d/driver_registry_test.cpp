// Which storage and OpenGL key start-up settles on, and that a write never lands in a key
// other than the one just opened.
#include "driver3d/driver_registry.h"

#include "driver3d/settings_table.h"
#include "driver3d/setting_values.h"
#include "driver3d/test_driver_key.h"
#include "platform/text_encoding.h"

namespace corvane::driver3d::testing {
namespace {

TEST_F(DriverKeyTest, OnlyTheText1InEitherStorageSelectsAceMode) {
  EXPECT_FALSE(StartUp()->AceMode());
  EXPECT_FALSE(Stored(L"ACE")) << "start-up must not create ACE";
  const std::pair<uint32_t, Bytes> stored[] = {
      {RegType::Binary, Utf16(L"1")}, {RegType::String, Utf16(L" 1 ")}, {RegType::Binary, {0x31}},
      {RegType::String, Utf16(L"11")}, {RegType::String, {}},           {RegType::Dword, {1, 0, 0, 0}}};
  const bool expected[] = {true, true, false, false, false, false};
  for (size_t i = 0; i < std::size(stored); ++i) {
    Put(L"ACE", stored[i].first, stored[i].second);
    EXPECT_EQ(StartUp()->AceMode(), expected[i]) << "case " << i;
  }
}

TEST_F(DriverKeyTest, OpenGLValuesLiveInTheDriverKeyWithUseNewOGLRegPathOrAceMode) {
  const std::wstring openGLKey = kDriverKey + L"\\OpenGL";
  Key(openGLKey);
  auto old = StartUp();
  ASSERT_TRUE(old->OpenOpenGLKey());
  WriteSetting(*old, opengl_key::OGLLODBias, 1);
  EXPECT_TRUE(Stored(L"OGLLODBias", openGLKey));
  EXPECT_FALSE(Stored(L"UseNewOGLRegPath")) << "start-up must not create UseNewOGLRegPath";

  Put(L"UseNewOGLRegPath", RegType::Dword, {1, 0, 0, 0});
  auto newer = StartUp();
  EXPECT_FALSE(newer->AceMode());
  ASSERT_TRUE(newer->OpenOpenGLKey());
  WriteSetting(*newer, opengl_key::OGLLODBias, 2);
  EXPECT_EQ(platform::ReadRegDword(*Key(kDriverKey), L"OGLLODBias"), 2u);
  EXPECT_EQ(platform::ReadRegDword(*Key(openGLKey), L"OGLLODBias"), 1u);

  Put(L"UseNewOGLRegPath", RegType::Dword, {0, 0, 0, 0});
  Put(L"ACE", RegType::Binary, Utf16(L"1"));
  EXPECT_EQ(StartUp()->OpenGLKeyPath(), kDriverKey);
}

TEST_F(DriverKeyTest, WritesNeverFallThroughToAnotherKey) {
  auto registry = StartUp();
  ASSERT_TRUE(registry->OpenDriverKey());
  EXPECT_FALSE(registry->OpenOpenGLKey());  // no "\OpenGL" key: none is created, none stays open
  WriteSettingDword(*registry, L"OGLMaxAnisotropy", 16);
  EXPECT_FALSE(Stored(L"OGLMaxAnisotropy"));
  EXPECT_FALSE(sim.Exists(platform::RegistryRoot::LocalMachine, kDriverKey + L"\\OpenGL"));

  // An unknown driver key path must not make HKEY_LOCAL_MACHINE itself the driver key.
  auto unknown = StartUp(L"");
  EXPECT_FALSE(unknown->OpenDriverKey());
  EXPECT_FALSE(unknown->OpenOpenGLKey());
  EXPECT_EQ(ReadSettingText(*unknown, L"AntiAlias", true, L"1"), L"1");
  EXPECT_TRUE(Key(L"")->ValueNames().empty());
}

}  // namespace
}  // namespace corvane::driver3d::testing
