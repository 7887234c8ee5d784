#include "app/options/profile_backup.h"

#include <optional>

#include "platform/threading.h"
#include "settings/global.h"

namespace corvane::options {
namespace {

constexpr char kUtf16Mark[] = "\xFF\xFE";
// Exports of the profiles are small; anything near this is not one.
constexpr size_t kLargestScript = 64u << 20;

std::string Utf16Bytes(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

// The key path is ASCII: its characters as single bytes.
std::string AsciiBytes(std::wstring_view text) {
  std::string bytes;
  for (wchar_t c : text) bytes.push_back(static_cast<char>(c));
  return bytes;
}

// Where the header line ends (after its '\n'), with the line end it uses; for a UTF-16
// script counted in bytes on whole characters.
struct HeaderEnd {
  size_t at;
  bool crlf;
};

std::optional<HeaderEnd> FindHeaderEnd(std::string_view script, size_t start, size_t unit) {
  for (size_t i = start; i + unit <= script.size(); i += unit) {
    const bool newline = script[i] == '\n' && (unit == 1 || script[i + 1] == '\0');
    if (!newline) continue;
    const bool crlf = i >= start + unit && script[i - unit] == '\r';
    return HeaderEnd{i + unit, crlf};
  }
  return std::nullopt;
}

void Tell(platform::UserInteraction& user, const wchar_t* caption, const std::wstring& text, platform::MessageIcon icon) {
  user.ShowMessage({caption, text, icon, platform::MessageButtons::Ok});
}

// regedit with those switches, waited for; the script it left, if any.
std::optional<std::string> Export(const ProfileBackupContext& context, platform::WholeFile& file, std::wstring_view switches,
                                  const std::wstring& path) {
  // An empty file first: whatever is there afterwards is this run's.
  if (!file.Replace("")) return std::nullopt;
  std::unique_ptr<platform::Process> regedit =
      context.shell.StartProcess(BackupCommandLine(switches, path), platform::ShowCommand::Hide);
  if (!regedit) return std::nullopt;
  regedit->Wait(platform::kWaitForever);
  std::optional<std::string> script = file.Read(kLargestScript);
  if (!script || script->empty()) return std::nullopt;
  return script;
}

}  // namespace

std::wstring ProfilesKeyName() {
  std::wstring key = L"HKEY_CURRENT_USER" + global::ProfilesRoot;
  while (!key.empty() && key.back() == L'\\') key.pop_back();
  return key;
}

std::wstring BackupCommandLine(std::wstring_view switches, const std::wstring& file) {
  return L"regedit " + std::wstring(switches) + L" \"" + file + L"\" \"" + ProfilesKeyName() + L"\"";
}

std::optional<std::string> WithDeletingLine(std::string_view script) {
  const std::wstring line = L"[-" + ProfilesKeyName() + L"]";
  const bool utf16 = script.starts_with(std::string_view(kUtf16Mark, 2));
  const size_t unit = utf16 ? 2 : 1;
  const std::optional<HeaderEnd> header = FindHeaderEnd(script, utf16 ? 2 : 0, unit);
  if (!header) return std::nullopt;
  const std::wstring inserted = line + (header->crlf ? L"\r\n" : L"\n");
  std::string result(script.substr(0, header->at));
  result += utf16 ? Utf16Bytes(inserted) : AsciiBytes(inserted);
  result += script.substr(header->at);
  return result;
}

void BackupProfiles(const ProfileBackupContext& context) {
  const std::optional<std::wstring> path =
      context.user.ChooseSaveFile({L"注册表文件 (*.reg)|*.reg", L"", L"", L"", L"reg"});
  if (!path) return;
  std::unique_ptr<platform::WholeFile> file = context.openFile(*path);
  std::optional<std::string> script;
  if (file) {
    script = Export(context, *file, L"/ea", *path);
    // A regedit that takes no "/ea" leaves nothing: it still writes the Unicode script.
    if (!script) script = Export(context, *file, L"/e", *path);
  }
  const std::optional<std::string> restoring = script ? WithDeletingLine(*script) : std::nullopt;
  if (!restoring || !file->Replace(*restoring)) {
    Tell(context.user, L"错误", L"配置未能保存到 " + *path + L"!", platform::MessageIcon::Error);
    return;
  }
  Tell(context.user, L"信息", L"配置已保存到 " + *path + L".", platform::MessageIcon::Information);
}

}  // namespace corvane::options
