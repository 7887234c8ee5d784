#pragma once
// The ATI display driver's private control channel (ExtEscape 0x7306 on a display device
// context) and its companion library atipdlxx.dll.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace corvane::platform {

// The one escape number the driver answers; the operation is chosen inside the request.
inline constexpr int32_t kAtiEscape = 0x7306;

// What Escape returns when no context could be created. The driver's own results are
// passed through unchanged: the program reads 0 as success and anything else as failure.
inline constexpr int32_t kEscapeNoContext = -1;

// A device context on one display, released when destroyed.
class DisplayContext {
 public:
  virtual ~DisplayContext() = default;
  // ExtEscape(kAtiEscape) with the whole of `input` and `output`. A system or driver that
  // does not know the escape may return 0 and leave `output` as it was; callers
  // initialise it so that such a reply reads as "nothing there".
  virtual int32_t Escape(std::span<const uint8_t> input, std::span<uint8_t> output) = 0;
};

class DriverEscape {
 public:
  virtual ~DriverEscape() = default;
  // CreateDC("Display", deviceName). Null when the system gives no context.
  virtual std::unique_ptr<DisplayContext> OpenContext(const std::wstring& deviceName) = 0;
};

// atipdlxx.dll, loaded for the program's lifetime when it is there. Its absence only
// disables what it offers.
class DriverLibrary {
 public:
  virtual ~DriverLibrary() = default;
  virtual bool Loaded() const = 0;
  // EnableExtendedDesktop(first, second). False, and nothing called, when the library or
  // the entry point is missing.
  virtual bool EnableExtendedDesktop(int32_t first, int32_t second) = 0;
};

}  // namespace corvane::platform
