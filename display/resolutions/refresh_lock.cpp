#include "display/resolutions/refresh_lock.h"

#include <algorithm>

#include "display/resolutions/res_class.h"
#include "platform/registry_values.h"

namespace corvane::display {
namespace {

std::wstring KeyPath(const std::wstring& profilesRoot) { return profilesRoot + L"ROV"; }

// Width + height; a text that is no mode sorts first.
int SizeSum(const std::wstring& resolution) {
  std::optional<ModeSize> size = ParseModeText(resolution);
  return size ? size->width + size->height : 0;
}

}  // namespace

RefreshLockTable RefreshLockTable::Load(platform::Registry& registry, const std::wstring& profilesRoot) {
  RefreshLockTable table;
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, KeyPath(profilesRoot), false);
  if (!key) return table;
  for (const std::wstring& name : key->ValueNames()) {
    std::optional<uint32_t> rate = platform::ReadRegDword(*key, name);
    if (rate && *rate != 0) table.rows_.push_back({name, *rate});
  }
  table.Order();
  return table;
}

void RefreshLockTable::Save(platform::Registry& registry, const std::wstring& profilesRoot) const {
  registry.DeleteKey(platform::RegistryRoot::CurrentUser, KeyPath(profilesRoot));
  auto key = registry.OpenKey(platform::RegistryRoot::CurrentUser, KeyPath(profilesRoot), true);
  if (!key) return;
  for (const LockRow& row : rows_) platform::WriteRegDword(*key, row.resolution, row.rate);
}

void RefreshLockTable::AddOrReplace(const std::wstring& resolution, uint32_t rate) {
  auto same = std::find_if(rows_.begin(), rows_.end(), [&](const LockRow& row) { return row.resolution == resolution; });
  if (same != rows_.end())
    same->rate = rate;
  else
    rows_.push_back({resolution, rate});
  Order();
}

void RefreshLockTable::Remove(size_t index) {
  if (index < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

void RefreshLockTable::Order() {
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const LockRow& a, const LockRow& b) { return SizeSum(a.resolution) < SizeSum(b.resolution); });
}


}  // namespace corvane::display
