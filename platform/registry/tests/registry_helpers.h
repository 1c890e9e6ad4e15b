// Small helpers shared by the registry test programs.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/registry.h"

namespace regtest {

// A key handle closed when the test is done with it.
class Key {
public:
    Key() = default;
    ~Key() { reset(); }
    Key(Key&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Key& operator=(Key&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    HKEY get() const { return handle_; }
    operator HKEY() const { return handle_; }
    PHKEY out() {
        reset();
        return &handle_;
    }
    void reset() {
        if (handle_) {
            EXPECT_EQ(RegCloseKey(handle_), ERROR_SUCCESS);
        }
        handle_ = nullptr;
    }

private:
    HKEY handle_ = nullptr;
};

inline Key CreateKey(HKEY parent, const char16_t* path, REGSAM access = KEY_ALL_ACCESS) {
    Key key;
    DWORD disposition = 0;
    EXPECT_EQ(RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.out(),
                              &disposition),
              ERROR_SUCCESS);
    return key;
}

inline LSTATUS OpenKey(HKEY parent, const char16_t* path, Key& key, REGSAM access = KEY_READ) {
    return RegOpenKeyExW(parent, path, 0, access, key.out());
}

inline bool KeyExists(HKEY parent, const char16_t* path) {
    Key key;
    return OpenKey(parent, path, key) == ERROR_SUCCESS;
}

// Stores text as REG_SZ with its terminating null, as the UTF-16 calls pass it.
inline LSTATUS SetString(HKEY key, const char16_t* name, const std::u16string& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
}

inline LSTATUS SetDword(HKEY key, const char16_t* name, DWORD number) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

// The value's type and bytes, or nothing when it cannot be read.
struct Value {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
inline std::optional<Value> QueryValue(HKEY key, const char16_t* name) {
    Value value;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    value.data.resize(size);
    if (RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.data.resize(size);
    return value;
}

// A REG_SZ value's text without its terminating null.
inline std::optional<std::u16string> QueryString(HKEY key, const char16_t* name) {
    std::optional<Value> value = QueryValue(key, name);
    if (!value || value->type != REG_SZ || value->data.size() < 2) return std::nullopt;
    std::u16string text(value->data.size() / 2 - 1, u'\0');
    std::memcpy(text.data(), value->data.data(), text.size() * 2);
    return text;
}

inline std::vector<std::u16string> SubkeyNames(HKEY key) {
    std::vector<std::u16string> names;
    char16_t buffer[512];
    while (RegEnumKeyW(key, static_cast<DWORD>(names.size()), buffer, 512) == ERROR_SUCCESS) names.emplace_back(buffer);
    return names;
}

inline std::vector<std::u16string> ValueNames(HKEY key) {
    std::vector<std::u16string> names;
    char16_t buffer[512];
    DWORD length = 512;
    while (RegEnumValueW(key, static_cast<DWORD>(names.size()), buffer, &length, nullptr, nullptr, nullptr,
                         nullptr) == ERROR_SUCCESS) {
        names.emplace_back(buffer, length);
        length = 512;
    }
    return names;
}

}  // namespace regtest
