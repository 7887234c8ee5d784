#pragma once
// A flag raised for as long as a command runs (a dialog open, a menu busy) and lowered
// again however the command ends, even by an exception; otherwise every later command
// would find it raised and do nothing.

namespace corvane::ui {

class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace corvane::ui
