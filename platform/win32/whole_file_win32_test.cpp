#include "platform/win32/whole_file_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace corvane::platform {
namespace {

std::wstring TemporaryFolder() {
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, path);
  return std::wstring(path) + L"corvane-whole-file-时钟";
}

TEST(WholeFileWin32, ReplacedWholeInAFolderItMakesAndReadBack) {
  const std::wstring folder = TemporaryFolder();
  const std::wstring path = folder + L"\\state.txt";
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());

  Win32WholeFile file(path);
  EXPECT_FALSE(file.Read(100).has_value());
  const std::string first("pll 0A 00A9970C\r\n\0binary\xff", 26);
  ASSERT_TRUE(file.Replace(first));
  EXPECT_EQ(file.Read(100), first);
  EXPECT_EQ(file.Read(3), "pll");
  ASSERT_TRUE(file.Replace("shorter"));  // over the old one
  EXPECT_EQ(Win32WholeFile(path).Read(100), "shorter");
  EXPECT_EQ(GetFileAttributesW((path + L".new").c_str()), INVALID_FILE_ATTRIBUTES) << "no temporary left";

  // A folder where the file should be: the replace fails and leaves it.
  Win32WholeFile blocked(folder);
  EXPECT_FALSE(blocked.Replace("x"));
  EXPECT_NE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace corvane::platform
