#pragma once
// The kernel I/O device's eight control codes and their buffers, decoded the one way
// both the driver and the simulated machine read them. Buffered method: the input and
// output lengths are the caller's and must be exact.
//
//   0x80002000 map:    in 16 bytes {physical lo, physical hi, length, unused}, out 4 bytes {user address}
//   0x80002004 unmap:  in 4 bytes {user address}, out none
//   0x80002008/0C/10 read port byte/word/dword:  in 8 bytes {port, 0},     out 8 bytes {port, value}
//   0x80002014/18/1C write port byte/word/dword: in 8 bytes {port, value}, out 8 bytes {port, value}
//
// Freestanding: no allocation, no exceptions, no standard library beyond fixed-width
// integers, so the kernel driver compiles it as it stands.

#include <stdint.h>

namespace corvane::io_bounds {

namespace control_code {
inline constexpr uint32_t MapPhysical = 0x80002000;
inline constexpr uint32_t UnmapPhysical = 0x80002004;
inline constexpr uint32_t ReadPort8 = 0x80002008;
inline constexpr uint32_t ReadPort16 = 0x8000200C;
inline constexpr uint32_t ReadPort32 = 0x80002010;
inline constexpr uint32_t WritePort8 = 0x80002014;
inline constexpr uint32_t WritePort16 = 0x80002018;
inline constexpr uint32_t WritePort32 = 0x8000201C;
}  // namespace control_code

inline constexpr uint32_t kMapRequestSize = 16;
inline constexpr uint32_t kMapReplySize = 4;
inline constexpr uint32_t kUnmapRequestSize = 4;
inline constexpr uint32_t kPortRecordSize = 8;

enum class RequestKind : uint8_t { Map, Unmap, PortRead, PortWrite };

// Why a request is not carried out. The driver and the simulation turn these into the
// same Win32 errors: 1, 87 and 5.
enum class Refusal : uint8_t {
  None,
  UnknownCode,   // ERROR_INVALID_FUNCTION
  BadBuffers,    // ERROR_INVALID_PARAMETER: a buffer of the wrong length
  OutOfBounds,   // ERROR_ACCESS_DENIED: memory or a port the device does not reach
};

struct IoRequest {
  RequestKind kind = RequestKind::PortRead;
  // Map: the physical range. The high half is kept so that a request above 4 GB is
  // refused rather than cut to its low half.
  uint32_t physicalLow = 0;
  uint32_t physicalHigh = 0;
  uint32_t length = 0;
  // Unmap: the user-mode address a map returned.
  uint32_t userAddress = 0;
  // Ports: the whole 32-bit port word as sent (a port above 0xFFFF is refused, not
  // cut to 16 bits), the access width in bytes, and the value to write already cut to
  // that width.
  uint32_t port = 0;
  uint8_t width = 0;
  uint32_t value = 0;
};

// Reads a request from the caller's buffers; Refusal::None when it is well formed.
Refusal DecodeRequest(uint32_t code, const uint8_t* input, uint32_t inputLength, uint32_t outputLength,
                      IoRequest& request);

// Little-endian 32-bit words of the buffers.
uint32_t LoadWord(const uint8_t* bytes, uint32_t index);
void StoreWord(uint8_t* bytes, uint32_t index, uint32_t value);

// All ones in the low `width` bytes.
inline constexpr uint32_t WidthMask(unsigned width) { return width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1; }

}  // namespace corvane::io_bounds
