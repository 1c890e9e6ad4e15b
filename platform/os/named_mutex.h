// Named mutexes that other processes of the user see and that vanish with their holder: an
// exclusive flock on a lock file named after the mutex in the user's runtime folder
// ($XDG_RUNTIME_DIR/tavrel-mutexes, else /tmp/tavrel-<uid>/mutexes, made private to the user).
// Every creation holds the lock through a file description of its own, so a second creation of
// a held name fails in the holder's process too; a process that ends lets go of its locks.
// Closing the last handle removes the lock file; the file of a process that died holding it
// stays until the name is next created and closed. A lock file is no mutex.
#pragma once

#include <string_view>

#include "platform/automation/types.h"

namespace os {

// What creating a named mutex gave: a handle (0 when none) and the system error code, 0 on
// success, 183 (ERROR_ALREADY_EXISTS, no handle) when the mutex is held already. The empty name
// makes a mutex nobody else can see.
struct MutexCreation {
    LONG handle = 0;
    DWORD error = 0;
};

MutexCreation CreateNamedMutex(std::u16string_view name);
// 0, or ERROR_INVALID_HANDLE for a number that is not an open mutex handle.
DWORD CloseNamedMutex(LONG handle);

}  // namespace os
