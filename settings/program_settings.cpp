#include "settings/program_settings.h"

#include "settings/global.h"

namespace corvane::settings {
namespace {

struct SettingDeclaration {
  const wchar_t* name;
  TValueType type;
  const wchar_t* defaultText;
  const wchar_t* subKey;
};

constexpr TValueType kFloat = TValueType::vtFloat;
constexpr TValueType kBool = TValueType::vtBoolean;
constexpr TValueType kString = TValueType::vtString;
constexpr TValueType kInt = TValueType::vtInteger;
constexpr const wchar_t* kHardware = L"\\Profiles\\Hardware";

// Order matters: values load and save in this order.
constexpr SettingDeclaration kSettings[] = {
    {L"ShowDDR", kBool, L"FALSE", nullptr},
    {L"AutoLoad", kBool, L"FALSE", nullptr},
    {L"SuspendRestore", kBool, L"FALSE", nullptr},
    {L"2dprofile", kString, L"", nullptr},
    {L"3dprofile", kString, L"", nullptr},
    {L"Enable2d3d", kBool, L"FALSE", nullptr},
    {L"IntVTR", kString, L"1.0", nullptr},
    {L"LastDir", kString, L"", nullptr},
    {L"RunProfile", kString, L"", nullptr},
    {L"Proc_ID", kInt, L"0", nullptr},
    {L"LastDeviceID", kInt, L"0", nullptr},
    {L"ROVEnabled", kBool, L"FALSE", nullptr},
    {L"EnableHotKeys", kBool, L"FALSE", nullptr},
    {L"deft1", kFloat, L"0", nullptr},
    {L"deft2", kFloat, L"0", nullptr},
    {L"ApplyHardware", kBool, L"FALSE", kHardware},
    {L"PCILatency", kInt, L"0", kHardware},
    {L"RestoreHardware", kBool, L"FALSE", kHardware},
    {L"AutoOverProfile", kString, L"", nullptr},
    {L"play3ds", kBool, L"FALSE", nullptr},
    {L"play2ds", kBool, L"FALSE", nullptr},
    {L"play3df", kString, L"", nullptr},
    {L"play2df", kString, L"", nullptr},
    {L"LoadColor", kBool, L"FALSE", nullptr},
    {L"LoadColorProfile", kString, L"", nullptr},
    {L"OEMVersion", kInt, L"0", nullptr},
    {L"OEMIcon", kString, L"", nullptr},
    {L"OEMBrandText", kString, L"", nullptr},
    {L"OEMLink", kString, L"", nullptr},
    {L"OEMLinkCaption", kString, L"", nullptr},
    {L"ClockMode", kInt, L"0", nullptr},
    {L"deft3", kFloat, L"0", nullptr},
    {L"AudioFolder", kString, L"c:\\", nullptr},
    {L"AudioLimit", kInt, L"0", nullptr},
    {L"AudioSeconds", kInt, L"60", nullptr},
    {L"AudioComp", kString, L"", nullptr},
    {L"AudioFormat", kString, L"", nullptr},
    {L"use_limits", kBool, L"TRUE", nullptr},
    {L"up_limit", kInt, L"50", nullptr},
    {L"down_limit", kInt, L"20", nullptr},
    {L"swap_buttons", kBool, L"FALSE", nullptr},
    {L"res_dont_ask_rate", kBool, L"FALSE", nullptr},
    {L"res_select_refresh_max", kBool, L"FALSE", nullptr},
    {L"res_dont_wait", kBool, L"FALSE", nullptr},
    {L"use_skinned_menu", kBool, L"TRUE", nullptr},
    {L"Use_LoadDisplays", kBool, L"FALSE", nullptr},
    {L"LoadDisplays", kString, L"", nullptr},
    {L"SSFolder", kString, L"c:\\", nullptr},
    {L"SSAddTime", kBool, L"FALSE", nullptr},
    {L"UseNew3DApply", kBool, L"TRUE", nullptr},
    {L"confirm_new_clocks", kBool, L"FALSE", nullptr},
};

static_assert(std::size(kSettings) == 51);

}  // namespace

void DeclareProgramSettings(TRegValues& values) {
  values.RootKey = TRootKey::rkHKEY_CURRENT_USER;
  values.Key = L"\\" + global::ProgramKey;
  values.CanCreate = true;
  values.AutoLoad = true;
  values.AutoSave = true;
  for (const auto& setting : kSettings) {
    TRegValue& item = values.Items.Add(setting.name, setting.type, setting.defaultText);
    if (setting.subKey) item.SetSubKey(setting.subKey);
    item.SetAutoStore(true);
  }
}

std::unique_ptr<TRegValues> CreateProgramSettings(platform::Registry& registry) {
  auto values = std::make_unique<TRegValues>(registry);
  DeclareProgramSettings(*values);
  values->Loaded();
  return values;
}

}  // namespace corvane::settings
