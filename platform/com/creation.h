// Creating objects of registered classes: ProgID (following CurVer) -> CLSID -> InprocServer32
// module path in the classes root -> loaded module -> DllGetClassObject -> IClassFactory.
// Classes of the platform itself are built in and need no registration.
#pragma once

#include <functional>
#include <string_view>

#include "platform/automation/handles.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_ALL = 0x17;

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid);   // CO_E_CLASSSTRING when unknown
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* lplpszProgID);  // result freed with CoTaskMemFree
HRESULT CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, void* pvReserved, REFIID riid, void** ppv);
HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, void** ppv);
// Unloads the cached modules whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
void* CoTaskMemAlloc(size_t cb);
void CoTaskMemFree(void* pv);

// Registers a class that lives in this process (no module, no registry keys): the creator makes
// a new object and answers QueryInterface for the asked interface.
using BuiltinCreator = std::function<HRESULT(REFIID riid, void** ppv)>;
void RegisterBuiltinClass(std::u16string_view progId, REFCLSID clsid, BuiltinCreator creator);

namespace com {
// CreateObject as scripts know it: the object's IDispatch, or ComError with the creation's
// HRESULT as its number and the platform's text for it.
ComPtr<IDispatch> CreateObject(std::u16string_view progId);
}  // namespace com
