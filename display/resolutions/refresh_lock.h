#pragma once
// The refresh-rate lock table: one fixed rate per resolution ("1024x768x32" = 85), kept in
// the registry as one REG_DWORD per resolution under the program's Profiles\ROV key. The
// refresh-rate hook forces these rates while the lock is on.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace corvane::display {

struct LockRow {
  std::wstring resolution;  // "%dx%dx%d"
  uint32_t rate = 0;        // Hz
  bool operator==(const LockRow&) const = default;
};

class RefreshLockTable {
 public:
  // Every REG_DWORD with a rate that is not 0, ordered.
  static RefreshLockTable Load(platform::Registry& registry, const std::wstring& profilesRoot);
  // The key is made afresh with exactly these rows.
  void Save(platform::Registry& registry, const std::wstring& profilesRoot) const;

  // Replaces the rate of the row with this resolution, or adds a row; the rows stay
  // ordered by width + height.
  void AddOrReplace(const std::wstring& resolution, uint32_t rate);
  void Remove(size_t index);
  void Clear() { rows_.clear(); }
  const std::vector<LockRow>& Rows() const { return rows_; }

 private:
  void Order();
  std::vector<LockRow> rows_;
};

}  // namespace corvane::display
