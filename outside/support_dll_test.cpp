// support.dll as the program uses it: loaded from the installation folder, its menu image
// strip and about box picture taken from it by name.

#include <windows.h>

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

}  // namespace
