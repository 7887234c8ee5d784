#include "app/command_line.h"

#include "platform/text_encoding.h"

namespace corvane {

std::wstring CommandLine::Param(size_t n) const {
  if (n == 0 || n > parameters_.size()) return {};
  return parameters_[n - 1];
}

bool CommandLine::HasSwitch(std::wstring_view name) const {
  for (const auto& parameter : parameters_) {
    if (parameter.size() < 2 || (parameter[0] != L'-' && parameter[0] != L'/')) continue;
    if (platform::EqualsNoCase(std::wstring_view(parameter).substr(1), name)) return true;
  }
  return false;
}

}  // namespace corvane
