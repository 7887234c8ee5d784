#include "outside/hook_shell/handles.h"

namespace corvane::outside {

ReportView::ReportView(const wchar_t* name, size_t size)
    : mapping_(OpenFileMappingW(FILE_MAP_WRITE, FALSE, name)), size_(size) {
  if (mapping_) view_ = MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, size);
}

ReportView::~ReportView() {
  if (view_) UnmapViewOfFile(view_);
}

bool SignalNamedEvent(const wchar_t* name) {
  UniqueHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, name));
  return event && SetEvent(event.get());
}

}  // namespace corvane::outside
