#include "platform/com/registry_keys.h"

#include <vector>

#include "platform/automation/guid.h"

namespace com::detail {

std::u16string ClassKey(REFCLSID clsid) { return u"CLSID\\" + GuidToString(clsid); }

LSTATUS OpenKey(HKEY root, std::u16string_view path, RegKey& key) {
    const std::u16string name(path);
    return RegOpenKeyExW(root, name.c_str(), 0, KEY_READ, key.put());
}

bool KeyExists(HKEY root, std::u16string_view path) {
    RegKey key;
    return OpenKey(root, path, key) == ERROR_SUCCESS;
}

std::optional<std::u16string> ReadString(HKEY root, std::u16string_view path, std::u16string_view valueName) {
    RegKey key;
    if (OpenKey(root, path, key) != ERROR_SUCCESS) return std::nullopt;
    const std::u16string name(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<char16_t> data(size / sizeof(char16_t) + 1, u'\0');
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::u16string text(data.data(), size / sizeof(char16_t));
    if (const auto end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
    return text;
}

LSTATUS WriteKey(HKEY root, std::u16string_view path, std::optional<std::u16string_view> data,
                 std::u16string_view valueName) {
    const std::u16string name(path);
    RegKey key;
    LSTATUS status = RegCreateKeyExW(root, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                                     key.put(), nullptr);
    if (status != ERROR_SUCCESS || !data) return status;
    const std::u16string value(*data);
    const std::u16string valueNameText(valueName);
    return RegSetValueExW(key.get(), valueNameText.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
}

}  // namespace com::detail
