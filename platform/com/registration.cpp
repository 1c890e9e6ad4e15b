#include "platform/com/registration.h"

#include <initializer_list>
#include <vector>

#include "platform/automation/guid.h"
#include "platform/automation/system_errors.h"
#include "platform/com/guarded.h"
#include "platform/com/module_loader.h"
#include "platform/com/registry_keys.h"
#include "platform/text/codepage.h"

namespace com {
namespace {

using detail::ClassKey;
using detail::ReadString;
using detail::WriteKey;

// One key to write: its path under the classes root and, optionally, a string value.
struct KeyWrite {
    std::u16string path;
    std::optional<std::u16string> data;
    std::u16string valueName;
};

void AddProgIdKeys(std::vector<KeyWrite>& keys, const std::u16string& progId, const ClassRegistration& reg,
                   const std::u16string& currentVersion) {
    keys.push_back({progId, reg.description, {}});
    keys.push_back({progId + u"\\CLSID", GuidToString(reg.clsid), {}});
    if (!currentVersion.empty()) keys.push_back({progId + u"\\CurVer", currentVersion, {}});
}

std::vector<KeyWrite> RegistrationKeys(const ClassRegistration& reg, std::u16string_view modulePath) {
    std::vector<KeyWrite> keys;
    AddProgIdKeys(keys, reg.progId, reg, {});
    if (!reg.versionIndependentProgId.empty()) AddProgIdKeys(keys, reg.versionIndependentProgId, reg, reg.progId);
    const std::u16string classKey = ClassKey(reg.clsid);
    keys.push_back({classKey, reg.description, {}});
    keys.push_back({classKey + u"\\ProgID", reg.progId, {}});
    if (!reg.versionIndependentProgId.empty())
        keys.push_back({classKey + u"\\VersionIndependentProgID", reg.versionIndependentProgId, {}});
    if (reg.programmable) keys.push_back({classKey + u"\\Programmable", std::nullopt, {}});
    keys.push_back({classKey + u"\\InprocServer32", std::u16string(modulePath), {}});
    if (!reg.threadingModel.empty())
        keys.push_back({classKey + u"\\InprocServer32", reg.threadingModel, u"ThreadingModel"});
    if (reg.typeLibId) keys.push_back({classKey + u"\\TypeLib", GuidToString(*reg.typeLibId), {}});
    return keys;
}

// Deletes a ProgID key only while its CLSID still names this class: a later registration of
// another class under the same ProgID keeps its key.
LSTATUS DeleteProgIdKey(const std::u16string& progId, REFCLSID clsid) {
    if (progId.empty()) return ERROR_SUCCESS;
    const auto named = ReadString(HKEY_CLASSES_ROOT, progId + u"\\CLSID");
    if (!named || GuidFromString(*named) != clsid) return ERROR_SUCCESS;
    return RegDeleteTreeW(HKEY_CLASSES_ROOT, progId.c_str());
}

// The class of the platform's Automation marshaler, the proxy of every dual interface.
constexpr char16_t kAutomationMarshaler[] = u"{00020424-0000-0000-C000-000000000046}";

std::vector<KeyWrite> TypeLibraryKeys(const TypeLibraryRegistration& library, std::u16string_view modulePath) {
    const std::u16string libid = GuidToString(library.libid);
    const std::u16string versionKey = u"TypeLib\\" + libid + u"\\" + library.version;
    const std::u16string path(modulePath);
    const size_t slash = path.find_last_of(u'/');
    const std::u16string folder = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
    std::vector<KeyWrite> keys{{versionKey, library.helpString, {}},
                               {versionKey + u"\\0\\linux", path, {}},
                               {versionKey + u"\\FLAGS", u"0", {}},
                               {versionKey + u"\\HELPDIR", folder, {}}};
    for (const auto& interface : library.interfaces) {
        const std::u16string key = u"Interface\\" + GuidToString(interface.iid);
        keys.push_back({key, interface.name, {}});
        keys.push_back({key + u"\\ProxyStubClsid32", kAutomationMarshaler, {}});
        keys.push_back({key + u"\\TypeLib", libid, {}});
        keys.push_back({key + u"\\TypeLib", library.version, u"Version"});
    }
    return keys;
}

// The first failure ends it.
HRESULT WriteKeys(const std::vector<KeyWrite>& keys) {
    for (const KeyWrite& key : keys) {
        const LSTATUS status = WriteKey(HKEY_CLASSES_ROOT, key.path, key.data, key.valueName);
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    }
    return S_OK;
}

HRESULT ResultOf(LSTATUS status) {
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

}  // namespace

HRESULT RegisterClass(const ClassRegistration& registration, std::u16string_view modulePath) {
    if (registration.progId.empty() || modulePath.empty()) return E_INVALIDARG;
    return detail::Guarded([&] {
        // The class key is written afresh: nothing of an earlier registration stays in it.
        const std::u16string classKey = ClassKey(registration.clsid);
        if (HRESULT hr = ResultOf(RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str())); FAILED(hr)) return hr;
        return WriteKeys(RegistrationKeys(registration, modulePath));
    });
}

HRESULT RegisterTypeLibrary(const TypeLibraryRegistration& library, std::u16string_view modulePath) {
    if (modulePath.empty()) return E_INVALIDARG;
    return detail::Guarded([&] { return WriteKeys(TypeLibraryKeys(library, modulePath)); });
}

HRESULT UnregisterClass(const ClassRegistration& registration) {
    return detail::Guarded([&] {
        for (const std::u16string* progId : {&registration.progId, &registration.versionIndependentProgId})
            if (HRESULT hr = ResultOf(DeleteProgIdKey(*progId, registration.clsid)); FAILED(hr)) return hr;
        const std::u16string classKey = ClassKey(registration.clsid);
        return ResultOf(RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str()));
    });
}

std::u16string ModulePath(const void* addressInModule) {
    return text::AnsiToText(ModuleFileSystemPath(addressInModule));
}

HRESULT StorableModulePath(const void* addressInModule, std::u16string& modulePath) {
    const std::string path = ModuleFileSystemPath(addressInModule);
    modulePath = text::AnsiToText(path);
    // The registry holds the path as text; one that does not turn back into the same bytes
    // would name another file when the class is created.
    return path.empty() || text::TextToAnsi(modulePath) == path ? S_OK : HRESULT_FROM_WIN32(ERROR_NO_UNICODE_TRANSLATION);
}

HRESULT RegisterModuleClass(const ClassRegistration& registration, const void* addressInModule,
                            const std::optional<TypeLibraryRegistration>& typeLibrary) {
    std::u16string modulePath;
    HRESULT hr = StorableModulePath(addressInModule, modulePath);
    if (SUCCEEDED(hr)) hr = RegisterClass(registration, modulePath);
    if (SUCCEEDED(hr) && typeLibrary) hr = RegisterTypeLibrary(*typeLibrary, modulePath);
    return hr;
}

}  // namespace com
