// The component module mossel: serves "Tavrel.Dictionary" and its type library.
#include "components/dictionary/dictionary_object.h"
#include "platform/com/registration.h"

namespace {

com::ClassFactory factory(&mossel::Dictionary::CreateInstance);

com::ClassRegistration Registration() {
    return {CLSID_Dictionary, mossel::kProgId, mossel::kVersionIndependentProgId, u"Dictionary Class", u"Apartment",
            LIBID_TAVREL_MOSSELLib, true};
}

com::TypeLibraryRegistration TypeLibrary() {
    return {LIBID_TAVREL_MOSSELLib, u"1.0", u"Tavrel Dictionary 1.0 Type Library", {{IID_IDictionary, u"IDictionary"}}};
}

}  // namespace

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return com::GetClassObject({{CLSID_Dictionary, factory}}, rclsid, riid, ppv);
}

HRESULT DllCanUnloadNow() { return com::ThisModule().canUnloadNow(); }

HRESULT DllRegisterServer() {
    return com::RegisterModuleClass(Registration(), reinterpret_cast<const void*>(&DllRegisterServer), TypeLibrary());
}

// The type library stays registered.
HRESULT DllUnregisterServer() {
    com::UnregisterClass(Registration());
    return S_OK;
}
