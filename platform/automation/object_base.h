// IUnknown building blocks for heap objects: an atomic reference count that starts at 0 (the
// creator takes the first reference) and deletes its object at the last Release, and a complete
// IUnknown for objects that offer one interface besides IUnknown.
#pragma once

#include <atomic>

#include "platform/automation/interfaces.h"

namespace automation {

class ReferenceCount {
public:
    ULONG add() noexcept { return ++count_; }
    // Deletes owner when this was the last reference; returns the references left.
    template <class Owner>
    ULONG release(Owner* owner) noexcept {
        const ULONG left = --count_;
        if (left == 0) delete owner;
        return left;
    }

private:
    std::atomic<ULONG> count_{0};
};

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
    ULONG AddRef() override { return references_.add(); }
    ULONG Release() override { return references_.release(static_cast<Derived*>(this)); }

protected:
    SingleInterfaceObject() = default;
    ~SingleInterfaceObject() = default;

private:
    ReferenceCount references_;
};

}  // namespace automation
