#pragma once
// The tester's model and textures from the install's "3d" folder, read through the
// whole-file port. A file that is missing, short or damaged is told to the user and the
// scene is not made.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "hardware/artifacts/bmp_reader.h"
#include "hardware/artifacts/model_reader.h"
#include "platform/user_interaction.h"
#include "platform/whole_file.h"

namespace corvane::artifacts {

struct SceneFiles {
  Model model;
  Bitmap surface;  // the central model's, sphere-mapped
  Bitmap texture;  // the eight copies around it
};

using FileOpener = std::function<std::unique_ptr<platform::WholeFile>(const std::wstring& path)>;

// `programFolder` ends with '\'.
std::optional<SceneFiles> LoadSceneFiles(const std::wstring& programFolder, const FileOpener& open,
                                         platform::UserInteraction& user);

}  // namespace corvane::artifacts
