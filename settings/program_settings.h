#pragma once
// The program's flat settings (`reg1`): every value the program keeps under its own
// key, with its type and default, in the order the store loads and saves them.

#include <memory>

#include "settings/reg_values.h"

namespace corvane::settings {

// Declares the fifty-one values on `values` and points it at the program's key.
void DeclareProgramSettings(TRegValues& values);

// A store with the values declared and loaded from the registry.
std::unique_ptr<TRegValues> CreateProgramSettings(platform::Registry& registry);

}  // namespace corvane::settings
