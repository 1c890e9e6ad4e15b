// Small conveniences over the registry calls for the component services: an owned key handle,
// reading a string value and writing keys with string values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/registry/registry.h"

namespace com::detail {

class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    RegKey(RegKey&& o) noexcept : key_(std::exchange(o.key_, nullptr)) {}
    ~RegKey() { if (key_) RegCloseKey(key_); }

    HKEY get() const { return key_; }
    PHKEY put() { return &key_; }

private:
    HKEY key_ = nullptr;
};

// The class's key under the classes root: "CLSID\{...}".
std::u16string ClassKey(REFCLSID clsid);

LSTATUS OpenKey(HKEY root, std::u16string_view path, RegKey& key);
bool KeyExists(HKEY root, std::u16string_view path);
// The string value (the key's default value for an empty name); nothing when the key or value
// is missing or the value is not a string.
std::optional<std::u16string> ReadString(HKEY root, std::u16string_view path, std::u16string_view valueName = {});
// Creates the key (and the keys above it) and, when data is given, sets the string value.
LSTATUS WriteKey(HKEY root, std::u16string_view path, std::optional<std::u16string_view> data = std::nullopt,
                 std::u16string_view valueName = {});

}  // namespace com::detail
