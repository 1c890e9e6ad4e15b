// The errors of the regular-expression object: the engine's numbers and texts.
#pragma once

#include <string>

#include "platform/automation/error.h"

namespace regexp {

// Raises the error with the engine's own text for the number.
[[noreturn]] void RaiseError(LONG number);
// Raises 5017 for a pattern that goes past a limit of the engine: at compile time (too large,
// nested too deeply) or while matching (backtracking limits). `what` says which.
[[noreturn]] void RaiseLimitError(const std::u16string& what);

}  // namespace regexp
