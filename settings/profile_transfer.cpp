#include "settings/profile_transfer.h"

#include <string_view>

#include "settings/profile_name.h"

namespace corvane::settings {
namespace {

using platform::RegistryRoot;

constexpr wchar_t kFileFilter[] = L"Corvane 配置文件 (*.cvp)|*.cvp|所有文件 (*.*)|*.*";
constexpr wchar_t kFileExtension[] = L"cvp";
// The game launcher's backup of the settings before a game; no file may replace it.
constexpr wchar_t kBackupName[] = L"$$";

bool IsValueProfile(StoredProfileKind kind) { return kind == StoredProfileKind::Color; }

std::wstring KindKey(const std::wstring& profilesRoot, StoredProfileKind kind) {
  return profilesRoot + StoredProfileKindName(kind);
}

std::wstring ProfileKey(const std::wstring& profilesRoot, StoredProfileKind kind, const std::wstring& name) {
  return KindKey(profilesRoot, kind) + L"\\" + name;
}

// As every profile is named when it is saved: / \ ? | " * < > : each become '_'.
std::wstring CleanName(std::wstring name) {
  for (wchar_t& c : name)
    if (std::wstring_view(L"/\\?|\"*<>:").find(c) != std::wstring_view::npos) c = L'_';
  return name;
}

void ShowError(platform::UserInteraction& user, const std::wstring& text) {
  user.ShowMessage({L"错误", text, platform::MessageIcon::Error, platform::MessageButtons::Ok, 0});
}

}  // namespace

std::wstring StoredProfileKindName(StoredProfileKind kind) {
  switch (kind) {
    case StoredProfileKind::Direct3D: return L"d3d";
    case StoredProfileKind::OpenGL: return L"ogl";
    case StoredProfileKind::Overclocking: return L"over";
    case StoredProfileKind::Color: return L"colors";
    case StoredProfileKind::Display: return L"Display";
    case StoredProfileKind::Game: return L"Games";
  }
  return {};
}

std::optional<ProfileFile> ReadStoredProfile(platform::Registry& registry, const std::wstring& profilesRoot,
                                             StoredProfileKind kind, const std::wstring& name) {
  if (!IsProfileName(name)) return std::nullopt;
  ProfileFile profile{StoredProfileKindName(kind), name, {}};
  if (IsValueProfile(kind)) {
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, KindKey(profilesRoot, kind), false);
    std::optional<platform::RegistryValue> value = key ? key->ReadValue(name) : std::nullopt;
    if (!value) return std::nullopt;
    profile.values.push_back({name, value->type, std::move(value->data)});
    return profile;
  }
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, ProfileKey(profilesRoot, kind, name), false);
  if (!key) return std::nullopt;
  for (const std::wstring& valueName : key->ValueNames()) {
    std::optional<platform::RegistryValue> value = key->ReadValue(valueName);
    if (value) profile.values.push_back({valueName, value->type, std::move(value->data)});
  }
  return profile;
}

bool StoredProfileExists(platform::Registry& registry, const std::wstring& profilesRoot, StoredProfileKind kind,
                         const std::wstring& name) {
  if (!IsProfileName(name)) return false;
  if (!IsValueProfile(kind))
    return registry.OpenKey(RegistryRoot::CurrentUser, ProfileKey(profilesRoot, kind, name), false) != nullptr;
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, KindKey(profilesRoot, kind), false);
  return key && key->QueryValue(name).has_value();
}

bool WriteStoredProfile(platform::Registry& registry, const std::wstring& profilesRoot, StoredProfileKind kind,
                        const ProfileFile& profile) {
  if (!IsProfileName(profile.name)) return false;
  if (IsValueProfile(kind)) {
    if (profile.values.size() != 1) return false;
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, KindKey(profilesRoot, kind), true);
    return key && key->WriteValue(profile.name, profile.values[0].type, profile.values[0].data);
  }
  const std::wstring path = ProfileKey(profilesRoot, kind, profile.name);
  // As saving does: values the file does not hold do not linger from the old profile.
  registry.DeleteKey(RegistryRoot::CurrentUser, path);
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, path, true);
  if (!key) return false;
  bool written = true;
  for (const ProfileFileValue& value : profile.values) written = key->WriteValue(value.name, value.type, value.data) && written;
  return written;
}

bool ExportProfile(const ProfileTransferContext& ctx, StoredProfileKind kind, const std::wstring& name) {
  const std::optional<ProfileFile> profile = ReadStoredProfile(ctx.registry, ctx.profilesRoot, kind, name);
  if (!profile) return false;
  platform::OpenFileRequest request;
  request.filter = kFileFilter;
  request.title = L"导出配置文件";
  request.fileName = CleanName(name) + L"." + kFileExtension;
  request.defaultExtension = kFileExtension;
  const std::optional<std::wstring> path = ctx.user.ChooseSaveFile(request);
  if (!path || path->empty()) return false;
  std::unique_ptr<platform::WholeFile> file = ctx.openFile(*path);
  if (!file || !file->Replace(WriteProfileFile(*profile))) {
    ShowError(ctx.user, L"无法写入文件 " + *path);
    return false;
  }
  return true;
}

std::optional<std::wstring> ImportProfile(const ProfileTransferContext& ctx, StoredProfileKind kind) {
  platform::OpenFileRequest request;
  request.filter = kFileFilter;
  request.title = L"导入配置文件";
  const std::optional<std::wstring> path = ctx.user.ChooseOpenFile(request);
  if (!path || path->empty()) return std::nullopt;
  std::unique_ptr<platform::WholeFile> file = ctx.openFile(*path);
  // One byte more than a profile file may have tells a file that is too large.
  const std::optional<std::string> bytes = file ? file->Read(kMaxProfileFileBytes + 1) : std::nullopt;
  if (!bytes) {
    ShowError(ctx.user, L"无法读取文件 " + *path);
    return std::nullopt;
  }
  std::optional<ProfileFile> profile = ReadProfileFile(*bytes);
  if (profile) profile->name = CleanName(profile->name);
  const bool wellFormed = profile && profile->name != kBackupName && IsProfileName(profile->name) &&
                          (!IsValueProfile(kind) || profile->values.size() == 1);
  if (profile && profile->kind != StoredProfileKindName(kind)) {
    ShowError(ctx.user, L"文件中的配置文件类型不符: " + profile->kind);
    return std::nullopt;
  }
  if (!wellFormed) {
    ShowError(ctx.user, L"文件已损坏, 不是有效的配置文件!");
    return std::nullopt;
  }
  if (StoredProfileExists(ctx.registry, ctx.profilesRoot, kind, profile->name) &&
      !platform::AskOkCancel(ctx.user, L"警告!", L"覆盖配置文件 " + profile->name + L" ?",
                             platform::MessageIcon::Warning, 0))
    return std::nullopt;
  WriteStoredProfile(ctx.registry, ctx.profilesRoot, kind, *profile);
  return profile->name;
}

}  // namespace corvane::settings
