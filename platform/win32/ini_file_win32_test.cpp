#include "platform/win32/ini_file_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ini_text.h"
#include "platform/text_encoding.h"
#include "platform/win32/threading_win32.h"

namespace corvane::platform {
namespace {

// Every rule the portable reader claims, in one file.
const wchar_t kText[] =
    L"orphan=before any section\r\n"
    L"[Main]\r\n"
    L"  Name  =  Corvane  \r\n"
    L"\tTabbed\t=\tvalue\t\r\n"
    L"; hidden=yes\r\n"
    L"Twice=first\r\n"
    L"twice=second\r\n"
    L"Empty=\r\n"
    L"Bare\r\n"
    L"Inline=kept ; not a comment\r\n"
    L"Quoted=\"  spaced  \"\r\n"
    L"Single='x'\r\n"
    L"HalfQuoted=\"open\r\n"
    L"Equals=a=b\n"
    L"中文=显示\n"
    L"[ Padded ]\n"
    L"key=padded\n"
    L"[main]\n"
    L"Later=in the repeated section\n"
    L"[Unclosed\n"
    L"[Odd]\rlone=1\rcr=2\n"
    L"[Numbers]\n"
    L"hex=0x10\nnegative=-5\ntrailing=12abc\nspaced= 7 \nplus=+3\noctal=0o17\nbinary=0b101\n"
    L"upperHex=0X10\nnegHex=-0x10\nletters=abc\nmax=4294967295\nwraps=4294967297\n"
    L"quotedNumber=\"42\"\nquotedEmpty=\"\"\nempty=\n";

const wchar_t* const kSections[] = {L"Main", L" MAIN\t", L"Padded", L"Unclosed", L"[Unclosed",
                                    L"Odd",  L"Numbers", L"Missing", L""};
const wchar_t* const kKeys[] = {L"orphan", L" name ", L"Tabbed", L"hidden", L"; hidden", L"Twice", L"Empty",
                                L"Bare", L"Inline", L"Quoted", L"Single", L"HalfQuoted", L"Equals", L"中文",
                                L"key", L"Later", L"lone", L"cr", L"hex", L"negative", L"trailing", L"spaced",
                                L"plus", L"octal", L"binary", L"upperHex", L"negHex", L"letters", L"max",
                                L"wraps", L"quotedNumber", L"quotedEmpty", L"empty", L"missing"};
const wchar_t* const kDefaults[] = {L"-", L"", L"default  ", L"'quoted'"};

// Each test writes its own file: Wine keeps the profiles it has read and would not see
// a rewrite of the same one.
class TempIniFile {
 public:
  explicit TempIniFile(const std::wstring& name) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + L"corvane-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
  }
  ~TempIniFile() { DeleteFileW(path_.c_str()); }

  // UTF-16LE with its mark, which Windows reads whatever the ANSI code page.
  void Write(std::wstring_view text) const {
    std::vector<uint8_t> bytes = ToUtf16LeBytes(L"\uFEFF" + std::wstring(text));
    HANDLE raw = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(raw, INVALID_HANDLE_VALUE);
    UniqueHandle file(raw);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size() - 2), &written, nullptr));
  }

  std::wstring path_;
};

TEST(Win32IniFiles, AgreeWithThePortableReaderOnEveryLookup) {
  TempIniFile file(L"rules.ini");
  file.Write(kText);
  auto windows = Win32IniFiles().Open(file.path_);
  IniText portable(kText);
  for (const wchar_t* section : kSections) {
    for (const wchar_t* key : kKeys) {
      SCOPED_TRACE(ToUtf8(L"[" + std::wstring(section) + L"] " + key));
      for (const wchar_t* fallback : kDefaults) {
        EXPECT_EQ(ToUtf8(windows->ReadString(section, key, fallback)),
                  ToUtf8(portable.ReadString(section, key, fallback)));
      }
      EXPECT_EQ(windows->ReadInteger(section, key, 99), portable.ReadInteger(section, key, 99));
    }
  }
}

TEST(Win32IniFiles, ReadsLongValuesWholeAndMissingFilesAsEmpty) {
  const std::wstring value(3000, L'v');
  TempIniFile file(L"long.ini");
  file.Write(L"[Main]\r\nlong=" + value + L"\r\n");
  EXPECT_EQ(Win32IniFiles().Open(file.path_)->ReadString(L"Main", L"long", L""), value);
  TempIniFile missing(L"never-written.ini");
  EXPECT_EQ(Win32IniFiles().Open(missing.path_)->ReadInteger(L"Main", L"Count", -3), -3);
}

// Windows would look for a bare name in its own folder; the port means the current one.
TEST(Win32IniFiles, ABareNameIsReadFromTheCurrentDirectory) {
  TempIniFile file(L"bare.ini");
  file.Write(L"[Main]\r\nwhere=here\r\n");
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  const size_t slash = file.path_.rfind(L'\\');
  ASSERT_TRUE(SetCurrentDirectoryW(file.path_.substr(0, slash).c_str()));
  auto ini = Win32IniFiles().Open(file.path_.substr(slash + 1));
  SetCurrentDirectoryW(previous);
  EXPECT_EQ(ini->ReadString(L"Main", L"where", L"-"), L"here");
}

}  // namespace
}  // namespace corvane::platform
