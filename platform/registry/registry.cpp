// The registry calls: each checks its arguments and the handle, then works inside one
// transaction of the handle's store.
#include "platform/registry/registry.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <stdexcept>
#include <optional>
#include <vector>

#include "platform/registry/handle_table.h"
#include "platform/registry/key_table.h"
#include "platform/registry/names.h"
#include "platform/registry/store.h"

namespace tavrel::registry {
namespace {

constexpr REGSAM kStandardAndKeyRights = 0x001F003F;
constexpr REGSAM kGenericRead = 0x80000000;
constexpr REGSAM kGenericWrite = 0x40000000;
constexpr REGSAM kGenericExecute = 0x20000000;
constexpr REGSAM kGenericAll = 0x10000000;
constexpr REGSAM kMaximumAllowed = 0x02000000;

// The rights a handle opened with desired holds: generic rights become the key rights they
// stand for; the store has no security descriptors, so whatever is asked is granted.
REGSAM GrantedRights(REGSAM desired) {
    REGSAM granted = desired & kStandardAndKeyRights;
    if (desired & (kGenericAll | kMaximumAllowed)) granted |= KEY_ALL_ACCESS;
    if (desired & (kGenericRead | kGenericExecute)) granted |= KEY_READ;
    if (desired & kGenericWrite) granted |= KEY_WRITE;
    return granted;
}

// Runs one call: one call at a time in the process; failures become their result codes.
std::recursive_mutex& CallLock() {
    static auto& mutex = *new std::recursive_mutex;  // outlives every static that closes a key
    return mutex;
}

template <class Body>
LSTATUS Guarded(Body&& body) {
    std::lock_guard lock(CallLock());
    try {
        return body();
    } catch (const RegistryFailure& failure) {
        return failure.code;
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    } catch (const std::length_error&) {
        return ERROR_OUTOFMEMORY;
    }
}

void RequireRight(const KeyRef& key, REGSAM right) {
    if ((key.access & right) != right) throw RegistryFailure{ERROR_ACCESS_DENIED};
}

// A handle whose key was deleted, by this process or another, is of no more use.
void RequireAlive(KeyTable& table, const KeyRef& key) {
    if (!table.exists(key.id)) throw RegistryFailure{ERROR_KEY_DELETED};
}

std::vector<std::u16string_view> KeyPath(LPCOLESTR subKey) {
    std::vector<std::u16string_view> parts;
    if (!SplitKeyPath(subKey, parts)) throw RegistryFailure{ERROR_BAD_PATHNAME};
    return parts;
}

// Copies data to buffer when one is given; *size says how large the buffer is and receives the
// size of the data. A buffer too small gets nothing.
LSTATUS CopyData(const std::string& data, BYTE* buffer, DWORD* size) {
    if (!size) return ERROR_SUCCESS;
    auto needed = static_cast<DWORD>(std::min<size_t>(data.size(), UINT32_MAX));
    if (buffer && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (buffer && !data.empty()) std::memcpy(buffer, data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

// Copies name with its terminating null into a buffer of capacity characters.
bool CopyName(const std::u16string& name, LPOLESTR buffer, DWORD capacity) {
    if (name.size() + 1 > capacity) return false;
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = u'\0';
    return true;
}

// The depth of the key path leads to below from. The registry holds no deeper keys, and the
// platform refuses such a path with ERROR_INVALID_PARAMETER.
size_t DepthBelow(const KeyRef& from, const std::vector<std::u16string_view>& path) {
    if (path.size() > kMaxKeyDepth - std::min(from.depth, kMaxKeyDepth)) throw RegistryFailure{ERROR_INVALID_PARAMETER};
    return from.depth + path.size();
}

std::optional<KeyId> FindKey(KeyTable& table, const KeyRef& from, LPCOLESTR subKey) {
    std::vector<std::u16string_view> path = KeyPath(subKey);
    RequireAlive(table, from);
    return table.find(from.id, path);
}

// Removes a key with everything below it; withKey false keeps the key and empties it.
LSTATUS DeleteTree(HKEY hKey, LPCOLESTR lpSubKey, bool withKey) {
    KeyRef from = ResolveHandle(hKey);
    std::vector<std::u16string_view> path = KeyPath(lpSubKey);
    Transaction transaction(*from.store, Transaction::Kind::WriteExisting);
    KeyTable table(transaction);
    RequireAlive(table, from);
    std::optional<KeyId> target = table.find(from.id, path);
    if (!target) return ERROR_FILE_NOT_FOUND;
    if (withKey && IsRootId(*target)) return ERROR_ACCESS_DENIED;
    if (!transaction.present()) return ERROR_SUCCESS;
    table.deleteContents(*target);
    if (withKey) {
        std::optional<KeyId> parent = table.parentOf(*target);
        table.deleteKey(*target);
        if (parent) table.touch(*parent);
    } else {
        table.touch(*target);
    }
    transaction.commit();
    return ERROR_SUCCESS;
}

}  // namespace
}  // namespace tavrel::registry

using namespace tavrel::registry;

LSTATUS RegOpenKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    return Guarded([&]() -> LSTATUS {
        if (!phkResult) return ERROR_INVALID_PARAMETER;
        *phkResult = nullptr;
        KeyRef from = ResolveHandle(hKey);
        std::vector<std::u16string_view> path = KeyPath(lpSubKey);
        size_t depth = DepthBelow(from, path);
        Transaction transaction(*from.store, Transaction::Kind::Read);
        KeyTable table(transaction);
        RequireAlive(table, from);
        std::optional<KeyId> target = table.find(from.id, path);
        if (!target) return ERROR_FILE_NOT_FOUND;
        transaction.commit();
        *phkResult = OpenHandle(KeyRef{from.store, *target, GrantedRights(samDesired), depth});
        return ERROR_SUCCESS;
    });
}

LSTATUS RegCreateKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD, LPOLESTR lpClass, DWORD, REGSAM samDesired, void*,
                        PHKEY phkResult, DWORD* lpdwDisposition) {
    return Guarded([&]() -> LSTATUS {
        if (!phkResult || !lpSubKey) return ERROR_INVALID_PARAMETER;
        *phkResult = nullptr;
        KeyRef from = ResolveHandle(hKey);
        std::vector<std::u16string_view> path = KeyPath(lpSubKey);
        size_t depth = DepthBelow(from, path);
        auto handOut = [&](KeyId id, DWORD disposition) {
            *phkResult = OpenHandle(KeyRef{from.store, id, GrantedRights(samDesired), depth});
            if (lpdwDisposition) *lpdwDisposition = disposition;
            return ERROR_SUCCESS;
        };
        {
            Transaction reading(*from.store, Transaction::Kind::Read);
            KeyTable table(reading);
            RequireAlive(table, from);
            if (std::optional<KeyId> existing = table.find(from.id, path)) return handOut(*existing, REG_OPENED_EXISTING_KEY);
        }
        RequireRight(from, KEY_CREATE_SUB_KEY);
        Transaction writing(*from.store, Transaction::Kind::Write);
        KeyTable table(writing);
        RequireAlive(table, from);
        KeyId id = from.id;
        bool created = false;
        for (size_t i = 0; i < path.size(); ++i) {
            if (std::optional<KeyId> existing = table.child(id, path[i])) {
                id = *existing;
                continue;
            }
            table.touch(id);
            id = table.createChild(id, path[i], i + 1 == path.size() ? lpClass : nullptr);
            created = true;
        }
        writing.commit();
        return handOut(id, created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY);
    });
}

LSTATUS RegCloseKey(HKEY hKey) {
    return Guarded([&]() -> LSTATUS {
        if (hKey == HKEY_CLASSES_ROOT || hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE || hKey == HKEY_USERS)
            return ERROR_SUCCESS;
        return CloseHandle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    });
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                         DWORD* lpcbData) {
    return Guarded([&]() -> LSTATUS {
        if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
        KeyRef key = ResolveHandle(hKey);
        RequireRight(key, KEY_QUERY_VALUE);
        Transaction transaction(*key.store, Transaction::Kind::Read);
        KeyTable table(transaction);
        RequireAlive(table, key);
        std::optional<ValueEntry> value = table.value(key.id, NameOf(lpValueName));
        if (!value) return ERROR_FILE_NOT_FOUND;
        if (lpType) *lpType = value->type;
        return CopyData(value->data, lpData, lpcbData);
    });
}

LSTATUS RegSetValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    return Guarded([&]() -> LSTATUS {
        if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
        KeyRef key = ResolveHandle(hKey);
        RequireRight(key, KEY_SET_VALUE);
        Transaction transaction(*key.store, Transaction::Kind::Write);
        KeyTable table(transaction);
        RequireAlive(table, key);
        std::string_view data(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0);
        table.setValue(key.id, NameOf(lpValueName), dwType, data);
        table.touch(key.id);
        transaction.commit();
        return ERROR_SUCCESS;
    });
}

