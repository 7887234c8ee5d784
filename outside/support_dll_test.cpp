// support.dll as the program uses it: loaded from the installation folder, its menu image
// strip and about box picture taken from it by name.

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring SupportDll() {
  std::string path = CORVANE_SUPPORT_DLL;
  std::wstring wide(path.begin(), path.end());
  if (!wide.empty() && wide.front() == L'/') wide = L"Z:" + wide;
  for (wchar_t& c : wide) c = c == L'/' ? L'\\' : c;
  return wide;
}

TEST(SupportDll, CarriesTheMenuStripAndTheAboutPicture) {
  HMODULE library = LoadLibraryW(SupportDll().c_str());
  ASSERT_NE(library, nullptr);

  HBITMAP strip = static_cast<HBITMAP>(LoadImageW(library, L"mainimg", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_NE(strip, nullptr);
  BITMAP info{};
  ASSERT_TRUE(GetObjectW(strip, sizeof info, &info));
  EXPECT_EQ(info.bmHeight, 16);
  EXPECT_EQ(info.bmWidth % 16, 0);
  EXPECT_GE(info.bmWidth / 16, 20);
  // The corners of the first cell are the transparent colour.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, strip);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0xFF, 0x00, 0xFF));
  EXPECT_EQ(GetPixel(dc, 15, 0), RGB(0xFF, 0x00, 0xFF));
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(strip);

  HBITMAP about = LoadBitmapW(library, L"RADEON");
  EXPECT_NE(about, nullptr);
  DeleteObject(about);

  // The refresh-rate lock editor's button glyphs.
  for (const wchar_t* glyph : {L"ADDNEW", L"REMOVE", L"ADDALL", L"ALLDEL"}) {
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageW(library, glyph, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr) << glyph;
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 16);
    EXPECT_EQ(size.bmHeight, 16);
    DeleteObject(bitmap);
  }
  FreeLibrary(library);
}

// The game profile editor's shortcut: a real shell link on the desktop that starts the
// program with the arguments given, in the game's folder, with the game's icon.
TEST(SupportDll, CreateShortcutPutsAShellLinkOnTheDesktop) {
  using CreateShortcutFunction = BOOL(WINAPI*)(const char*, const char*, const char*, const char*, const char*);
  HMODULE library = LoadLibraryW(SupportDll().c_str());
  ASSERT_NE(library, nullptr);
  auto create = reinterpret_cast<CreateShortcutFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "CreateShortcut")));
  ASSERT_NE(create, nullptr) << "exported undecorated";

  wchar_t desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::wstring link = std::wstring(desktop) + L"\\Support Test.lnk";
  DeleteFileW(link.c_str());
  EXPECT_TRUE(create("Support Test", "C:\\Corvane\\corvane.exe", " /loadgame \"Support Test\"",
                     "C:\\windows\\notepad.exe", "C:\\windows"));
  EXPECT_FALSE(create("..\\elsewhere", "C:\\Corvane\\corvane.exe", "", "", "")) << "a name is no path";
  FreeLibrary(library);
  ASSERT_NE(GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IShellLinkW* shellLink = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(&shellLink))));
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
  EXPECT_TRUE(SUCCEEDED(file->Load(link.c_str(), STGM_READ)));
  wchar_t text[MAX_PATH] = {};
  shellLink->GetPath(text, MAX_PATH, nullptr, 0);
  EXPECT_EQ(lstrcmpiW(text, L"C:\\Corvane\\corvane.exe"), 0);
  shellLink->GetArguments(text, MAX_PATH);
  EXPECT_STREQ(text, L" /loadgame \"Support Test\"");
  shellLink->GetWorkingDirectory(text, MAX_PATH);
  EXPECT_EQ(lstrcmpiW(text, L"C:\\windows"), 0);
  file->Release();
  shellLink->Release();
  CoUninitialize();
  DeleteFileW(link.c_str());
}

}  // namespace
