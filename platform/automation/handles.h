// Owning wrappers that keep reference counts and memory right: ComPtr for interface pointers,
// Bstr for BSTRs and Variant for VARIANTs.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/automation/bstr.h"
#include "platform/automation/interfaces.h"
#include "platform/automation/variant.h"

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference.
    explicit ComPtr(T* p) : p_(p) { if (p_) p_->AddRef(); }
    ComPtr(const ComPtr& o) : p_(o.p_) { if (p_) p_->AddRef(); }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~ComPtr() { reset(); }
    ComPtr& operator=(ComPtr o) noexcept { std::swap(p_, o.p_); return *this; }

    // Takes over a reference the caller already owns.
    static ComPtr attach(T* p) { ComPtr r; r.p_ = p; return r; }
    T* detach() { return std::exchange(p_, nullptr); }
    void reset() { if (T* p = std::exchange(p_, nullptr)) p->Release(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out parameters: releases what is held and hands out the slot.
    T** put() { reset(); return &p_; }
    void** putVoid() { reset(); return reinterpret_cast<void**>(&p_); }

    template <class U>
    HRESULT queryInterface(REFIID iid, ComPtr<U>& out) const {
        return p_ ? p_->QueryInterface(iid, out.putVoid()) : E_POINTER;
    }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view s) : b_(SysAllocString(s)) {}
    Bstr(const Bstr& o) : b_(o.b_ ? SysAllocStringLen(o.b_, SysStringLen(o.b_)) : nullptr) {}
    Bstr(Bstr&& o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
    ~Bstr() { SysFreeString(b_); }
    Bstr& operator=(Bstr o) noexcept { std::swap(b_, o.b_); return *this; }

    static Bstr attach(BSTR b) { Bstr r; r.b_ = b; return r; }
    BSTR detach() { return std::exchange(b_, nullptr); }
    BSTR get() const { return b_; }
    BSTR* put() { SysFreeString(std::exchange(b_, nullptr)); return &b_; }
    bool isNull() const { return b_ == nullptr; }
    UINT length() const { return SysStringLen(b_); }
    std::u16string_view view() const { return BstrView(b_); }
    std::u16string str() const { return std::u16string(view()); }

private:
    BSTR b_ = nullptr;
};

class Variant : public VARIANT {
public:
    Variant() { VariantInit(this); }
    Variant(const VARIANT& v) { VariantInit(this); check(VariantCopy(this, &v)); }
    Variant(const Variant& v) : Variant(static_cast<const VARIANT&>(v)) {}
    Variant(Variant&& v) noexcept : VARIANT(v) { VariantInit(&v); }
    ~Variant() { VariantClear(this); }
    Variant& operator=(const Variant& v) { if (this != &v) check(VariantCopy(this, &v)); return *this; }
    Variant& operator=(Variant&& v) noexcept {
        if (this != &v) { VariantClear(this); static_cast<VARIANT&>(*this) = v; VariantInit(&v); }
        return *this;
    }

    // Typed constructors for the common kinds.
    static Variant null() { Variant r; r.vt = VT_NULL; return r; }
    static Variant fromLong(LONG v) { Variant r; r.vt = VT_I4; r.lVal = v; return r; }
    static Variant fromInt(SHORT v) { Variant r; r.vt = VT_I2; r.iVal = v; return r; }
    static Variant fromByte(BYTE v) { Variant r; r.vt = VT_UI1; r.bVal = v; return r; }
    static Variant fromDouble(DOUBLE v) { Variant r; r.vt = VT_R8; r.dblVal = v; return r; }
    static Variant fromBool(bool v) { Variant r; r.vt = VT_BOOL; r.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE; return r; }
    // Raises std::bad_alloc when the string cannot be made.
    static Variant fromString(std::u16string_view s);
    static Variant fromError(SCODE s) { Variant r; r.vt = VT_ERROR; r.scode = s; return r; }
    // Takes a new reference.
    static Variant fromDispatch(IDispatch* p);
    static Variant fromUnknown(IUnknown* p);
    // Takes over the array.
    static Variant fromArray(VARTYPE elementType, SAFEARRAY* psa) { Variant r; r.vt = VARTYPE(VT_ARRAY | elementType); r.parray = psa; return r; }
    // A reference (VT_BYREF | type) to a value that stays the caller's: clearing it leaves the value.
    static Variant byReference(VARTYPE type, void* target) {
        Variant r;
        r.vt = VARTYPE(VT_BYREF | type);
        r.byref = target;
        return r;
    }
    // The missing optional argument: VT_ERROR with DISP_E_PARAMNOTFOUND.
    static Variant missing() { return fromError(DISP_E_PARAMNOTFOUND); }

    // Takes over a VARIANT the caller owns, leaving it Empty.
    static Variant attach(VARIANT& v) { Variant r; static_cast<VARIANT&>(r) = v; VariantInit(&v); return r; }
    VARIANT detach() { VARIANT v = *this; VariantInit(this); return v; }
    void clear() { VariantClear(this); }
    VARIANT* ptr() { return this; }
    const VARIANT* ptr() const { return this; }

    bool isEmpty() const { return vt == VT_EMPTY; }
    bool isNull() const { return vt == VT_NULL; }
    bool isMissing() const { return vt == VT_ERROR && scode == DISP_E_PARAMNOTFOUND; }

    // Conversions by the Automation rules; they raise ComError on failure.
    Variant changedTo(VARTYPE type) const;
    std::u16string toString() const;
    LONG toLong() const;
    double toDouble() const;
    bool toBool() const;

private:
    static void check(HRESULT hr);
};
