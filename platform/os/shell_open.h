// Opening a document, folder or address with the program the desktop associates with it:
// xdg-open, started directly (no shell), with the target as its one argument (a relative path
// as ./path, never read as an option).
#pragma once

#include <memory>
#include <string_view>

#include "platform/os/process.h"

namespace os {

// The started xdg-open; null when the target names no existing file and is no address, or
// when xdg-open cannot be started. It took the target when it ends with status 0, or while it
// is still busy (the opened program may run on inside it).
std::shared_ptr<ChildProcess> StartShellOpen(std::u16string_view target);

}  // namespace os
