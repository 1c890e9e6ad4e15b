// Registry key paths of the System class: root, backslash, subkey path, backslash, value name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/registry.h"

namespace modRegistry {

// The root a path's first part names (HKEY_CLASSES_ROOT or HKCR, HKEY_CURRENT_USER or HKCU,
// HKEY_LOCAL_MACHINE or HKLM, HKEY_USERS or HKUR, in any letter case), and the rest after
// the first backslash. Nothing for another root or a path without a backslash.
struct KeyPath {
    HKEY root;
    std::u16string rest;
};
std::optional<KeyPath> SplitRoot(std::u16string_view path);

// A value's key and name: the rest split at its last backslash (an empty name is the key's
// default value). Nothing when the rest holds no backslash or the subkey is empty.
struct ValuePath {
    HKEY root;
    std::u16string subkey;
    std::u16string valueName;
};
std::optional<ValuePath> SplitValuePath(std::u16string_view path);

}  // namespace modRegistry
