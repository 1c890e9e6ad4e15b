// An object for tests that counts its references and never frees itself: it lives on the test's
// stack, starting with the one reference the test holds, so a test can check that code under
// test balances every AddRef with a Release. It has no members and no type information; a fake
// for a test derives from it and overrides what it needs.
#pragma once

#include "platform/automation/interfaces.h"

namespace testsupport {

class CountedObject : public IDispatch {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ULONG(++refs_); }
    ULONG Release() override { return ULONG(--refs_); }
    HRESULT GetTypeInfoCount(UINT* n) override { if (n) *n = 0; return S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

    int references() const { return refs_; }

private:
    int refs_ = 1;
};

}  // namespace testsupport
