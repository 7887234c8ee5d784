// The registry script regedit leaves for the profile backup: whatever bytes are in that
// file when regedit ends (ANSI or UTF-16, cut short, or nothing like a script). The
// deleting line goes in after its header line.
#include <cstdint>
#include <string_view>

#include "app/options/profile_backup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  if (const auto result = corvane::options::WithDeletingLine(script)) {
    // Nothing of the export is lost.
    if (result->size() <= script.size()) __builtin_trap();
  }
  return 0;
}
