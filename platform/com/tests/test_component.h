// What the component-service suites share: the test modules' paths and identifiers, a registry
// with the test component registered in it, and whether a module is loaded.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/automation/types.h"
#include "tests/support/temp_dir.h"

namespace comtest {

inline constexpr const char* kTestComponent = TEST_COMPONENT_PATH;
inline constexpr const char* kEmptyModule = EMPTY_MODULE_PATH;
inline constexpr const char* kRegsvr = REGSVR_PATH;

inline constexpr CLSID CLSID_TestObject{0x5A1C0D4E, 0x7B2F, 0x4E61, {0x9C, 0x3A, 0x2D, 0x8E, 0x4F, 0x6A, 0x1B, 0x01}};
inline constexpr GUID LIBID_TestObject{0x5A1C0D4E, 0x7B2F, 0x4E61, {0x9C, 0x3A, 0x2D, 0x8E, 0x4F, 0x6A, 0x1B, 0x00}};
inline constexpr char16_t kTestClsidText[] = u"{5A1C0D4E-7B2F-4E61-9C3A-2D8E4F6A1B01}";

// Loads the module, calls one of its HRESULT (void) entry points and unloads it again.
inline HRESULT CallModuleEntry(const char* path, const char* entry) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        ADD_FAILURE() << "cannot load " << path << ": " << dlerror();
        return E_FAIL;
    }
    auto call = reinterpret_cast<HRESULT (*)()>(dlsym(handle, entry));
    const HRESULT result = call ? call() : E_NOTIMPL;
    dlclose(handle);
    return result;
}

// Whether the module is loaded in this process now.
inline bool IsLoaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

// A temporary registry in which the test component registered itself.
class RegisteredTestComponent {
public:
    RegisteredTestComponent() { EXPECT_EQ(S_OK, CallModuleEntry(kTestComponent, "DllRegisterServer")); }

private:
    testsupport::TempRegistry registry_;
};

}  // namespace comtest
