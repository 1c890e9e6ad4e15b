#include "components/system/registry_path.h"

#include "platform/automation/ascii.h"

namespace modRegistry {
namespace {

struct RootName {
    std::u16string_view name;
    HKEY root;
};

HKEY RootNamed(std::u16string_view text) {
    static const RootName kRoots[] = {
        {u"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}, {u"HKCR", HKEY_CLASSES_ROOT},
        {u"HKEY_CURRENT_USER", HKEY_CURRENT_USER}, {u"HKCU", HKEY_CURRENT_USER},
        {u"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {u"HKLM", HKEY_LOCAL_MACHINE},
        {u"HKEY_USERS", HKEY_USERS}, {u"HKUR", HKEY_USERS},
    };
    for (const RootName& entry : kRoots)
        if (automation::EqualIgnoringAsciiCase(entry.name, text)) return entry.root;
    return nullptr;
}

}  // namespace

std::optional<KeyPath> SplitRoot(std::u16string_view path) {
    size_t slash = path.find(u'\\');
    if (slash == std::u16string_view::npos) return std::nullopt;
    HKEY root = RootNamed(path.substr(0, slash));
    if (!root) return std::nullopt;
    return KeyPath{root, std::u16string(path.substr(slash + 1))};
}

std::optional<ValuePath> SplitValuePath(std::u16string_view path) {
    std::optional<KeyPath> key = SplitRoot(path);
    if (!key) return std::nullopt;
    size_t slash = key->rest.rfind(u'\\');
    if (slash == std::u16string::npos || slash == 0) return std::nullopt;
    return ValuePath{key->root, key->rest.substr(0, slash), key->rest.substr(slash + 1)};
}

}  // namespace modRegistry
