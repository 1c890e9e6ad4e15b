// Registry values and whole registry trees (modRegistry). Texts cross the registry as the ANSI
// calls pass them: a character the ANSI code page lacks is stored as "?".
#include <algorithm>
#include <cstring>
#include <vector>

#include "components/general/general_helpers.h"
#include "components/system/registry_path.h"
#include "components/system/system.h"
#include "platform/automation/arrays.h"
#include "platform/automation/client.h"
#include "platform/automation/nesting.h"
#include "platform/automation/typename.h"
#include "platform/com/registry_keys.h"
#include "platform/text/codepage.h"

namespace {

using com::detail::RegKey;
using modTavrelGeneral::VarToLng;
using modTavrelGeneral::VarToStr;

constexpr LONG kOtherType = -1;
constexpr DWORD kEnumNameLength = 2000;  // characters, with the NUL
constexpr DWORD kEnumDataSize = 2000;    // bytes, as the ANSI calls count them

Variant Nothing() { return Variant::fromDispatch(nullptr); }

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The stored UTF-16 units, with their terminating NUL.
std::u16string UnitsOf(const std::vector<BYTE>& data, DWORD size) {
    std::u16string units(size / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), data.data(), units.size() * sizeof(char16_t));
    return units;
}

std::u16string TextOf(const std::vector<BYTE>& data, DWORD size) {
    std::u16string text = UnitsOf(data, size);
    if (text.ends_with(u'\0')) text.pop_back();
    return text;
}

// The value as a Variant: 0 on success, kOtherType for a type that is not read, or the
// registry's code (value then Empty).
LONG QueryRegistryValue(HKEY key, const std::u16string& name, Variant& value) {
    DWORD type = 0, size = 0;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return status;
    if (type != REG_SZ && type != REG_BINARY && type != REG_DWORD) return kOtherType;
    std::vector<BYTE> data(std::max<DWORD>(size, sizeof(LONG)));
    DWORD read = type == REG_DWORD ? sizeof(LONG) : size;
    status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &read);
    value = Variant();
    if (status != ERROR_SUCCESS) return status;
    if (type == REG_SZ) {
        value = Variant::fromString(TextOf(data, read));
    } else if (type == REG_BINARY) {
        value = automation::ByteArray(std::string_view(reinterpret_cast<const char*>(data.data()), read));
    } else if (type == REG_DWORD) {
        LONG number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        value = Variant::fromLong(number);
    } else {
        return kOtherType;
    }
    return ERROR_SUCCESS;
}

LSTATUS SetRegistryValue(HKEY key, const std::u16string& name, DWORD type, const VARIANT& value) {
    std::string bytes;
    if (type == REG_SZ) {
        std::u16string text = text::AnsiToText(text::TextToAnsi(VarToStr(value))) + u'\0';
        bytes.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
    } else if (type == REG_BINARY) {
        bytes = automation::ArrayBytes(value.parray);
    } else {
        LONG number = VarToLng(value);
        bytes.assign(reinterpret_cast<const char*>(&number), sizeof number);
    }
    return RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

DWORD TypeToWrite(const VARIANT& value) {
    std::u16string name = automation::TypeName(value);
    if (name == u"Long" || name == u"Integer" || name == u"Byte") return REG_DWORD;
    if (name == u"Byte()") return REG_BINARY;
    return REG_SZ;
}

void AddItem(IDispatch* dictionary, const std::u16string& name, const VARIANT& item) {
    Variant arguments[] = {Variant::fromString(name), Variant(item)};
    automation::Call(dictionary, u"Add", automation::Args(arguments));
}

// The size of a value's data as the ANSI calls count it: text in bytes of the ANSI code page.
DWORD AnsiDataSize(HKEY key, DWORD index, DWORD type, DWORD size) {
    // A character takes at most two UTF-16 units and at least one ANSI byte: text of more than
    // twice the limit in units is past it in bytes, and need not be read.
    if (!IsText(type) || size / sizeof(char16_t) > 2 * kEnumDataSize) return size;
    std::vector<char16_t> name(kEnumNameLength);
    std::vector<BYTE> data(size);
    DWORD nameLength = kEnumNameLength;
    if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return size;
    return static_cast<DWORD>(text::TextToAnsi(UnitsOf(data, size)).size());
}

// The name of value number index, or nothing at the end of the list. The list also ends at a
// value whose name or data would not fit the ANSI calls' buffers.
std::optional<std::u16string> EnumeratedValueName(HKEY key, DWORD index) {
    std::vector<char16_t> name(kEnumNameLength);
    DWORD nameLength = kEnumNameLength, type = 0, size = 0;
    if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (AnsiDataSize(key, index, type, size) > kEnumDataSize) return std::nullopt;
    return std::u16string(name.data(), nameLength);
}

Variant ReadSubtree(HKEY parent, const std::u16string& subkey);

// The tree of an open key: subkeys first, then values, each in the registry's order. Subkeys
// are opened from their parent, so that reading costs the same at every level.
Variant ReadTree(HKEY opened) {
    ComPtr<IDispatch> tree = modTavrelGeneral::CreateObjectEx(u"Tavrel.Dictionary");
    std::vector<char16_t> name(kEnumNameLength);
    for (DWORD index = 0; RegEnumKeyW(opened, index, name.data(), kEnumNameLength) == ERROR_SUCCESS; ++index) {
        std::u16string subkey(name.data());
        AddItem(tree.get(), subkey, ReadSubtree(opened, subkey));
    }
    for (DWORD index = 0;; ++index) {
        std::optional<std::u16string> valueName = EnumeratedValueName(opened, index);
        if (!valueName) break;
        Variant value;
        if (QueryRegistryValue(opened, *valueName, value) == ERROR_SUCCESS) AddItem(tree.get(), *valueName, value);
    }
    return Variant::fromDispatch(tree.get());
}

// The tree of a key below parent; Nothing when it cannot be opened or read.
Variant ReadSubtree(HKEY parent, const std::u16string& subkey) {
    try {
        RegKey opened;
        if (RegOpenKeyExW(parent, subkey.c_str(), 0, KEY_READ, opened.put()) != ERROR_SUCCESS) return Nothing();
        return ReadTree(opened.get());
    } catch (...) {
        return Nothing();
    }
}

// Ends a whole walk of RegWriteTree: its tree holds itself, or nests deeper than any key can.
struct TreeTooDeep {};
constexpr int kMaxTreeNesting = 512;

}  // namespace

