// The component module halvern: serves "Tavrel.System".
#include "components/system/halvern/system_object.h"
#include "platform/com/registration.h"

namespace {

com::ClassFactory factory(&com::CreateInstanceOf<halvern::SystemObject>);

com::ClassRegistration Registration() {
    return {CLSID_System, u"Tavrel.System.1", halvern::kProgId, u"System Class", u"Apartment", LIBID_TavrelSystem,
            true};
}

com::TypeLibraryRegistration TypeLibrary() {
    return {LIBID_TavrelSystem, u"1.0", halvern::kHelpString, {{IID__System, u"_System"}}};
}

}  // namespace

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    return com::GetClassObject({{CLSID_System, factory}}, rclsid, riid, ppv);
}

HRESULT DllCanUnloadNow() { return com::ThisModule().canUnloadNow(); }

HRESULT DllRegisterServer() {
    return com::RegisterModuleClass(Registration(), reinterpret_cast<const void*>(&DllRegisterServer), TypeLibrary());
}

HRESULT DllUnregisterServer() { return com::UnregisterClass(Registration()); }
