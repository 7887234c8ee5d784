#pragma once
// The system's choosers the general options use: a folder and a sound recording format
// (the file choosers are the user-interaction port's).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane::platform {

struct FolderRequest {
  std::wstring title;        // shown above the folder tree
  std::wstring startFolder;  // selected at first; empty: the tree's root
};

// A recording format the user picked: one whole WAVEFORMATEX, and the names the chooser
// showed for its format tag (the codec) and for the format itself.
struct AudioFormatChoice {
  std::vector<uint8_t> format;
  std::wstring tagName;
  std::wstring formatName;
};

class Choosers {
 public:
  virtual ~Choosers() = default;
  // The chosen folder, without a trailing '\'; nothing when the user cancelled.
  virtual std::optional<std::wstring> ChooseFolder(const FolderRequest& request) = 0;
  // Offers only formats a recording device can take, starting at `current` when it is a
  // format (empty: the chooser's own start). A chosen format never exceeds `maxSize` bytes.
  virtual std::optional<AudioFormatChoice> ChooseAudioFormat(std::span<const uint8_t> current, size_t maxSize) = 0;
};

}  // namespace corvane::platform
