// The keys and values of one store, read and written inside a transaction. Key rows 1 to 4 are
// the roots; a store that does not exist yet holds nothing but them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/store.h"

namespace tavrel::registry {

using KeyId = int64_t;

constexpr KeyId kClassesRootId = 1;
constexpr KeyId kUsersId = 4;
constexpr bool IsRootId(KeyId id) { return id >= kClassesRootId && id <= kUsersId; }

// How many levels of keys a root may hold below it, as the platform's registry allows.
constexpr size_t kMaxKeyDepth = 512;

struct SubkeyEntry {
    std::string folded;  // where it stands in the enumeration
    std::u16string name;
    std::u16string className;
    int64_t written = 0;  // 100-nanosecond intervals since 1601, as FILETIME counts
};

struct ValueEntry {
    int64_t id = 0;  // where it stands in the enumeration
    std::u16string name;
    DWORD type = REG_NONE;
    std::string data;
};

class KeyTable {
public:
    explicit KeyTable(Transaction& transaction);

    bool exists(KeyId id);
    std::optional<KeyId> parentOf(KeyId id);
    std::optional<KeyId> child(KeyId parent, std::u16string_view name);
    std::optional<KeyId> find(KeyId from, const std::vector<std::u16string_view>& path);
    KeyId createChild(KeyId parent, std::u16string_view name, LPCOLESTR className);
    bool hasSubkeys(KeyId id);
    // Subkeys in the order of their folded names: by index, or the one after a given one.
    std::optional<SubkeyEntry> subkeyAt(KeyId parent, DWORD index);
    std::optional<SubkeyEntry> subkeyAfter(KeyId parent, const SubkeyEntry& previous);

    std::optional<ValueEntry> value(KeyId key, std::u16string_view name);
    // Values in the order they were first set: by index, or the one after a given one.
    std::optional<ValueEntry> valueAt(KeyId key, DWORD index);
    std::optional<ValueEntry> valueAfter(KeyId key, const ValueEntry& previous);
    // A value set again keeps its place and the case of its first name.
    void setValue(KeyId key, std::u16string_view name, DWORD type, std::string_view data);
    bool deleteValue(KeyId key, std::u16string_view name);

    // Removes the key with its values; the caller makes sure it has no subkeys.
    void deleteKey(KeyId id);
    // Removes every subkey below the key, with everything in them, and the key's own values.
    void deleteContents(KeyId id);
    // Marks the key as written now.
    void touch(KeyId id);

private:
    Store& store_;
    bool present_;
};

}  // namespace tavrel::registry
