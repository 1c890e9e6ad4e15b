// Handles that callers hold as numbers (Longs), each standing for an object of ours: a process
// or a named mutex. A number is never 0, and a number that is not open, or open for another
// kind of object, finds nothing.
#pragma once

#include <memory>

#include "platform/automation/types.h"

namespace os {

enum class HandleKind { Process, Mutex };

LONG OpenHandle(HandleKind kind, std::shared_ptr<void> object);
std::shared_ptr<void> FindHandle(HandleKind kind, LONG handle);
// False when the number was not open for that kind.
bool CloseHandle(HandleKind kind, LONG handle);

template <class T>
std::shared_ptr<T> FindHandleOf(HandleKind kind, LONG handle) {
    return std::static_pointer_cast<T>(FindHandle(kind, handle));
}

}  // namespace os
