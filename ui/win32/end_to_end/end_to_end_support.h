// What the whole-program tests share: corvane.exe started and ended, its windows and tray
// menu found and walked as a user would, the registry and the simulated machine's state
// read and written, and the screen captured for people to look at.
#pragma once

#include <windows.h>

#include <vector>
#include <optional>
#include <string>

namespace end_to_end {

inline constexpr wchar_t kMainWindowClass[] = L"TfrmMainQRX";
inline constexpr wchar_t kMainWindowText[] = L"corvane";
inline constexpr wchar_t kMenuOwnerClass[] = L"CorvaneMenuOwner";
inline constexpr wchar_t kPopupMenuClass[] = L"#32768";
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Quillon\\Corvane";
inline constexpr wchar_t kSimulatedVideoKey[] =
    L"System\\CurrentControlSet\\Control\\Video\\{8D2B5F3A-61C4-4E0B-9A7D-3C5E21F04B96}";
inline constexpr wchar_t kSimulatedDriverKey[] =
    L"System\\CurrentControlSet\\Control\\Video\\{8D2B5F3A-61C4-4E0B-9A7D-3C5E21F04B96}\\0000";
inline constexpr UINT kTrayIconId = 6655;
inline constexpr UINT kTrayCallbackMessage = 1599;

// UTF-8 and back.
std::wstring Widen(const char* text);
std::string Narrow(const std::wstring& text);

// Asks every 100 ms until `condition` holds; whether it did within `ms`.
template <typename Condition>
bool WaitFor(Condition condition, int ms) {
  for (int waited = 0; waited < ms; waited += 100) {
    if (condition()) return true;
    Sleep(100);
  }
  return condition();
}

// The window `find` gives, once it gives one; null after `ms`.
template <typename Find>
HWND WaitForWindow(Find find, int ms = 10000) {
  HWND found = nullptr;
  WaitFor([&] { return (found = find()) != nullptr; }, ms);
  return found;
}

struct Started {
  HANDLE process = nullptr;
  DWORD id = 0;
};

// `program` with `arguments`; its standard output and error into `output` when one is given.
Started Start(const std::wstring& program, const std::wstring& arguments, HANDLE output = nullptr);

// The exit code, or nothing when the process still runs after `ms`.
std::optional<DWORD> WaitForExit(HANDLE process, DWORD ms);

// Ends a corvane.exe a test left running: asked to close, ended by force after `ms`.
// The handle is closed and cleared.
void CloseProgram(HANDLE& process, DWORD ms);

HWND MainWindow();

// A modify without any flag changes nothing and succeeds only while the icon is there.
bool TrayIconPresent(HWND window);

bool MenuOpen();
void PressKey(WORD key);

// Opens the tray menu as a right click on the icon does; false when no menu showed.
bool OpenTrayMenu();
// Opens the tray menu and walks it with the keyboard.
bool ChooseFromTrayMenu(const std::vector<WORD>& keys);
void CancelTrayMenu();
// Walks the tray menu with `keys` and waits for the window of that caption (and class,
// when one is given); the menu is closed again when none comes.
HWND OpenFromTrayMenu(const std::vector<WORD>& keys, const wchar_t* caption, const wchar_t* className = nullptr);

std::wstring ClassOf(HWND window);

enum class ChildOrder {
  kCreation,  // the first made first
  kZOrder,    // the topmost first
};
// The `index`th child of `parent` of that window class.
HWND ChildOfClass(HWND parent, const wchar_t* className, int index = 0, ChildOrder order = ChildOrder::kCreation);
// The `index`th child of `parent` showing `text`, topmost first.
HWND ChildWithText(HWND parent, const std::wstring& text, int index = 0);

// Registry values; nothing when the key or the value is missing or of another type.
std::optional<std::wstring> ReadString(HKEY root, const wchar_t* path, const wchar_t* name);
std::optional<DWORD> ReadDword(HKEY root, const wchar_t* path, const wchar_t* name);

// The user's key at `path`, made when missing; null when it cannot be.
HKEY CreateKey(const wchar_t* path);
void WriteString(HKEY key, const wchar_t* name, const std::wstring& value);
void WriteDword(HKEY key, const wchar_t* name, DWORD value);
// A clock as overclocking profiles keep it: an eight-byte double.
void WriteDouble(HKEY key, const wchar_t* name, double value);
// The same into the user's key at `path`, made when missing.
void WriteString(const wchar_t* path, const wchar_t* name, const std::wstring& value);
void WriteDword(const wchar_t* path, const wchar_t* name, DWORD value);
void DeleteValue(const wchar_t* path, const wchar_t* name);

bool FileExists(const std::wstring& path);
// The file's bytes, read while the program may be writing it; empty when it cannot be opened.
std::string ReadWholeFile(const std::wstring& path);

// Where the simulated machine is kept between runs: the user data folder.
std::wstring MachineStateFile();
// The core clock the state file names ("core 400.50 MHz"), or nothing.
std::optional<double> CoreClockInStateFile();

// The whole screen as a 24-bit bitmap file at `path`.
bool CaptureScreen(const std::wstring& path);

}  // namespace end_to_end
