#include "platform/com/creation.h"
#include "platform/scripting/scripting_dictionary.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

#include "platform/automation/ascii.h"
#include "platform/automation/error.h"
#include "platform/automation/guid.h"
#include "platform/automation/object_base.h"
#include "platform/com/guarded.h"
#include "platform/com/module_loader.h"
#include "platform/text/codepage.h"
#include "platform/com/registry_keys.h"

namespace {

using com::detail::ClassKey;
using com::detail::Guarded;
using com::detail::KeyExists;
using com::detail::ReadString;

// ProgIDs compare without regard to the case of A to Z, as registry key names do.
std::u16string FoldedProgId(std::u16string_view progId) { return automation::AsciiUppercase(progId); }

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }
};

// The class factory of a built-in class: hands each request to the creator.
class BuiltinFactory final
    : public automation::SingleInterfaceObject<BuiltinFactory, IClassFactory, IID_IClassFactory> {
public:
    explicit BuiltinFactory(BuiltinCreator creator) : creator_(std::move(creator)) {}

    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return CatchAtBoundary([&] { return creator_(riid, ppv); });
    }
    HRESULT LockServer(BOOL) override { return S_OK; }  // built-in classes never unload

private:
    BuiltinCreator creator_;
};

class BuiltinClasses {
public:
    void add(std::u16string_view progId, REFCLSID clsid, BuiltinCreator creator) {
        std::lock_guard lock(mutex_);
        progIds_[FoldedProgId(progId)] = clsid;
        classes_[clsid] = Class{std::u16string(progId), std::move(creator)};
    }
    bool findClsid(std::u16string_view progId, CLSID& clsid) {
        std::lock_guard lock(mutex_);
        const auto it = progIds_.find(FoldedProgId(progId));
        if (it == progIds_.end()) return false;
        clsid = it->second;
        return true;
    }
    bool findProgId(REFCLSID clsid, std::u16string& progId) {
        std::lock_guard lock(mutex_);
        const auto it = classes_.find(clsid);
        if (it == classes_.end()) return false;
        progId = it->second.progId;
        return true;
    }
    // A new factory for the class, or null when the class is not built in.
    ComPtr<IClassFactory> factory(REFCLSID clsid) {
        std::lock_guard lock(mutex_);
        const auto it = classes_.find(clsid);
        if (it == classes_.end()) return nullptr;
        return ComPtr<IClassFactory>(new BuiltinFactory(it->second.creator));
    }

private:
    struct Class {
        std::u16string progId;
        BuiltinCreator creator;
    };
    std::mutex mutex_;
    std::map<std::u16string, CLSID> progIds_;  // by folded ProgID
    std::map<CLSID, Class, GuidLess> classes_;
};

// The platform's own classes, always creatable.
BuiltinClasses* WithPlatformClasses(BuiltinClasses* classes) {
    classes->add(u"Scripting.Dictionary", scripting::CLSID_ScriptingDictionary, scripting::CreateScriptingDictionary);
    return classes;
}

BuiltinClasses& Builtins() {
    static BuiltinClasses* classes = WithPlatformClasses(new BuiltinClasses);  // lives as long as the process
    return *classes;
}

// The ProgID that a chain of CurVer keys leads to; a loop ends at the last ProgID before it
// repeats, a CurVer naming a missing key is not followed.
std::u16string CurrentVersion(std::u16string progId) {
    std::set<std::u16string> seen{FoldedProgId(progId)};
    while (auto next = ReadString(HKEY_CLASSES_ROOT, progId + u"\\CurVer")) {
        if (next->empty() || !KeyExists(HKEY_CLASSES_ROOT, *next)) break;
        if (!seen.insert(FoldedProgId(*next)).second) break;
        progId = std::move(*next);
    }
    return progId;
}

}  // namespace

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid) {
    if (!lpszProgID || !lpclsid) return E_INVALIDARG;
    return Guarded([&] {
        const std::u16string_view progId(lpszProgID);
        if (Builtins().findClsid(progId, *lpclsid)) return S_OK;
        const RegistryReadSession oneSnapshot;  // the ProgID, its CurVer chain and CLSID read together
        if (progId.empty() || !KeyExists(HKEY_CLASSES_ROOT, progId)) return CO_E_CLASSSTRING;
        const auto text = ReadString(HKEY_CLASSES_ROOT, CurrentVersion(std::u16string(progId)) + u"\\CLSID");
        const auto clsid = text ? GuidFromString(*text) : std::nullopt;
        if (!clsid) return CO_E_CLASSSTRING;
        *lpclsid = *clsid;
        return S_OK;
    });
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID) {
    if (!lplpszProgID) return E_INVALIDARG;
    *lplpszProgID = nullptr;
    return Guarded([&] {
        std::u16string progId;
        if (!Builtins().findProgId(clsid, progId)) {
            auto text = ReadString(HKEY_CLASSES_ROOT, ClassKey(clsid) + u"\\ProgID");
            if (!text || text->empty()) return REGDB_E_CLASSNOTREG;
            progId = std::move(*text);
        }
        const size_t bytes = (progId.size() + 1) * sizeof(OLECHAR);
        auto* copy = static_cast<OLECHAR*>(CoTaskMemAlloc(bytes));
        if (!copy) return E_OUTOFMEMORY;
        std::memcpy(copy, progId.c_str(), bytes);
        *lplpszProgID = copy;
        return S_OK;
    });
}

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, void*, REFIID riid, void** ppv) {
    if (!ppv) return E_INVALIDARG;
    *ppv = nullptr;
    return Guarded([&] {
        if (const ComPtr<IClassFactory> builtin = Builtins().factory(rclsid)) return builtin->QueryInterface(riid, ppv);
        if (!(dwClsContext & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
        const auto module = ReadString(HKEY_CLASSES_ROOT, ClassKey(rclsid) + u"\\InprocServer32");
        if (!module || module->empty()) return REGDB_E_CLASSNOTREG;
        return com::detail::GetClassObjectFromModule(text::TextToAnsi(*module), rclsid, riid, ppv);
    });
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    ComPtr<IClassFactory> factory;
    if (HRESULT hr = CoGetClassObject(rclsid, dwClsContext, nullptr, IID_IClassFactory, factory.putVoid()); FAILED(hr))
        return hr;
    return factory->CreateInstance(pUnkOuter, riid, ppv);
}

void CoFreeUnusedLibraries() { com::detail::FreeUnusedModules(); }

void* CoTaskMemAlloc(size_t cb) { return std::malloc(cb ? cb : 1); }

void CoTaskMemFree(void* pv) { std::free(pv); }

void RegisterBuiltinClass(std::u16string_view progId, REFCLSID clsid, BuiltinCreator creator) {
    Builtins().add(progId, clsid, std::move(creator));
}

namespace com {

ComPtr<IDispatch> CreateObject(std::u16string_view progId) {
    SetErrorInfo(0, nullptr);  // so that only what this creation reports is taken
    const RegistryReadSession oneSnapshot;  // the class and its module found in one state of the store
    const std::u16string name(progId);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(name.c_str(), &clsid);
    ComPtr<IDispatch> object;
    if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, object.putVoid());
    if (FAILED(hr)) throw ComError::fromHresult(hr);
    return object;
}

}  // namespace com
