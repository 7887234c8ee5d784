#pragma once
// Every export of our plug-in libraries runs its work through this: nothing may unwind
// into the host, whose frames know nothing of this library's exceptions.

namespace corvane::plugins {

template <class F>
void Guarded(F&& action) {
  try {
    action();
  } catch (...) {
  }
}

}  // namespace corvane::plugins
