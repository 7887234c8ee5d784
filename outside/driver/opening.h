#pragma once
// One opening of the device, that is one handle: the process that opened it and the
// views mapped through it. Only that process maps and unmaps through the handle; its
// views go when they are unmapped or when the handle is closed, and no other address
// can be unmapped through it (a process's other views, its DLLs, stay untouched).

#include <stdint.h>

#include "outside/driver/kernel.h"
#include "outside/driver/physical_views.h"

namespace corvane::driver {

class Opening {
 public:
  static constexpr unsigned kMaxViews = 32;

  // Allocated from non-paged pool; null when there is none. Holds a reference on the
  // current process until Free.
  static Opening* Create();
  static void Free(Opening* opening);

  PEPROCESS Process() const { return process_; }
  // Set when the handle is being closed: no view is added after that.
  bool Closing() const { return closing_; }

  // False when the table is full or the handle is closing.
  bool Add(const PhysicalView& view);
  // Takes the view that `userAddress` was returned for out of the table.
  bool Take(uint32_t userAddress, PhysicalView& view);
  // Unmaps every view left and refuses new ones.
  void Release();

 private:
  explicit Opening(PEPROCESS process) : process_(process) {}

  PEPROCESS process_;
  PhysicalView views_[kMaxViews] = {};
  unsigned count_ = 0;
  bool closing_ = false;
};

}  // namespace corvane::driver
