// IUnknown for a heap object that offers one interface besides IUnknown: an atomic reference
// count that starts at 0 (the creator takes the first reference) and deletion at the last
// Release.
#pragma once

#include <atomic>

#include "platform/automation/interfaces.h"

namespace automation {

template <class Derived, class Interface, const IID& InterfaceId>
class SingleInterfaceObject : public Interface {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (riid != IID_IUnknown && riid != InterfaceId) return E_NOINTERFACE;
        *ppv = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        ULONG left = --references_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

protected:
    SingleInterfaceObject() = default;
    ~SingleInterfaceObject() = default;

private:
    std::atomic<ULONG> references_{0};
};

}  // namespace automation
