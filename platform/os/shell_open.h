// Opening a document, folder or address with the program the desktop associates with it:
// xdg-open, started directly (no shell), with the target as its one argument.
#pragma once

#include <chrono>
#include <string_view>

namespace os {

// True when xdg-open took the target: it ended with status 0 within the wait, or it is still
// busy then (the opened program may run on inside it). False when the target names no existing
// file and is no address, when xdg-open cannot be started, or when it reports a failure.
bool ShellOpen(std::u16string_view target, std::chrono::milliseconds wait = std::chrono::seconds(5));

}  // namespace os