namespace {

// The entry at index of an open key, after the checks every enumeration makes. When index
// follows the one the handle's cursor last handed out and the store has not changed since, the
// entry after that one is looked up instead of counting from the start, so that walking the
// indexes up costs the same at every step.
template <class Entry>
std::optional<Entry> EntryAt(HKEY hKey, DWORD index, REGSAM right, EnumerationCursor<Entry> EnumerationCursors::*list,
                             std::optional<Entry> (KeyTable::*after)(KeyId, const Entry&),
                             std::optional<Entry> (KeyTable::*at)(KeyId, DWORD)) {
    KeyRef key = ResolveHandle(hKey);
    RequireRight(key, right);
    Transaction transaction(*key.store, Transaction::Kind::Read);
    KeyTable table(transaction);
    RequireAlive(table, key);
    ChangeStamp stamp = transaction.present() ? key.store->changeStamp() : ChangeStamp{};
    EnumerationCursors* cursors = CursorsOf(hKey);
    EnumerationCursor<Entry>* cursor = cursors ? &(cursors->*list) : nullptr;
    bool follows = cursor && cursor->entry && cursor->stamp == stamp && index == cursor->index + 1;
    std::optional<Entry> entry = follows ? (table.*after)(key.id, *cursor->entry) : (table.*at)(key.id, index);
    if (cursor) *cursor = {entry, index, stamp};
    return entry;
}

std::optional<SubkeyEntry> SubkeyAt(HKEY hKey, DWORD index) {
    return EntryAt(hKey, index, KEY_ENUMERATE_SUB_KEYS, &EnumerationCursors::subkeys, &KeyTable::subkeyAfter,
                   &KeyTable::subkeyAt);
}

std::optional<ValueEntry> ValueAt(HKEY hKey, DWORD index) {
    return EntryAt(hKey, index, KEY_QUERY_VALUE, &EnumerationCursors::values, &KeyTable::valueAfter,
                   &KeyTable::valueAt);
}

}  // namespace

