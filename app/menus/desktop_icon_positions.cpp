#include "app/menus/desktop_icon_positions.h"

#include "settings/value_text.h"
#include <cwchar>
#include <iterator>

#include "settings/global.h"
#include "app/menus/menu_text.h"
#include "platform/desktop_icons.h"
#include "platform/registry_values.h"

namespace corvane::menus {

namespace {

using platform::RegistryRoot;

const wchar_t kSaveDateValue[] = L"IconsSaveDate";
constexpr size_t kPositionSize = 8;

void PutInt32(uint8_t* out, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t GetInt32(const uint8_t* in) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<uint32_t>(in[i]) << (8 * i);
  return static_cast<int32_t>(bits);
}

// Today's local date, as the registry's date-times count days.
double Today(MenuContext& ctx) {
  const platform::CalendarDate today = ctx.ports.clock.Today();
  return settings::EncodeDate(today.year, today.month, today.day).days;
}

void Inform(MenuContext& ctx, const wchar_t* text) {
  ctx.ports.user.ShowMessage(
      {.caption = L"信息", .text = text, .icon = platform::MessageIcon::Information});
}

}  // namespace

void SaveIconPositions(MenuContext& ctx, const std::wstring& key) {
  std::unique_ptr<platform::DesktopIconView> view = ctx.ports.desktopIcons.Open();
  if (!view) return;
  const int count = view->ItemCount();
  ctx.ports.registry.DeleteKey(RegistryRoot::CurrentUser, key);
  auto out = ctx.ports.registry.OpenKey(RegistryRoot::CurrentUser, key, true);
  if (!out) return;
  for (int index = 0; index < count; ++index) {
    std::optional<std::wstring> text = view->ItemText(index);
    std::optional<platform::IconPosition> position = view->ItemPosition(index);
    if (!text || !position) continue;
    uint8_t bytes[kPositionSize];
    PutInt32(bytes, position->x);
    PutInt32(bytes + 4, position->y);
    platform::WriteRegBinary(*out, *text, bytes);
  }
}

void RestoreIconPositions(MenuContext& ctx, const std::wstring& key) {
  std::unique_ptr<platform::DesktopIconView> view = ctx.ports.desktopIcons.Open();
  if (!view) return;
  const uint32_t style = view->Style();
  const bool arranging = (style & platform::kDesktopAutoArrangeStyle) != 0;
  if (arranging) view->SetStyle(style & ~platform::kDesktopAutoArrangeStyle);

  if (auto saved = ctx.ports.registry.OpenKey(RegistryRoot::CurrentUser, key, false)) {
    for (const std::wstring& name : saved->ValueNames()) {
      std::optional<platform::RegistryValue> value = saved->ReadValue(name);
      // Anything but the 8-byte record is not ours (or damaged): leave that icon alone.
      if (!value || value->type != platform::RegType::Binary || value->data.size() != kPositionSize) continue;
      std::optional<int> index = view->FindItem(name);
      if (!index) continue;
      view->SetItemPosition(*index, {GetInt32(value->data.data()), GetInt32(value->data.data() + 4)});
    }
  }
  if (arranging) view->SetStyle(style);
}

void RefreshDesktopIconItems(MenuContext& ctx, ui::TPopupMenu& pm1) {
  std::optional<double> saved;
  if (auto root = ctx.ports.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot, false))
    saved = platform::ReadRegDouble(*root, kSaveDateValue);
  ui::TMenuItem& restore = pm1.Item(L"LDIP1");
  ui::TMenuItem& forget = pm1.Item(L"DSP1");
  restore.Enabled = saved.has_value();
  forget.Visible = saved.has_value();
  if (saved) {
    wchar_t caption[96];
    std::swprintf(caption, std::size(caption), L"删除保存的位置 (保存日期 %ls)", DateText(*saved).c_str());
    forget.Caption = caption;
  }
}

void WireDesktopIconCommands(MenuContext& ctx, ui::TPopupMenu& pm1) {
  pm1.Item(L"SaveDIP1").OnClick = [&ctx](ui::TMenuItem&) {
    SaveIconPositions(ctx, global::IconsKey);
    if (auto root = ctx.ports.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot, true))
      platform::WriteRegDouble(*root, kSaveDateValue, Today(ctx));
    Inform(ctx, L"保存");
  };
  pm1.Item(L"LDIP1").OnClick = [&ctx](ui::TMenuItem&) {
    RestoreIconPositions(ctx, global::IconsKey);
    Inform(ctx, L"所有图标位置恢复");
  };
  pm1.Item(L"DSP1").OnClick = [&ctx](ui::TMenuItem&) {
    if (auto root = ctx.ports.registry.OpenKey(RegistryRoot::CurrentUser, global::ProfilesRoot, false))
      root->DeleteValue(kSaveDateValue);
    ctx.ports.registry.DeleteKey(RegistryRoot::CurrentUser, global::IconsKey);
  };
}

}  // namespace corvane::menus
