// support.dll's run_update: fetches the update description named by corvane.ini's server and
// file entries into "update.ini" in the temporary folder. The file appears whole or not at
// all: it is written under a temporary name and renamed once complete, and anything but a
// complete "200 OK" answer leaves no file behind and reports failure.
#include <windows.h>
#include <wininet.h>

#include <optional>
#include <string>

#include "outside/hook_logic/update_url.h"
#include "outside/hook_shell/handles.h"

namespace {

// An update description is a few hundred bytes; anything far larger is not one.
constexpr DWORD kMostBytes = 1 << 20;
constexpr DWORD kTimeoutMs = 15000;

class InternetHandle {
 public:
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (handle_) InternetCloseHandle(handle_);
  }
  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HINTERNET handle_;
};

bool Download(const std::string& url, const char* file) {
  InternetHandle session(InternetOpenA("Corvane", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return false;
  DWORD timeout = kTimeoutMs;
  InternetSetOptionA(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
  InternetSetOptionA(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
  InternetHandle request(InternetOpenUrlA(
      session.get(), url.c_str(), nullptr, 0,
      INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI, 0));
  if (!request) return false;
  DWORD status = 0, size = sizeof status;
  if (!HttpQueryInfoA(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
      status != HTTP_STATUS_OK)
    return false;

  corvane::outside::UniqueHandle out(
      CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
  if (!out) return false;
  DWORD total = 0;
  char buffer[4096];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(request.get(), buffer, sizeof buffer, &read)) return false;
    if (read == 0) break;
    total += read;
    DWORD written = 0;
    if (total > kMostBytes || !WriteFile(out.get(), buffer, read, &written, nullptr) || written != read) return false;
  }
  // A body shorter than the length the server announced was cut off on the way.
  DWORD announced = 0;
  size = sizeof announced;
  if (HttpQueryInfoA(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &announced, &size, nullptr) &&
      announced != total)
    return false;
  return total > 0 && FlushFileBuffers(out.get());
}

}  // namespace

extern "C" int WINAPI run_update(const char* server, const char* fileurl) {
  if (!server || !fileurl) return 0;
  try {
    const std::optional<std::string> url = corvane::outside::BuildUpdateUrl(server, fileurl);
    if (!url) return 0;
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH) return 0;
    char partial[MAX_PATH] = {};
    if (!GetTempFileNameA(folder, "cvu", 0, partial)) return 0;
    const std::string target = std::string(folder) + "update.ini";
    const bool fetched = Download(*url, partial) && MoveFileExA(partial, target.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!fetched) DeleteFileA(partial);
    return fetched ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
