#include "platform/win32/desktop_icons_win32.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/threading_win32.h"

namespace corvane::platform {
namespace {

// The exchange block: one page less a byte, as the shell's view has always been given.
constexpr SIZE_T kBlockSize = 4095;

// The 32-bit records as the view's process reads them; the pointers are addresses in
// that process, so they are plain 32-bit numbers here.
struct RemoteListItem {  // LVITEMA up to lParam and iIndent
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  uint32_t pszText;
  int cchTextMax;
  int iImage;
  uint32_t lParam;
  int iIndent;
};
static_assert(sizeof(RemoteListItem) == 40);

struct RemoteFindInfo {  // LVFINDINFOA
  UINT flags;
  uint32_t psz;
  uint32_t lParam;
  POINT pt;
  UINT vkDirection;
};
static_assert(sizeof(RemoteFindInfo) == 24);

constexpr size_t kItemTextOffset = sizeof(RemoteListItem);
constexpr int kItemTextCapacity = 255;
constexpr size_t kPositionOffset = sizeof(RemoteListItem);
constexpr size_t kFindTextOffset = sizeof(RemoteFindInfo);

HWND FindDesktopView() {
  HWND progman = FindWindowW(L"Progman", nullptr);
  if (!progman) return nullptr;
  HWND shellView = GetWindow(progman, GW_CHILD);
  return shellView ? GetWindow(shellView, GW_CHILD) : nullptr;
}

// Memory allocated in another process; freed before the process handle is closed.
class RemoteBlock {
 public:
  RemoteBlock(UniqueHandle process, SIZE_T size)
      : process_(std::move(process)),
        address_(VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT, PAGE_EXECUTE_READWRITE)) {}
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  HANDLE Process() const { return process_.Get(); }
  char* Address() const { return static_cast<char*>(address_); }

 private:
  UniqueHandle process_;
  void* address_;
};

class Win32DesktopIconView : public DesktopIconView {
 public:
  Win32DesktopIconView(HWND view, std::unique_ptr<RemoteBlock> block) : view_(view), block_(std::move(block)) {}

  int ItemCount() override { return static_cast<int>(SendMessageA(view_, LVM_GETITEMCOUNT, 0, 0)); }

  std::optional<std::wstring> ItemText(int index) override {
    if (index < 0 || index >= ItemCount()) return std::nullopt;
    RemoteListItem item{};
    item.iItem = index;
    item.pszText = RemoteAddress(kItemTextOffset);
    item.cchTextMax = kItemTextCapacity;
    if (!Write(0, &item, sizeof(item))) return std::nullopt;
    const LRESULT length = SendMessageA(view_, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), RemoteParam(0));
    if (length < 0 || length >= kItemTextCapacity) return std::nullopt;
    std::vector<char> text(static_cast<size_t>(length) + 1);
    if (!Read(kItemTextOffset, text.data(), text.size())) return std::nullopt;
    return FromAnsi(std::string_view(text.data(), static_cast<size_t>(length)));
  }

  std::optional<IconPosition> ItemPosition(int index) override {
    if (!SendMessageA(view_, LVM_GETITEMPOSITION, static_cast<WPARAM>(index), RemoteParam(kPositionOffset))) {
      return std::nullopt;
    }
    POINT point{};
    if (!Read(kPositionOffset, &point, sizeof(point))) return std::nullopt;
    return IconPosition{point.x, point.y};
  }

  std::optional<int> FindItem(const std::wstring& text) override {
    std::string ansi = ToAnsi(text);
    if (ansi.size() + 1 > kBlockSize - kFindTextOffset) return std::nullopt;
    RemoteFindInfo find{};
    find.flags = LVFI_STRING;
    find.psz = RemoteAddress(kFindTextOffset);
    if (!Write(0, &find, sizeof(find)) || !Write(kFindTextOffset, ansi.c_str(), ansi.size() + 1)) return std::nullopt;
    const LRESULT index = SendMessageA(view_, LVM_FINDITEMA, static_cast<WPARAM>(-1), RemoteParam(0));
    if (index < 0) return std::nullopt;
    return static_cast<int>(index);
  }

  bool SetItemPosition(int index, IconPosition position) override {
    // The message packs both coordinates into one parameter, 16 bits each.
    const LPARAM packed = MAKELPARAM(static_cast<WORD>(position.x), static_cast<WORD>(position.y));
    return SendMessageA(view_, LVM_SETITEMPOSITION, static_cast<WPARAM>(index), packed) != 0;
  }

  uint32_t Style() override { return static_cast<uint32_t>(GetWindowLongW(view_, GWL_STYLE)); }
  void SetStyle(uint32_t style) override { SetWindowLongW(view_, GWL_STYLE, static_cast<LONG>(style)); }

 private:
  uint32_t RemoteAddress(size_t offset) const {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block_->Address() + offset));
  }
  LPARAM RemoteParam(size_t offset) const { return reinterpret_cast<LPARAM>(block_->Address() + offset); }

  bool Write(size_t offset, const void* data, size_t size) {
    SIZE_T written = 0;
    return WriteProcessMemory(block_->Process(), block_->Address() + offset, data, size, &written) && written == size;
  }
  bool Read(size_t offset, void* data, size_t size) {
    SIZE_T read = 0;
    return ReadProcessMemory(block_->Process(), block_->Address() + offset, data, size, &read) && read == size;
  }

  HWND view_;
  std::unique_ptr<RemoteBlock> block_;
};

}  // namespace

std::unique_ptr<DesktopIconView> Win32DesktopIcons::Open() {
  HWND view = FindDesktopView();
  if (!view) return nullptr;
  DWORD processId = 0;
  GetWindowThreadProcessId(view, &processId);
  if (processId == 0) return nullptr;
  // PROCESS_ALL_ACCESS as XP defines it: the larger Vista value is refused there.
  UniqueHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId));
  if (!process) return nullptr;
  auto block = std::make_unique<RemoteBlock>(std::move(process), kBlockSize);
  if (!block->Address()) return nullptr;
  return std::make_unique<Win32DesktopIconView>(view, std::move(block));
}

}  // namespace corvane::platform