LSTATUS RegEnumKeyW(HKEY hKey, DWORD dwIndex, LPOLESTR lpName, DWORD cchName) {
    return Guarded([&]() -> LSTATUS {
        if (!lpName) return ERROR_INVALID_PARAMETER;
        std::optional<SubkeyEntry> subkey = SubkeyAt(hKey, dwIndex);
        if (!subkey) return ERROR_NO_MORE_ITEMS;
        return CopyName(subkey->name, lpName, cchName) ? ERROR_SUCCESS : ERROR_MORE_DATA;
    });
}

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPOLESTR lpName, DWORD* lpcchName, DWORD* lpReserved,
                      LPOLESTR lpClass, DWORD* lpcchClass, FILETIME* lpftLastWriteTime) {
    return Guarded([&]() -> LSTATUS {
        if (!lpName || !lpcchName || lpReserved || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
        std::optional<SubkeyEntry> subkey = SubkeyAt(hKey, dwIndex);
        if (!subkey) return ERROR_NO_MORE_ITEMS;
        if (!CopyName(subkey->name, lpName, *lpcchName)) return ERROR_MORE_DATA;
        if (lpClass && !CopyName(subkey->className, lpClass, *lpcchClass)) return ERROR_MORE_DATA;
        *lpcchName = static_cast<DWORD>(subkey->name.size());
        if (lpcchClass) *lpcchClass = static_cast<DWORD>(subkey->className.size());
        if (lpftLastWriteTime) {
            auto written = static_cast<uint64_t>(subkey->written);
            *lpftLastWriteTime = FILETIME{static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
        }
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPOLESTR lpValueName, DWORD* lpcchValueName, DWORD* lpReserved,
                      DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
    return Guarded([&]() -> LSTATUS {
        if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
        std::optional<ValueEntry> value = ValueAt(hKey, dwIndex);
        if (!value) return ERROR_NO_MORE_ITEMS;
        if (!CopyName(value->name, lpValueName, *lpcchValueName)) return ERROR_MORE_DATA;
        *lpcchValueName = static_cast<DWORD>(value->name.size());
        if (lpType) *lpType = value->type;
        return CopyData(value->data, lpData, lpcbData);
    });
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCOLESTR lpValueName) {
    return Guarded([&]() -> LSTATUS {
        KeyRef key = ResolveHandle(hKey);
        RequireRight(key, KEY_SET_VALUE);
        Transaction transaction(*key.store, Transaction::Kind::WriteExisting);
        KeyTable table(transaction);
        RequireAlive(table, key);
        if (!table.deleteValue(key.id, NameOf(lpValueName))) return ERROR_FILE_NOT_FOUND;
        table.touch(key.id);
        transaction.commit();
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteKeyW(HKEY hKey, LPCOLESTR lpSubKey) {
    return Guarded([&]() -> LSTATUS {
        if (!lpSubKey) return ERROR_INVALID_PARAMETER;
        KeyRef from = ResolveHandle(hKey);
        Transaction transaction(*from.store, Transaction::Kind::WriteExisting);
        KeyTable table(transaction);
        std::optional<KeyId> target = FindKey(table, from, lpSubKey);
        if (!target) return ERROR_FILE_NOT_FOUND;
        if (IsRootId(*target) || table.hasSubkeys(*target)) return ERROR_ACCESS_DENIED;
        std::optional<KeyId> parent = table.parentOf(*target);
        table.deleteKey(*target);
        if (parent) table.touch(*parent);
        transaction.commit();
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteTreeW(HKEY hKey, LPCOLESTR lpSubKey) {
    return Guarded([&] { return DeleteTree(hKey, lpSubKey, lpSubKey != nullptr); });
}

LSTATUS SHDeleteKeyW(HKEY hKey, LPCOLESTR lpSubKey) {
    return Guarded([&] { return DeleteTree(hKey, lpSubKey, true); });
}

std::string RegistryStorePath() { return CurrentStorePath(); }

std::u16string RegistryLastErrorText() { return LastFailureText(); }

RegistryReadSession::RegistryReadSession() {
    std::lock_guard lock(CallLock());
    store_ = ResolveHandle(HKEY_CLASSES_ROOT).store;
    store_->beginReadSession();
}

RegistryReadSession::~RegistryReadSession() {
    std::lock_guard lock(CallLock());
    store_->endReadSession();
}
