#include "platform/com/module_loader.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace com {

std::string ModuleFileSystemPath(const void* addressInModule) {
    Dl_info info{};
    if (!dladdr(addressInModule, &info) || !info.dli_fname || !*info.dli_fname) return {};
    char resolved[PATH_MAX];
    return realpath(info.dli_fname, resolved) ? resolved : info.dli_fname;
}

void* OpenModuleFile(const std::string& path, std::string& why) {
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    if (!S_ISREG(status.st_mode)) {
        why = "it is not a regular file";
        return nullptr;
    }
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) why = dlerror();
    return handle;
}

}  // namespace com

namespace com::detail {
namespace {

constexpr uint32_t ERROR_MOD_NOT_FOUND = 126;

using GetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT (*)();

struct LoadedModule {
    void* handle = nullptr;
    GetClassObjectFunction getClassObject = nullptr;
    CanUnloadNowFunction canUnloadNow = nullptr;  // a module without it stays loaded
};

// A file name without a folder means the current folder; the loader would otherwise search the
// library path.
std::string WithFolder(const std::string& path) {
    return path.find('/') == std::string::npos ? "./" + path : path;
}

HRESULT ResolvePath(const std::string& path, std::string& resolved) {
    char buffer[PATH_MAX];
    if (!realpath(WithFolder(path).c_str(), buffer))
        return errno == EACCES ? E_ACCESSDENIED : HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    resolved = buffer;
    return S_OK;
}

HRESULT Load(const std::string& file, LoadedModule& module) {
    std::string why;
    void* handle = OpenModuleFile(file, why);
    if (!handle) return CO_E_ERRORINDLL;
    auto getClassObject = reinterpret_cast<GetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
    if (!getClassObject) {
        dlclose(handle);
        return CO_E_ERRORINDLL;
    }
    module.handle = handle;
    module.getClassObject = getClassObject;
    module.canUnloadNow = reinterpret_cast<CanUnloadNowFunction>(dlsym(handle, "DllCanUnloadNow"));
    return S_OK;
}

class ModuleCache {
public:
    // Asks the module for a class object, loading the file on first use.
    HRESULT getClassObject(const std::string& path, REFCLSID clsid, REFIID riid, void** ppv) {
        std::string resolved;
        if (HRESULT hr = ResolvePath(path, resolved); FAILED(hr)) return hr;
        std::lock_guard lock(mutex_);
        auto it = modules_.find(resolved);
        if (it == modules_.end()) {
            LoadedModule module;
            if (HRESULT hr = Load(resolved, module); FAILED(hr)) return hr;
            it = modules_.emplace(resolved, module).first;
        }
        return it->second.getClassObject(clsid, riid, ppv);
    }

    void freeUnused() {
        std::lock_guard lock(mutex_);
        for (auto it = modules_.begin(); it != modules_.end();) {
            const LoadedModule& module = it->second;
            if (module.canUnloadNow && module.canUnloadNow() == S_OK) {
                dlclose(module.handle);
                it = modules_.erase(it);
            } else {
                ++it;
            }
        }
    }

private:
    std::recursive_mutex mutex_;  // a module may create objects of other modules while asked
    std::map<std::string, LoadedModule> modules_;  // by resolved path
};

// Loaded modules stay loaded until the process ends: objects may outlive any static destructor.
ModuleCache& Cache() {
    static ModuleCache* cache = new ModuleCache;
    return *cache;
}

}  // namespace

HRESULT GetClassObjectFromModule(const std::string& path, REFCLSID clsid, REFIID riid, void** ppv) {
    return Cache().getClassObject(path, clsid, riid, ppv);
}

void FreeUnusedModules() { Cache().freeUnused(); }

}  // namespace com::detail