Variant System::RegRead(const std::u16string& key) {
    try {
        auto path = modRegistry::SplitValuePath(key);
        RegKey opened;
        if (!path || RegOpenKeyExW(path->root, path->subkey.c_str(), 0, KEY_READ, opened.put()) != ERROR_SUCCESS)
            return Variant::null();
        Variant value;
        return QueryRegistryValue(opened.get(), path->valueName, value) == ERROR_SUCCESS ? value : Variant::null();
    } catch (...) {
        return Variant::null();
    }
}

Variant System::RegWrite(const std::u16string& key, const VARIANT& aValue) {
    try {
        Variant value;
        auto path = modRegistry::SplitValuePath(key);
        RegKey opened;
        if (!path || FAILED(VariantCopyInd(value.ptr(), &aValue)) ||
            RegCreateKeyExW(path->root, path->subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                            opened.put(), nullptr) != ERROR_SUCCESS)
            return Variant::fromBool(false);
        bool stored = SetRegistryValue(opened.get(), path->valueName, TypeToWrite(value), value) == ERROR_SUCCESS;
        return Variant::fromBool(stored);
    } catch (...) {
        return Variant::fromBool(false);
    }
}

bool System::RegDelete(const std::u16string& key) {
    try {
        auto path = modRegistry::SplitValuePath(key);
        RegKey opened;
        return path && RegOpenKeyExW(path->root, path->subkey.c_str(), 0, KEY_WRITE, opened.put()) == ERROR_SUCCESS &&
               RegDeleteValueW(opened.get(), path->valueName.c_str()) == ERROR_SUCCESS;
    } catch (...) {
        return false;
    }
}

Variant System::RegDeleteTree(const std::u16string& key) {
    try {
        auto path = modRegistry::SplitRoot(key);
        return Variant::fromBool(path && SHDeleteKeyW(path->root, path->rest.c_str()) == ERROR_SUCCESS);
    } catch (...) {
        return Variant::fromBool(false);
    }
}

// A nested key that cannot be read is an item holding Nothing.
Variant System::RegReadTree(const std::u16string& key) {
    auto path = modRegistry::SplitRoot(key);
    if (!path) return Nothing();
    if (path->rest.ends_with(u'\\')) path->rest.pop_back();
    return ReadSubtree(path->root, path->rest);
}

// The result is that of the last item written (True for an empty tree). A tree nested deeper
// than keys can be, as one that holds itself is, fails as a whole.
Variant System::RegWriteTree(const VARIANT& dictTree, const std::u16string& key) {
    try {
        return WriteTree(dictTree, key);
    } catch (...) {
        return Variant::fromBool(false);
    }
}

Variant System::WriteTree(const VARIANT& dictTree, const std::u16string& key) {
    const automation::NestingLevel<TreeTooDeep> level;
    if (level.depth() > kMaxTreeNesting) throw TreeTooDeep{};
    try {
        Variant tree;
        if (FAILED(VariantCopyInd(tree.ptr(), &dictTree)) || tree.vt != VT_DISPATCH || !tree.pdispVal)
            return Variant::fromBool(false);
        const LONG count = VarToLng(automation::Get(tree.pdispVal, u"Count"));
        Variant result = Variant::fromBool(true);
        for (LONG i = 1; i <= count; ++i) {
            Variant index = Variant::fromLong(i);
            std::u16string path = key + u'\\' + VarToStr(automation::Call(tree.pdispVal, u"Name", automation::Args({&index, 1})));
            Variant item = automation::Get(tree.pdispVal, u"Item", automation::Args({&index, 1}));
            result = automation::TypeName(item) == u"IDictionary" ? WriteTree(item, path) : RegWrite(path, item);
        }
        return result;
    } catch (const TreeTooDeep&) {
        throw;
    } catch (...) {
        return Variant::fromBool(false);
    }
}
