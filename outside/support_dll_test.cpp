// support.dll as the program uses it: loaded from the installation folder, its menu image
// strip and about box picture taken from it by name.

#include <winsock2.h>
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// A one-request web server on the loopback interface: answers with `response` and keeps
// the request line it got.
class OneShotServer {
 public:
  explicit OneShotServer(std::string response) : response_(std::move(response)) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    listen(listener_, 1);
    thread_ = CreateThread(nullptr, 0, Serve, this, 0, nullptr);
  }
  ~OneShotServer() {
    closesocket(listener_);  // ends an accept that never got its client
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    WSACleanup();
  }
  std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
  const std::string& RequestLine() const { return requestLine_; }

 private:
  static DWORD WINAPI Serve(void* self) {
    auto& server = *static_cast<OneShotServer*>(self);
    SOCKET client = accept(server.listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return 0;
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const int got = recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, got);
    }
    server.requestLine_ = request.substr(0, request.find("\r\n"));
    send(client, server.response_.data(), static_cast<int>(server.response_.size()), 0);
    shutdown(client, SD_SEND);
    closesocket(client);
    return 0;
  }

  std::string response_;
  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  HANDLE thread_ = nullptr;
  std::string requestLine_;
};

std::string TempFolder() {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, folder);
  return folder;
}

int CountPartialFiles() {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((TempFolder() + "cvu*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

// The update check's download: only a complete "200 OK" answer becomes update.ini, and a
// failed fetch leaves neither update.ini nor a partial file behind.
TEST(SupportDll, RunUpdateKeepsOnlyACompleteDescription) {
  using RunUpdateFunction = int(WINAPI*)(const char*, const char*);
  HMODULE library = LoadLibraryW(SupportDll().c_str());
  ASSERT_NE(library, nullptr);
  auto runUpdate =
      reinterpret_cast<RunUpdateFunction>(reinterpret_cast<void*>(GetProcAddress(library, "run_update")));
  ASSERT_NE(runUpdate, nullptr) << "exported undecorated";
  const std::string description = "[corvane.exe]\r\nhversion=9\r\nnewfile=http://example.invalid/c.zip\r\n";
  const std::string updateIni = TempFolder() + "update.ini";

  struct Case {
    std::string response;
    bool fetched;
  } cases[] = {
      {"HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(description.size()) + "\r\n\r\n" + description, true},
      {"HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found", false},
      {"HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n[corvane.exe]\r\nhvers", false},  // cut off
  };
  const int partialBefore = CountPartialFiles();
  for (const Case& c : cases) {
    DeleteFileA(updateIni.c_str());
    OneShotServer server(c.response);
    EXPECT_EQ(runUpdate(server.Address().c_str(), "/corvane/update.ini") != 0, c.fetched) << c.response;
    EXPECT_EQ(server.RequestLine().rfind("GET /corvane/update.ini HTTP/1.", 0), 0u) << server.RequestLine();
    HANDLE file = CreateFileA(updateIni.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(file != INVALID_HANDLE_VALUE, c.fetched);
    if (file != INVALID_HANDLE_VALUE) {
      std::vector<char> bytes(4096);
      DWORD read = 0;
      ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
      CloseHandle(file);
      EXPECT_EQ(std::string(bytes.data(), read), description);
    }
  }
  EXPECT_EQ(CountPartialFiles(), partialBefore);
  EXPECT_EQ(runUpdate("", "update.ini"), 0) << "no server";
  EXPECT_EQ(runUpdate(nullptr, nullptr), 0);
  DeleteFileA(updateIni.c_str());
  FreeLibrary(library);
}

}  // namespace
