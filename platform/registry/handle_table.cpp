#include "platform/registry/handle_table.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <unordered_map>
#include <vector>

// The object behind an HKEY that RegOpenKeyExW and RegCreateKeyExW hand out.
struct HKEY__ {
    tavrel::registry::KeyRef key;
    tavrel::registry::EnumerationCursors cursors;
};

namespace tavrel::registry {

namespace {

// Never destroyed, so that a handle closed while the process ends still finds its table.
std::unordered_map<HKEY, std::unique_ptr<HKEY__>>& OpenHandles() {
    static auto& handles = *new std::unordered_map<HKEY, std::unique_ptr<HKEY__>>;
    return handles;
}

// The connection for the current path, reused while the path and its file stay the same.
std::shared_ptr<Store>& CachedStore() {
    static std::shared_ptr<Store> store;
    return store;
}

std::optional<KeyId> RootId(HKEY handle) {
    auto value = reinterpret_cast<uintptr_t>(handle);
    uintptr_t first = reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT);
    if (value < first || value > reinterpret_cast<uintptr_t>(HKEY_USERS)) return std::nullopt;
    return kClassesRootId + static_cast<KeyId>(value - first);
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return ".";
}

std::shared_ptr<Store> CurrentStore() {
    std::string path = CurrentStorePath();
    std::shared_ptr<Store>& cached = CachedStore();
    if (!cached || !cached->servesPath(path)) cached = std::make_shared<Store>(path);
    return cached;
}

}  // namespace

std::string CurrentStorePath() {
    if (const char* path = std::getenv("TAVREL_REGISTRY"); path && *path) return path;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder = config && *config == '/' ? std::string(config) : HomeFolder() + "/.config";
    return folder + "/tavrel/registry.db";
}

KeyRef ResolveHandle(HKEY handle) {
    if (auto root = RootId(handle)) return KeyRef{CurrentStore(), *root, KEY_ALL_ACCESS};
    auto found = OpenHandles().find(handle);
    if (!handle || found == OpenHandles().end()) throw RegistryFailure{ERROR_INVALID_HANDLE};
    return found->second->key;
}

HKEY OpenHandle(const KeyRef& key) {
    auto object = std::make_unique<HKEY__>(HKEY__{key, {}});
    HKEY handle = object.get();
    OpenHandles().emplace(handle, std::move(object));
    return handle;
}

bool CloseHandle(HKEY handle) { return OpenHandles().erase(handle) == 1; }

EnumerationCursors* CursorsOf(HKEY handle) {
    auto found = OpenHandles().find(handle);
    return found == OpenHandles().end() ? nullptr : &found->second->cursors;
}

}  // namespace tavrel::registry
