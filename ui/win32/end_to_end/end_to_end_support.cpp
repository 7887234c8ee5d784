#include "end_to_end_support.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace end_to_end {

std::wstring Widen(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring result(static_cast<size_t>(size > 0 ? size - 1 : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, result.data(), size);
  return result;
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
  return result;
}

Started Start(const std::wstring& program, const std::wstring& arguments, HANDLE output) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (output) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0, nullptr, nullptr, &startup,
                      &info))
    return {};
  CloseHandle(info.hThread);
  return {info.hProcess, info.dwProcessId};
}

std::optional<DWORD> WaitForExit(HANDLE process, DWORD ms) {
  if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return code;
}

void CloseProgram(HANDLE& process, DWORD ms) {
  if (!process) return;
  if (!WaitForExit(process, 0)) {
    if (HWND window = MainWindow()) PostMessageW(window, WM_CLOSE, 0, 0);
    if (!WaitForExit(process, ms)) TerminateProcess(process, 1);
  }
  CloseHandle(process);
  process = nullptr;
}

HWND MainWindow() { return FindWindowW(kMainWindowClass, kMainWindowText); }

bool TrayIconPresent(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = kTrayIconId;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool MenuOpen() { return IsWindowVisible(FindWindowW(kPopupMenuClass, nullptr)) != FALSE; }

void PressKey(WORD key) {
  keybd_event(static_cast<BYTE>(key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
  Sleep(150);
}

bool OpenTrayMenu() {
  const HWND window = MainWindow();
  if (!window) return false;
  SetCursorPos(760, 560);
  PostMessageW(window, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);
  if (!WaitFor(MenuOpen, 10000)) return false;
  Sleep(500);
  return true;
}

bool ChooseFromTrayMenu(const std::vector<WORD>& keys) {
  if (!OpenTrayMenu()) return false;
  for (WORD key : keys) PressKey(key);
  return true;
}

void CancelTrayMenu() {
  if (MenuOpen()) SendMessageW(FindWindowW(kMenuOwnerClass, nullptr), WM_CANCELMODE, 0, 0);
  WaitFor([] { return !MenuOpen(); }, 5000);
}

HWND OpenFromTrayMenu(const std::vector<WORD>& keys, const wchar_t* caption, const wchar_t* className) {
  if (!ChooseFromTrayMenu(keys)) return nullptr;
  const HWND dialog = WaitForWindow([&] { return FindWindowW(className, caption); });
  if (!dialog) CancelTrayMenu();
  return dialog;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

HWND ChildOfClass(HWND parent, const wchar_t* className, int index, ChildOrder order) {
  // Children are kept topmost first; the first made is the last of them.
  const bool fromLast = order == ChildOrder::kCreation;
  HWND child = GetWindow(parent, GW_CHILD);
  if (fromLast) child = GetWindow(child, GW_HWNDLAST);
  for (; child; child = GetWindow(child, fromLast ? GW_HWNDPREV : GW_HWNDNEXT))
    if (lstrcmpiW(ClassOf(child).c_str(), className) == 0 && index-- == 0) return child;
  return nullptr;
}

HWND ChildWithText(HWND parent, const std::wstring& text, int index) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t caption[128] = {};
    GetWindowTextW(child, caption, 128);
    if (text == caption && index-- == 0) return child;
  }
  return nullptr;
}

std::optional<std::wstring> ReadString(HKEY root, const wchar_t* path, const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value - sizeof(wchar_t);  // the last one stays the terminator
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::wstring(value);
}

std::optional<DWORD> ReadDword(HKEY root, const wchar_t* path, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD) return std::nullopt;
  return value;
}

HKEY CreateKey(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

void WriteString(HKEY key, const wchar_t* name, const std::wstring& value) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void WriteDword(HKEY key, const wchar_t* name, DWORD value) {
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void WriteDouble(HKEY key, const wchar_t* name, double value) {
  RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void WriteString(const wchar_t* path, const wchar_t* name, const std::wstring& value) {
  if (HKEY key = CreateKey(path)) {
    WriteString(key, name, value);
    RegCloseKey(key);
  }
}

void WriteDword(const wchar_t* path, const wchar_t* name, DWORD value) {
  if (HKEY key = CreateKey(path)) {
    WriteDword(key, name, value);
    RegCloseKey(key);
  }
}

void DeleteValue(const wchar_t* path, const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name);
  RegCloseKey(key);
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadWholeFile(const std::wstring& path) {
  std::string text;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

std::wstring MachineStateFile() {
  wchar_t appData[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE)) return {};
  return std::wstring(appData) + L"\\corvane\\simulated-machine.txt";
}

std::optional<double> CoreClockInStateFile() {
  std::istringstream in(ReadWholeFile(MachineStateFile()));
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("pll 0A ", 0) != 0) continue;
    const size_t at = line.find("core ");
    if (at != std::string::npos) return std::strtod(line.c_str() + at + 5, nullptr);
  }
  return std::nullopt;
}

bool CaptureScreen(const std::wstring& path) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    std::ofstream out(path.c_str(), std::ios::binary);  // by its wide name: any folder
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageSize);
    ok = ok && out.good();
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace end_to_end
