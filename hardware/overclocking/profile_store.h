#pragma once
// Overclocking profiles in the registry: one key per profile under the profiles key's
// "over", holding "vpu" and "mem" (MHz, the real memory clock) and the packed timing
// values "t1".."t3" (0: not part of the profile), all as stored floats. Also the list
// entry a profile is shown as, and the programs kept out of the 2D/3D switch.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace corvane::overclocking {

// HKEY_CURRENT_USER paths.
std::wstring OverProfilesKey();
std::wstring OverProfileKey(const std::wstring& name);
std::wstring ExcludedFilesKey();

// A name as it is stored: / \ ? | " * < > : each become '_'.
std::wstring CleanProfileName(std::wstring name);

// "name * core:mem T1 T2 T3": clocks rounded to whole MHz (memory times
// `memoryFactor`, 2 where DDR clocks are shown), each flag "Tn" or empty.
std::wstring OverProfileEntry(const std::wstring& name, double vpu, double mem, int memoryFactor, bool t1, bool t2,
                              bool t3);
// The name back from an entry: the text before the blank before the first '*'.
std::wstring ProfileNameFromEntry(const std::wstring& entry);

struct StoredOverProfile {
  // Nothing when the value is missing or not a finite, non-negative number.
  std::optional<double> vpu;
  std::optional<double> mem;
  // 0 when missing or not a register value.
  uint32_t t1 = 0;
  uint32_t t2 = 0;
  uint32_t t3 = 0;
};

// Nothing when the profile's key does not exist.
std::optional<StoredOverProfile> ReadOverProfile(platform::Registry& registry, const std::wstring& name);
// Writes all five values under the name as given (clean it first).
bool WriteOverProfile(platform::Registry& registry, const std::wstring& name, double vpu, double mem, uint32_t t1,
                      uint32_t t2, uint32_t t3);
bool DeleteOverProfile(platform::Registry& registry, const std::wstring& name);
// In the registry's order.
std::vector<std::wstring> OverProfileNames(platform::Registry& registry);

// A stored timing value as a register value: 0 for anything that is not a whole number
// of 32 bits (a fraction is dropped).
uint32_t TimingFromStored(double value);

// Upper-case executable file names (value names of "exfiles").
std::vector<std::wstring> ReadExcludedFiles(platform::Registry& registry);
// Replaces the whole list.
void WriteExcludedFiles(platform::Registry& registry, const std::vector<std::wstring>& files);

}  // namespace corvane::overclocking
