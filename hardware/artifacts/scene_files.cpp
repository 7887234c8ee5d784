#include "hardware/artifacts/scene_files.h"

#include <variant>

namespace corvane::artifacts {
namespace {

// Larger than any file of the scene: the reader sees the real size of a longer one and
// refuses it.
constexpr size_t kMaxFileBytes = 64 * 1024 * 1024;

void Tell(platform::UserInteraction& user, const std::wstring& caption, const std::wstring& text) {
  user.ShowMessage({.caption = caption, .text = text, .icon = platform::MessageIcon::Error});
}

std::optional<Bitmap> LoadTexture(const std::wstring& folder, const std::wstring& name, const FileOpener& open,
                                  platform::UserInteraction& user) {
  const std::wstring path = folder + name;
  std::optional<std::string> bytes = open(path)->Read(kMaxFileBytes);
  std::wstring problem;
  if (!bytes) {
    problem = L"Error opening \"" + path;
  } else {
    auto read = ReadBitmap(*bytes);
    if (Bitmap* bitmap = std::get_if<Bitmap>(&read)) return std::move(*bitmap);
    problem = std::get<std::wstring>(read);
  }
  Tell(user, L"BMP Unit", problem);
  Tell(user, L"Loading Textures", L"Unable to load " + path);
  return std::nullopt;
}

}  // namespace

std::optional<SceneFiles> LoadSceneFiles(const std::wstring& programFolder, const FileOpener& open,
                                         platform::UserInteraction& user) {
  const std::wstring folder = programFolder + L"3d\\";
  std::optional<Bitmap> surface = LoadTexture(folder, L"surface.dat", open, user);
  if (!surface) return std::nullopt;
  std::optional<Bitmap> texture = LoadTexture(folder, L"texture.dat", open, user);
  if (!texture) return std::nullopt;

  const wchar_t* names[] = {L"face_indicies.dat", L"normals.dat", L"vertices.dat"};
  std::string bytes[3];
  for (int i = 0; i < 3; ++i) {
    std::optional<std::string> read = open(folder + names[i])->Read(kMaxFileBytes);
    if (!read) {
      Tell(user, L"错误", L"Unable to load " + folder + names[i]);
      return std::nullopt;
    }
    bytes[i] = std::move(*read);
  }
  ModelRead model = ReadModel({bytes[0], bytes[1], bytes[2]});
  if (!model.model) {
    const int failed = static_cast<int>(model.failed) - 1;
    Tell(user, L"错误", L"Unable to load " + folder + names[failed >= 0 && failed < 3 ? failed : 0]);
    return std::nullopt;
  }
  return SceneFiles{std::move(*model.model), std::move(*surface), std::move(*texture)};
}

}  // namespace corvane::artifacts
