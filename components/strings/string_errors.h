// The run-time errors the string classes raise, and how a method gives them its source.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/automation/error.h"

namespace strings {

// Raises the error with the runtime's description and no source yet.
[[noreturn]] inline void Raise(LONG number) { throw ComError(number, {}, {}); }

// Runs a method's body; an error raised inside it without a source gets the method's.
template <class Body>
decltype(auto) WithErrorSource(std::u16string_view source, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (const ComError& error) {
        if (!error.source().empty()) throw;
        throw ComError(error.number(), std::u16string(source), error.description(), error.helpFile(),
                       error.helpContext());
    }
}

}  // namespace strings
