// The component module quillon: serves "Tavrel.Strings2".
#include "components/strings/quillon/strings2_object.h"
#include "platform/com/registration.h"

namespace {

com::ClassFactory factory(&com::CreateInstanceOf<quillon::Strings2>);

com::ClassRegistration Registration() {
    return {CLSID_Strings2, u"Tavrel.Strings2.1", strings2::kProgId, u"Strings2 Class", u"Apartment", LIBID_Tavrel,
            true};
}

com::TypeLibraryRegistration TypeLibrary() {
    return {LIBID_Tavrel, u"1.0", strings2::kHelpString, {{IID__Strings2, u"_Strings2"}}};
}

}  // namespace

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return com::GetClassObject({{CLSID_Strings2, factory}}, rclsid, riid, ppv);
}

HRESULT DllCanUnloadNow() { return com::ThisModule().canUnloadNow(); }

HRESULT DllRegisterServer() {
    return com::RegisterModuleClass(Registration(), reinterpret_cast<const void*>(&DllRegisterServer), TypeLibrary());
}

HRESULT DllUnregisterServer() { return com::UnregisterClass(Registration()); }
