#include "app/menus/menu_text.h"

#include <algorithm>
#include <cmath>

#include "settings/value_text.h"

namespace corvane::menus {

std::wstring UpperAscii(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return out;
}

std::vector<std::wstring> SortedNames(std::vector<std::wstring> names) {
  std::stable_sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
    return UpperAscii(a) < UpperAscii(b);
  });
  return names;
}

std::wstring FolderOf(std::wstring_view path) {
  size_t slash = path.find_last_of(L"\\:");
  if (slash == std::wstring_view::npos) return L"";
  return std::wstring(path.substr(0, slash + 1));
}

std::wstring DateText(double days) {
  // Only the date part: the time of day would not fit the caption.
  return settings::ValueToText(settings::TDateTime{std::floor(days)});
}

void AddProfileItems(ui::TMenuItem& menu, const std::vector<std::wstring>& names,
                     const std::function<void(const std::wstring& name)>& apply) {
  for (const std::wstring& name : names) {
    auto item = std::make_unique<ui::TMenuItem>();
    item->Caption = name;
    item->AutoHotkeys = false;
    item->OnClick = [apply, name](ui::TMenuItem&) {
      if (apply) apply(name);
    };
    menu.Add(std::move(item));
  }
}

std::wstring ChildKey(const std::wstring& root, const std::wstring& child) {
  std::wstring path = root;
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + child;
}

}  // namespace corvane::menus
