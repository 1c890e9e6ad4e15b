// The registry: keys holding named, typed values, kept in one SQLite database file (path from
// TAVREL_REGISTRY, default $XDG_CONFIG_HOME/tavrel/registry.db). The calls and result codes
// are the platform's, in their UTF-16 forms. Key and value names compare without regard to case
// and keep their case (each code point compared by its simple Unicode upper-case mapping, as
// the platform upper-cases names); subkeys enumerate in the order of their upper-cased names,
// values in creation order.
#pragma once

#include <memory>
#include <string>

#include "platform/automation/interfaces.h"
#include "platform/automation/system_errors.h"

struct HKEY__;
typedef HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef DWORD REGSAM;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000u));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002u));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000003u));

// Result codes: platform/automation/system_errors.h.

// Access rights.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// A subkey path is a backslash-separated list of names below hKey; an empty or null path names
// hKey itself. Value data are stored as the bytes given (REG_SZ data are UTF-16 code units with
// their terminating null, as the UTF-16 calls pass them).
LSTATUS RegOpenKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LSTATUS RegCreateKeyExW(HKEY hKey, LPCOLESTR lpSubKey, DWORD Reserved, LPOLESTR lpClass, DWORD dwOptions,
                        REGSAM samDesired, void* lpSecurityAttributes, PHKEY phkResult, DWORD* lpdwDisposition);
LSTATUS RegCloseKey(HKEY hKey);
// lpData null: only type and size. Size too small: ERROR_MORE_DATA with *lpcbData set to the size needed.
LSTATUS RegQueryValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD* lpReserved, DWORD* lpType, BYTE* lpData,
                         DWORD* lpcbData);
LSTATUS RegSetValueExW(HKEY hKey, LPCOLESTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                       DWORD cbData);
// cchName counts characters with the terminating null.
LSTATUS RegEnumKeyW(HKEY hKey, DWORD dwIndex, LPOLESTR lpName, DWORD cchName);
// *lpcchName: buffer size in characters on entry, name length without the null on return.
LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPOLESTR lpName, DWORD* lpcchName, DWORD* lpReserved,
                      LPOLESTR lpClass, DWORD* lpcchClass, FILETIME* lpftLastWriteTime);
LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPOLESTR lpValueName, DWORD* lpcchValueName, DWORD* lpReserved,
                      DWORD* lpType, BYTE* lpData, DWORD* lpcbData);
LSTATUS RegDeleteValueW(HKEY hKey, LPCOLESTR lpValueName);
// Deleting: a key with subkeys, or a root, gives ERROR_ACCESS_DENIED; an empty lpSubKey names
// hKey itself. RegDeleteTreeW with a null lpSubKey empties hKey and keeps it.
LSTATUS RegDeleteKeyW(HKEY hKey, LPCOLESTR lpSubKey);   // only a key without subkeys
LSTATUS RegDeleteTreeW(HKEY hKey, LPCOLESTR lpSubKey);  // the key, its values and all its subkeys
LSTATUS SHDeleteKeyW(HKEY hKey, LPCOLESTR lpSubKey);    // the same, as the shell utility library offers it

// Store failures: a file that is not a registry database (any other file, or a database of
// another program) gives ERROR_BADDB; a registry database that SQLite finds damaged gives
// ERROR_REGISTRY_CORRUPT; a store that cannot be opened or its folder made, ERROR_CANTOPEN; a
// failed read or write (including a lock held past 15 s), ERROR_CANTREAD or ERROR_CANTWRITE.
// Reads of a store that does not exist find nothing and never create it. A subkey path with a
// leading or doubled backslash gives ERROR_BAD_PATHNAME.
//
// Where the store lives for this process now, and the text of the last store failure on this
// thread ("<path>: <problem>", for example a file that is not a database), for messages to people.
std::string RegistryStorePath();
std::u16string RegistryLastErrorText();

namespace tavrel::registry {
class Store;
}

// While one lives, the process's reads of the store share one transaction: they see one state of
// it and cost a lookup each, not a transaction each. A write ends that transaction; the next read
// opens another.
class RegistryReadSession {
public:
    RegistryReadSession();
    ~RegistryReadSession();
    RegistryReadSession(const RegistryReadSession&) = delete;
    RegistryReadSession& operator=(const RegistryReadSession&) = delete;

private:
    std::shared_ptr<tavrel::registry::Store> store_;
};
