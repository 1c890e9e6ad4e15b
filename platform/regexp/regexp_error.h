// The errors of the regular-expression object: the engine's numbers and texts.
#pragma once

#include <string>

#include "platform/automation/error.h"

namespace regexp {

inline constexpr LONG kErrInvalidArgument = 5;
inline constexpr LONG kErrSyntax = 5017;
inline constexpr LONG kErrUnexpectedQuantifier = 5018;
inline constexpr LONG kErrExpectedBracket = 5019;
inline constexpr LONG kErrExpectedParenthesis = 5020;
inline constexpr LONG kErrInvalidRange = 5021;

inline constexpr char16_t kErrorSource[] = u"VBScript_RegExp_55";

// Raises the error with the engine's own text for the number.
[[noreturn]] void RaiseError(LONG number);
// Raises 5017 for a pattern that goes past a limit of the engine: at compile time (too large,
// nested too deeply) or while matching (backtracking limits). `what` says which.
[[noreturn]] void RaiseLimitError(const std::u16string& what);

}  // namespace regexp
