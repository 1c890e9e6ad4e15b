// What a component module needs besides registration: its count of live objects and server
// locks (for DllCanUnloadNow) and a class factory. Everything here is hidden inside the module
// that includes it, so every module has a counter of its own and nothing of it binds across
// modules (which would also keep a module from unloading).
#pragma once

#include <atomic>
#include <initializer_list>

#include "platform/automation/error.h"
#include "platform/automation/handles.h"
#include "platform/automation/interfaces.h"

// The entry points a component module exports; the module defines them.
#define COM_MODULE_EXPORT extern "C" __attribute__((visibility("default")))
COM_MODULE_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
COM_MODULE_EXPORT HRESULT DllCanUnloadNow();
COM_MODULE_EXPORT HRESULT DllRegisterServer();
COM_MODULE_EXPORT HRESULT DllUnregisterServer();

#pragma GCC visibility push(hidden)

namespace com {

// The module's live objects and server locks; changed with atomic operations.
class ModuleCounter {
public:
    void objectCreated() noexcept { objects_.fetch_add(1, std::memory_order_relaxed); }
    void objectDestroyed() noexcept { objects_.fetch_sub(1, std::memory_order_relaxed); }
    void lock() noexcept { locks_.fetch_add(1, std::memory_order_relaxed); }
    void unlock() noexcept { locks_.fetch_sub(1, std::memory_order_relaxed); }

    long objects() const noexcept { return objects_.load(std::memory_order_relaxed); }
    long locks() const noexcept { return locks_.load(std::memory_order_relaxed); }
    // What DllCanUnloadNow answers: S_OK when no object and no lock is left, otherwise S_FALSE.
    HRESULT canUnloadNow() const noexcept { return objects() == 0 && locks() == 0 ? S_OK : S_FALSE; }

private:
    std::atomic<long> objects_{0};
    std::atomic<long> locks_{0};
};

// The counter of the module that calls it.
inline ModuleCounter& ThisModule() {
    static ModuleCounter counter;
    return counter;
}

// A member that counts its object as live in the module for as long as the object exists.
class LiveObject {
public:
    LiveObject() noexcept { ThisModule().objectCreated(); }
    LiveObject(const LiveObject&) noexcept { ThisModule().objectCreated(); }
    LiveObject& operator=(const LiveObject&) noexcept { return *this; }
    ~LiveObject() { ThisModule().objectDestroyed(); }
};

// Makes one object of a class: on success *ppv holds the asked interface.
using InstanceCreator = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

// A class factory that lives as long as the module (a static object). The references that
// clients hold on it count as server locks, as do LockServer(TRUE) calls.
class ClassFactory final : public IClassFactory {
public:
    explicit constexpr ClassFactory(InstanceCreator create) : create_(create) {}
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override {
        ThisModule().lock();
        return ULONG(ThisModule().locks());
    }
    ULONG Release() override {
        ThisModule().unlock();
        return ULONG(ThisModule().locks());
    }
    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        return CatchAtBoundary([&] { return create_(outer, riid, ppv); });
    }
    HRESULT LockServer(BOOL lock) override {
        if (lock) ThisModule().lock();
        else ThisModule().unlock();
        return S_OK;
    }

private:
    InstanceCreator create_;
};

// The usual creator for a class T without aggregation. T starts with no references (as
// automation::DispatchObject does); it ends at once when it lacks the asked interface.
template <class T>
HRESULT CreateInstanceOf(IUnknown* outer, REFIID riid, void** ppv) {
    if (outer) return CLASS_E_NOAGGREGATION;
    const ComPtr<T> object(new T());
    return object->QueryInterface(riid, ppv);
}

// One class a module serves.
struct ServedClass {
    const CLSID& clsid;
    ClassFactory& factory;
};

// What DllGetClassObject answers for the module's classes.
inline HRESULT GetClassObject(std::initializer_list<ServedClass> classes, REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const ServedClass& served : classes)
        if (served.clsid == clsid) return served.factory.QueryInterface(riid, ppv);
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace com

#pragma GCC visibility pop
