#include "platform/win32/named_objects_win32.h"

#include <windows.h>

#include <cstdint>
#include <utility>

#include "platform/win32/threading_win32.h"

namespace corvane::platform {
namespace {

constexpr DWORD kViewAccess = FILE_MAP_READ | FILE_MAP_WRITE;

class Win32NamedMutex final : public NamedMutex {
 public:
  explicit Win32NamedMutex(UniqueHandle handle) : handle_(std::move(handle)) {}

 private:
  UniqueHandle handle_;
};

class MappedView {
 public:
  explicit MappedView(void* address) : address_(address) {}
  ~MappedView() {
    if (address_ != nullptr) UnmapViewOfFile(address_);
  }
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;

  uint8_t* Data() const { return static_cast<uint8_t*>(address_); }
  explicit operator bool() const { return address_ != nullptr; }

 private:
  void* address_;
};

class Win32SharedMapping final : public SharedMapping {
 public:
  Win32SharedMapping(UniqueHandle section, std::unique_ptr<MappedView> view, size_t size)
      : section_(std::move(section)), view_(std::move(view)), size_(size) {}

  std::span<uint8_t> Bytes() override { return {view_->Data(), size_}; }

 private:
  UniqueHandle section_;
  std::unique_ptr<MappedView> view_;
  size_t size_;
};

std::unique_ptr<SharedMapping> MapView(UniqueHandle section, size_t size) {
  if (!section) return nullptr;
  auto view = std::make_unique<MappedView>(MapViewOfFile(section.Get(), kViewAccess, 0, 0, size));
  if (!*view) return nullptr;
  return std::make_unique<Win32SharedMapping>(std::move(section), std::move(view), size);
}

std::unique_ptr<Event> EventFrom(HANDLE handle) {
  if (handle == nullptr) return nullptr;
  return std::make_unique<Win32Event>(UniqueHandle(handle));
}

}  // namespace

// An empty name would make an unnamed, unshared object; nothing may rely on that, so
// it is refused as the simulation refuses it.
NamedMutexResult Win32NamedObjects::CreateNamedMutex(const std::wstring& name) {
  if (name.empty()) return {};
  UniqueHandle handle(CreateMutexW(nullptr, FALSE, name.c_str()));
  const DWORD error = GetLastError();
  // A holder running as another user or in another session may deny us a handle to
  // its mutex: it exists all the same.
  if (!handle) return {nullptr, error == ERROR_ACCESS_DENIED};
  return {std::make_unique<Win32NamedMutex>(std::move(handle)), error == ERROR_ALREADY_EXISTS};
}

std::unique_ptr<Event> Win32NamedObjects::CreateNamedEvent(const std::wstring& name, bool manualReset,
                                                           bool initiallySet) {
  if (name.empty()) return nullptr;
  return EventFrom(CreateEventW(nullptr, manualReset, initiallySet, name.c_str()));
}

std::unique_ptr<Event> Win32NamedObjects::OpenNamedEvent(const std::wstring& name) {
  if (name.empty()) return nullptr;
  return EventFrom(OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name.c_str()));
}

std::unique_ptr<SharedMapping> Win32NamedObjects::CreateNamedMapping(const std::wstring& name, size_t size) {
  if (name.empty() || size == 0) return nullptr;
  // The paging file backs the mapping, so it starts zero-filled. An existing mapping is
  // opened whatever its size; mapping the view is what fails when it is too small.
  return MapView(UniqueHandle(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                 static_cast<DWORD>(size), name.c_str())),
                 size);
}

std::unique_ptr<SharedMapping> Win32NamedObjects::OpenNamedMapping(const std::wstring& name, size_t size) {
  if (name.empty() || size == 0) return nullptr;
  return MapView(UniqueHandle(OpenFileMappingW(kViewAccess, FALSE, name.c_str())), size);
}

}  // namespace corvane::platform
