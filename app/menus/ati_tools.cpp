#include "app/menus/ati_tools.h"

#include "app/menus/menu_text.h"
#include "platform/registry_values.h"
#include "platform/shell.h"

namespace corvane::menus {

namespace {

using platform::RegistryRoot;

const std::wstring kAtiRoot = L"\\SOFTWARE\\ATI Technologies\\";
const std::wstring kMultimediaCenter = L"\\main\\ATIMMC.exe";

// The multimedia centre's four entry points: caption and command-line switch.
struct MmcEntry {
  const wchar_t* caption;
  const wchar_t* argument;
};
constexpr MmcEntry kMmcEntries[] = {
    {L"CD Audio", L"CD"}, {L"File Player", L"MFPlay"}, {L"TV", L"TV+"}, {L"Video CD", L"DSVCD"}};

void Run(MenuContext& ctx, const std::wstring& command) {
  ctx.ports.shell.RunCommand(command, platform::ShowCommand::Show);
}

void AddToolItem(MenuContext& ctx, ui::TMenuItem& menu, std::vector<std::wstring>& commands,
                 const std::wstring& caption, const std::wstring& command) {
  commands.push_back(command);
  auto item = std::make_unique<ui::TMenuItem>();
  item->Caption = caption;
  item->Tag = static_cast<int>(commands.size() - 1);
  item->AutoHotkeys = false;
  item->OnClick = [&ctx, &commands](ui::TMenuItem& sender) {
    if (sender.Tag >= 0 && static_cast<size_t>(sender.Tag) < commands.size()) Run(ctx, commands[sender.Tag]);
  };
  menu.Add(std::move(item));
}

// The package registers each tool as a sub-key: default value = caption, "Executable".
bool AddRegisteredTools(MenuContext& ctx, ui::TMenuItem& menu, std::vector<std::wstring>& commands) {
  const std::wstring programsPath = kAtiRoot + L"Desktop\\IconTA\\Programs";
  auto programs = ctx.ports.registry.OpenKey(RegistryRoot::LocalMachine, programsPath, false);
  if (!programs) return false;
  for (const std::wstring& name : programs->SubKeyNames()) {
    auto tool = ctx.ports.registry.OpenKey(RegistryRoot::LocalMachine, programsPath + L"\\" + name, false);
    if (!tool) continue;
    std::wstring caption = platform::ReadRegString(*tool, L"").value_or(L"");
    std::wstring command = platform::ReadRegString(*tool, L"Executable").value_or(L"");
    if (!caption.empty() && !command.empty()) AddToolItem(ctx, menu, commands, caption, command);
  }
  return true;
}

// Older packages only install the multimedia centre, whose modes are switches.
bool AddMultimediaCenter(MenuContext& ctx, ui::TMenuItem& menu, std::vector<std::wstring>& commands) {
  if (!ctx.ports.registry.OpenKey(RegistryRoot::LocalMachine, kAtiRoot, false)) return false;
  auto install = ctx.ports.registry.OpenKey(RegistryRoot::LocalMachine, kAtiRoot + L"Install", false);
  if (!install) return false;
  std::wstring folder = platform::ReadRegString(*install, L"ATIMMCInstallDir").value_or(L"");
  if (folder.empty() || !ctx.ports.shell.FileExists(folder + kMultimediaCenter)) return false;
  for (const MmcEntry& entry : kMmcEntries)
    AddToolItem(ctx, menu, commands, entry.caption,
                L"\"" + folder + kMultimediaCenter + L"\" /" + entry.argument);
  return true;
}

void SetHydraItem(ui::TMenuItem& item, bool running, const wchar_t* tool) {
  item.Caption = std::wstring(running ? L"Unload " : L"Load ") + tool;
  item.Tag = running ? 1 : 0;
}

}  // namespace

void RebuildAtiTools(MenuContext& ctx, ui::TMenuItem& atiSoftware, std::vector<std::wstring>& commands) {
  commands.clear();
  atiSoftware.DeleteFrom(0);
  atiSoftware.Visible = AddRegisteredTools(ctx, atiSoftware, commands) ||
                        AddMultimediaCenter(ctx, atiSoftware, commands);
}

HydraVisionTools DetectHydraVisionTools(platform::Registry& registry) {
  const std::wstring root = kAtiRoot + L"Desktop\\HydraVision";
  HydraVisionTools tools;
  if (!registry.OpenKey(RegistryRoot::LocalMachine, root, false)) return tools;
  std::wstring* targets[] = {&tools.controlPanel, &tools.desktopManager, &tools.multiDesktop};
  const wchar_t* keys[] = {L"\\HydraCPL", L"\\HydraDM", L"\\HydraMD"};
  for (size_t i = 0; i < 3; ++i) {
    auto key = registry.OpenKey(RegistryRoot::LocalMachine, root + keys[i], false);
    if (!key) return HydraVisionTools{};
    *targets[i] = platform::ReadRegString(*key, L"Executable").value_or(L"");
  }
  tools.present = true;
  return tools;
}

void RefreshHydraVisionCaptions(MenuContext& ctx, ui::TPopupMenu& pm1) {
  if (!pm1.Item(L"HYDRAVISION1").Visible) return;
  SetHydraItem(pm1.Item(L"LoadDesktopManager1"), ctx.ports.shell.WindowClassExists(L"wcAppianDesktop"),
               L"Desktop Manager");
  SetHydraItem(pm1.Item(L"LoadMultiDesc1"), ctx.ports.shell.WindowClassExists(L"wcAppianViewPort"),
               L"MultiDesktop");
}

void WireToolCommands(MenuContext& ctx, ui::TPopupMenu& pm1, const HydraVisionTools& tools) {
  // Copies: the tools are found once and never change while the program runs.
  pm1.Item(L"Settings3").OnClick = [&ctx, path = tools.controlPanel](ui::TMenuItem&) { Run(ctx, path); };
  pm1.Item(L"SetupWizard1").OnClick = [&ctx, path = tools.controlPanel](ui::TMenuItem&) {
    Run(ctx, FolderOf(path) + L"HydraWizard.exe");
  };
  pm1.Item(L"LoadDesktopManager1").OnClick = [&ctx, path = tools.desktopManager](ui::TMenuItem& sender) {
    Run(ctx, sender.Tag == 1 ? path + L" /unload" : path);
  };
  pm1.Item(L"LoadMultiDesc1").OnClick = [&ctx, path = tools.multiDesktop](ui::TMenuItem& sender) {
    Run(ctx, sender.Tag == 1 ? path + L" /unload" : path);
  };
  pm1.Item(L"ads1").OnClick = [&ctx](ui::TMenuItem&) { Run(ctx, L"atiprbxx.exe /a"); };
  pm1.Item(L"MonitorSettings1").OnClick = [&ctx](ui::TMenuItem&) {
    Run(ctx, L"rundll32 shell32.dll,Control_RunDLL desk.cpl,display,3");
  };
}

}  // namespace corvane::menus
