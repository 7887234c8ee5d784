#include "games/restore_record.h"


#include "platform/registry_values.h"

namespace corvane::games {
namespace {

using platform::RegistryRoot;

constexpr size_t kPaletteBytes = 1024;
constexpr size_t kStartBytes = 8;

std::wstring RecordKey(const std::wstring& profilesRoot, uint32_t processId) {
  return RestoreRecordsKey(profilesRoot) + L"\\" + std::to_wstring(processId);
}

std::optional<uint32_t> ParseProcessId(const std::wstring& name) {
  if (name.empty() || name.size() > 10) return std::nullopt;
  uint64_t value = 0;
  for (wchar_t c : name) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - L'0');
  }
  if (value == 0 || value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<uint32_t>(value);
}

void PutLittleEndian(uint8_t* out, uint64_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t GetLittleEndian(const uint8_t* in, size_t bytes) {
  uint64_t value = 0;
  for (size_t i = 0; i < bytes; ++i) value |= static_cast<uint64_t>(in[i]) << (8 * i);
  return value;
}

std::wstring Text(const platform::RegistryKey& key, const wchar_t* name) {
  return platform::ReadRegString(key, name).value_or(L"");
}

uint32_t Number(const platform::RegistryKey& key, const wchar_t* name) {
  return platform::ReadRegDword(key, name).value_or(0);
}

std::optional<platform::DisplayMode> ReadMode(const platform::RegistryKey& key) {
  std::optional<uint32_t> width = platform::ReadRegDword(key, L"ModeWidth");
  std::optional<uint32_t> height = platform::ReadRegDword(key, L"ModeHeight");
  std::optional<uint32_t> bits = platform::ReadRegDword(key, L"ModeBits");
  std::optional<uint32_t> rate = platform::ReadRegDword(key, L"ModeRate");
  if (!width || !height || !bits || !rate || *width == 0 || *height == 0 || *bits == 0) return std::nullopt;
  platform::DisplayMode mode;
  mode.fields = platform::DisplayModeField::Resolution;
  mode.width = *width;
  mode.height = *height;
  mode.bitsPerPel = *bits;
  mode.frequency = *rate;
  return mode;
}

std::optional<display::ColorTable> ReadTable(const platform::RegistryKey& key) {
  std::optional<std::vector<uint8_t>> bytes = platform::ReadRegBinary(key, L"Palette");
  if (!bytes || bytes->size() != kPaletteBytes) return std::nullopt;
  display::ColorTable table{};
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint32_t>(GetLittleEndian(bytes->data() + 4 * i, 4));
  return table;
}

}  // namespace

std::wstring RestoreRecordsKey(const std::wstring& profilesRoot) { return profilesRoot + L"GameRestore"; }

void WriteRestoreRecord(platform::Registry& registry, const std::wstring& profilesRoot, const GameRun& run) {
  const std::wstring path = RecordKey(profilesRoot, run.processId);
  registry.DeleteKey(RegistryRoot::CurrentUser, path);
  auto key = registry.OpenKey(RegistryRoot::CurrentUser, path, true);
  if (!key) return;
  uint8_t start[kStartBytes];
  PutLittleEndian(start, run.processStart, kStartBytes);
  platform::WriteRegBinary(*key, L"ProcessStart", start);
  platform::WriteRegString(*key, L"Profile", run.profileName);
  platform::WriteRegString(*key, L"File", run.profile.File);
  platform::WriteRegDword(*key, L"UseOver", run.profile.UseOver);
  platform::WriteRegString(*key, L"OverName", run.profile.OverName);
  platform::WriteRegDword(*key, L"UseAfter", run.profile.UseAfter);
  platform::WriteRegString(*key, L"AfterName", run.profile.AfterName);
  platform::WriteRegDword(*key, L"RestoreD3D", run.profile.RestoreD3D);
  platform::WriteRegDword(*key, L"RestoreOGL", run.profile.RestoreOGL);
  platform::WriteRegString(*key, L"ColorProfile", run.profile.ColorProfile);
  platform::WriteRegDword(*key, L"ExitAfterGame", run.profile.ExitAfterGame);
  if (run.desktopMode) {
    platform::WriteRegDword(*key, L"ModeWidth", run.desktopMode->width);
    platform::WriteRegDword(*key, L"ModeHeight", run.desktopMode->height);
    platform::WriteRegDword(*key, L"ModeBits", run.desktopMode->bitsPerPel);
    platform::WriteRegDword(*key, L"ModeRate", run.desktopMode->frequency);
  }
  if (run.savedTable) {
    std::vector<uint8_t> bytes(kPaletteBytes);
    for (size_t i = 0; i < run.savedTable->size(); ++i) PutLittleEndian(bytes.data() + 4 * i, (*run.savedTable)[i], 4);
    platform::WriteRegBinary(*key, L"Palette", bytes);
  }
}

void DeleteRestoreRecord(platform::Registry& registry, const std::wstring& profilesRoot, uint32_t processId) {
  registry.DeleteKey(RegistryRoot::CurrentUser, RecordKey(profilesRoot, processId));
  // The container goes with its last record, so a clean registry stays clean.
  auto records = registry.OpenKey(RegistryRoot::CurrentUser, RestoreRecordsKey(profilesRoot), false);
  if (records && records->SubKeyNames().empty() && records->ValueNames().empty()) {
    records.reset();
    registry.DeleteKey(RegistryRoot::CurrentUser, RestoreRecordsKey(profilesRoot));
  }
}

std::vector<GameRun> ReadRestoreRecords(platform::Registry& registry, const std::wstring& profilesRoot) {
  std::vector<GameRun> runs;
  auto records = registry.OpenKey(RegistryRoot::CurrentUser, RestoreRecordsKey(profilesRoot), false);
  if (!records) return runs;
  for (const std::wstring& name : records->SubKeyNames()) {
    std::optional<uint32_t> processId = ParseProcessId(name);
    if (!processId) {
      registry.DeleteKey(RegistryRoot::CurrentUser, RestoreRecordsKey(profilesRoot) + L"\\" + name);
      continue;
    }
    auto key = registry.OpenKey(RegistryRoot::CurrentUser, RecordKey(profilesRoot, *processId), false);
    if (!key) continue;
    GameRun run;
    run.processId = *processId;
    std::optional<std::vector<uint8_t>> start = platform::ReadRegBinary(*key, L"ProcessStart");
    if (start && start->size() == kStartBytes) run.processStart = GetLittleEndian(start->data(), kStartBytes);
    run.profileName = Text(*key, L"Profile");
    run.profile.File = Text(*key, L"File");
    run.profile.UseOver = Number(*key, L"UseOver");
    run.profile.OverName = Text(*key, L"OverName");
    run.profile.UseAfter = Number(*key, L"UseAfter");
    run.profile.AfterName = Text(*key, L"AfterName");
    run.profile.RestoreD3D = Number(*key, L"RestoreD3D");
    run.profile.RestoreOGL = Number(*key, L"RestoreOGL");
    run.profile.ColorProfile = Text(*key, L"ColorProfile");
    run.profile.ExitAfterGame = Number(*key, L"ExitAfterGame");
    run.desktopMode = ReadMode(*key);
    run.savedTable = ReadTable(*key);
    runs.push_back(std::move(run));
  }
  return runs;
}

}  // namespace corvane::games
