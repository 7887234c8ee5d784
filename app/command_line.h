#pragma once
// The program's parameters, read the way start-up and the game launcher expect:
// numbered from 1, and switches that start with '-' or '/' found without case.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class CommandLine {
 public:
  CommandLine() = default;
  // The parameters after the program's own name.
  explicit CommandLine(std::vector<std::wstring> parameters) : parameters_(std::move(parameters)) {}

  size_t Count() const { return parameters_.size(); }
  // Parameter n, counting from 1; empty beyond the last.
  std::wstring Param(size_t n) const;
  // True when a parameter is '-' or '/' followed by `name` (compared without case).
  bool HasSwitch(std::wstring_view name) const;

 private:
  std::vector<std::wstring> parameters_;
};

}  // namespace corvane
