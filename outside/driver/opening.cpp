#include "outside/driver/opening.h"

#include <new>

namespace corvane::driver {
namespace {

constexpr ULONG kPoolTag = 0x6E767243;  // "Crvn" in pool dumps

}  // namespace

Opening* Opening::Create() {
  void* memory = ExAllocatePoolWithTag(NonPagedPool, sizeof(Opening), kPoolTag);
  if (!memory) return nullptr;
  PEPROCESS process = IoGetCurrentProcess();
  ObReferenceObject(process);
  return new (memory) Opening(process);
}

void Opening::Free(Opening* opening) {
  if (!opening) return;
  opening->Release();
  ObDereferenceObject(opening->process_);
  opening->~Opening();
  ExFreePool(opening);
}

bool Opening::Add(const PhysicalView& view) {
  if (closing_ || count_ == kMaxViews) return false;
  views_[count_++] = view;
  return true;
}

bool Opening::Take(uint32_t userAddress, PhysicalView& view) {
  for (unsigned i = 0; i < count_; ++i) {
    if (views_[i].userAddress != userAddress) continue;
    view = views_[i];
    views_[i] = views_[--count_];
    return true;
  }
  return false;
}

void Opening::Release() {
  closing_ = true;
  while (count_ > 0) UnmapView(views_[--count_], process_);
}

}  // namespace corvane::driver
