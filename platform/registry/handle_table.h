// Open key handles and the store that calls on a root handle use.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/registry/key_table.h"
#include "platform/registry/registry.h"
#include "platform/registry/store.h"

namespace tavrel::registry {

// What a call works on: a key, the store it lives in, the rights its handle was opened with,
// and how many levels below its root the key stands.
struct KeyRef {
    std::shared_ptr<Store> store;
    KeyId id = 0;
    REGSAM access = 0;
    size_t depth = 0;
};

// Where the last enumeration through a handle stopped: the entry handed out at index, while the
// store still shows the same change stamp.
template <class Entry>
struct EnumerationCursor {
    std::optional<Entry> entry;
    DWORD index = 0;
    ChangeStamp stamp;
};

struct EnumerationCursors {
    EnumerationCursor<SubkeyEntry> subkeys;
    EnumerationCursor<ValueEntry> values;
};

// Where the store lives now: TAVREL_REGISTRY, else $XDG_CONFIG_HOME/tavrel/registry.db, else
// ~/.config/tavrel/registry.db.
std::string CurrentStorePath();

// The key behind a handle; a root handle names its root in the store at the current path.
// Throws ERROR_INVALID_HANDLE for anything but a root or an open handle.
KeyRef ResolveHandle(HKEY handle);
HKEY OpenHandle(const KeyRef& key);
// False when handle is not an open handle.
bool CloseHandle(HKEY handle);
// The enumeration cursors of an open handle; null for a root or a handle that is not open.
EnumerationCursors* CursorsOf(HKEY handle);

}  // namespace tavrel::registry
