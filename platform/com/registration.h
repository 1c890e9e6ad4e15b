// Registration of a component module's classes, for its DllRegisterServer and
// DllUnregisterServer, so that every module writes the same keys the same way. Under the
// classes root:
//   <ProgID>                      default = description; CLSID = {clsid}
//   <VersionIndependentProgID>    default = description; CLSID = {clsid}; CurVer = <ProgID>
//   CLSID\{clsid}                 default = description; ProgID; VersionIndependentProgID;
//                                 Programmable (a key without value); InprocServer32 = module
//                                 path, with ThreadingModel; TypeLib = {typelib}
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/types.h"

namespace com {

struct ClassRegistration {
    CLSID clsid;
    std::u16string progId;                    // "Maker.Class.1"
    std::u16string versionIndependentProgId;  // "Maker.Class"; empty: none
    std::u16string description;               // "Class Class"
    std::u16string threadingModel = u"Apartment";
    std::optional<GUID> typeLibId;
    bool programmable = true;
};

// A type library served from a module, and the dual interfaces it defines. Registering writes
// what the platform's type library registration writes under the classes root:
//   TypeLib\{libid}\<version>   default = help string; 0\linux = module path; FLAGS = 0;
//                               HELPDIR = the module's folder
//   Interface\{iid}             default = name; ProxyStubClsid32 = the Automation marshaler;
//                               TypeLib = {libid} with Version
struct TypeLibraryRegistration {
    struct Interface {
        IID iid;
        std::u16string name;
    };
    GUID libid;
    std::u16string version;  // "1.0"
    std::u16string helpString;
    std::vector<Interface> interfaces;
};

HRESULT RegisterTypeLibrary(const TypeLibraryRegistration& library, std::u16string_view modulePath);

// Writes the class's keys; the class key is removed first, with everything an earlier
// registration left in it. The first registry failure ends it as HRESULT_FROM_WIN32(code);
// an empty ProgID or module path gives E_INVALIDARG.
HRESULT RegisterClass(const ClassRegistration& registration, std::u16string_view modulePath);

// Removes the class's key under CLSID (the CLSID key itself stays) and its ProgID keys, each
// ProgID key only while it still names this class. Keys that are not there are no failure.
HRESULT UnregisterClass(const ClassRegistration& registration);

// The full path of the loaded module that holds the address (a function or variable of the
// module); empty when the address is in none.
std::u16string ModulePath(const void* addressInModule);
// The module's path as the registry stores it; HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION)
// when the ANSI code page cannot write it exactly (stored, it would name another file).
HRESULT StorableModulePath(const void* addressInModule, std::u16string& modulePath);
// Registers the class, and then its type library when one is given, with the path of the module
// holding addressInModule (one of its functions). A path that the ANSI code page cannot write
// exactly fails with HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION) and registers nothing.
HRESULT RegisterModuleClass(const ClassRegistration& registration, const void* addressInModule,
                            const std::optional<TypeLibraryRegistration>& typeLibrary = std::nullopt);

}  // namespace com
