// Initialising, clearing and copying Variants.
#include "platform/automation/variant.h"

#include <cstring>

#include "platform/automation/bstr.h"
#include "platform/automation/safearray.h"

namespace {

bool isScalarKind(VARTYPE base) {
    switch (base) {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BSTR:
    case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_UNKNOWN: case VT_DECIMAL: case VT_I1:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool IsValidVariantType(VARTYPE vt) {
    VARTYPE base = vt & VT_TYPEMASK;
    if (vt & ~(VT_TYPEMASK | VT_BYREF | VT_ARRAY)) return false;
    if (vt & (VT_BYREF | VT_ARRAY)) return isScalarKind(base) || base == VT_VARIANT;
    return base == VT_EMPTY || base == VT_NULL || isScalarKind(base);
}

namespace {

HRESULT copyOwnedValue(VARIANT* dest, const VARIANT* src) {
    switch (src->vt) {
    case VT_BSTR:
        if (src->bstrVal) {
            dest->bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(src->bstrVal),
                                                  SysStringByteLen(src->bstrVal));
            if (!dest->bstrVal) return E_OUTOFMEMORY;
        }
        return S_OK;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        if (src->punkVal) src->punkVal->AddRef();
        return S_OK;
    default:
        if (src->vt & VT_ARRAY && !(src->vt & VT_BYREF)) return SafeArrayCopy(src->parray, &dest->parray);
        return S_OK;
    }
}

// Reads the value a by-reference Variant points to into a Variant that does not own it yet.
HRESULT borrowReferencedValue(const VARIANT* src, VARIANT* out) {
    VariantInit(out);
    VARTYPE base = src->vt & ~VT_BYREF;
    if (!src->byref) return E_INVALIDARG;
    if (base == VT_VARIANT) {
        const VARIANT* inner = src->pvarVal;
        if (inner->vt & VT_BYREF) return E_INVALIDARG;
        *out = *inner;
        return S_OK;
    }
    out->vt = base;
    if (base & VT_ARRAY) { out->parray = *src->pparray; return S_OK; }
    switch (base) {
    case VT_I1: case VT_UI1: std::memcpy(&out->bVal, src->byref, 1); break;
    case VT_I2: case VT_UI2: case VT_BOOL: std::memcpy(&out->iVal, src->byref, 2); break;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR:
        std::memcpy(&out->lVal, src->byref, 4);
        break;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: std::memcpy(&out->llVal, src->byref, 8); break;
    case VT_BSTR: out->bstrVal = *src->pbstrVal; break;
    case VT_DISPATCH: case VT_UNKNOWN: out->punkVal = *src->ppunkVal; break;
    case VT_DECIMAL: out->decVal = *src->pdecVal; out->vt = VT_DECIMAL; break;
    default: return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

}  // namespace

void VariantInit(VARIANT* pvarg) {
    if (!pvarg) return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
}

HRESULT VariantClear(VARIANT* pvarg) {
    if (!pvarg) return E_INVALIDARG;
    if (!IsValidVariantType(pvarg->vt)) return DISP_E_BADVARTYPE;
    if (!(pvarg->vt & VT_BYREF)) {
        if (pvarg->vt & VT_ARRAY) {
            HRESULT hr = SafeArrayDestroy(pvarg->parray);
            if (FAILED(hr)) return hr;
        } else if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        } else if (pvarg->vt == VT_DISPATCH || pvarg->vt == VT_UNKNOWN) {
            if (pvarg->punkVal) pvarg->punkVal->Release();
        }
    }
    VariantInit(pvarg);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc) {
    if (!pvargDest || !pvargSrc) return E_INVALIDARG;
    if (pvargDest == pvargSrc) return S_OK;
    if (!IsValidVariantType(pvargSrc->vt)) return DISP_E_BADVARTYPE;
    VARIANT copy;
    std::memcpy(&copy, pvargSrc, sizeof(VARIANT));
    if (!(pvargSrc->vt & VT_BYREF)) {
        HRESULT hr = copyOwnedValue(&copy, pvargSrc);
        if (FAILED(hr)) return hr;
    }
    HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    std::memcpy(pvargDest, &copy, sizeof(VARIANT));
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANT* pvargSrc) {
    if (!pvarDest || !pvargSrc) return E_INVALIDARG;
    if (!(pvargSrc->vt & VT_BYREF)) return VariantCopy(pvarDest, pvargSrc);
    if (!IsValidVariantType(pvargSrc->vt)) return DISP_E_BADVARTYPE;
    VARIANT borrowed;
    HRESULT hr = borrowReferencedValue(pvargSrc, &borrowed);
    if (FAILED(hr)) return hr;
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(hr = VariantCopy(&copy, &borrowed))) return hr;
    // The destination may be the source itself, so it is cleared only once the copy exists.
    if (FAILED(hr = VariantClear(pvarDest))) {
        VariantClear(&copy);
        return hr;
    }
    std::memcpy(pvarDest, &copy, sizeof(VARIANT));
    return S_OK;
}

UINT VariantElementSize(VARTYPE vt) {
    switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_DECIMAL: return sizeof(DECIMAL);
    default: return 0;
    }
}
