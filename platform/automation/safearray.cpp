#include "platform/automation/safearray.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/automation/bstr.h"
#include "platform/automation/variant.h"

namespace {

// Room in front of the descriptor for the element kind (FADF_HAVEVARTYPE), as the platform keeps it.
constexpr size_t kDescriptorPrefix = 16;
constexpr USHORT kKindFlags = FADF_HAVEVARTYPE | FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT |
                              FADF_HAVEIID | FADF_RECORD;

size_t descriptorSize(UINT cDims) { return sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND); }
DWORD* vartypeSlot(SAFEARRAY* psa) { return reinterpret_cast<DWORD*>(psa) - 1; }
char* blockOf(SAFEARRAY* psa) { return reinterpret_cast<char*>(psa) - kDescriptorPrefix; }

// The bound of dimension d, counting from 1 at the left.
SAFEARRAYBOUND& boundOf(SAFEARRAY* psa, UINT d) { return psa->rgsabound[psa->cDims - d]; }

bool arrayCanHold(VARTYPE vt) {
    switch (vt) {
    case VT_EMPTY: case VT_NULL: return false;
    default: return VariantElementSize(vt) != 0;
    }
}

USHORT featuresFor(VARTYPE vt) {
    switch (vt) {
    case VT_BSTR: return FADF_BSTR | FADF_HAVEVARTYPE;
    case VT_UNKNOWN: return FADF_UNKNOWN | FADF_HAVEVARTYPE;
    case VT_DISPATCH: return FADF_DISPATCH | FADF_HAVEVARTYPE;
    case VT_VARIANT: return FADF_VARIANT | FADF_HAVEVARTYPE;
    default: return FADF_HAVEVARTYPE;
    }
}

bool checkedTotalBytes(const SAFEARRAY* psa, size_t& bytes) {
    size_t n = SafeArrayElementCount(psa);
    if (psa->cbElements && n > std::numeric_limits<size_t>::max() / psa->cbElements) return false;
    bytes = n * psa->cbElements;
    return true;
}

// Releases what the elements own: strings, interface references, Variants.
void releaseElements(SAFEARRAY* psa, size_t first, size_t count) {
    char* base = static_cast<char*>(psa->pvData) + first * psa->cbElements;
    for (size_t i = 0; i < count; ++i) {
        void* cell = base + i * psa->cbElements;
        if (psa->fFeatures & FADF_BSTR) {
            SysFreeString(*static_cast<BSTR*>(cell));
        } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            if (IUnknown* p = *static_cast<IUnknown**>(cell)) p->Release();
        } else if (psa->fFeatures & FADF_VARIANT) {
            VariantClear(static_cast<VARIANT*>(cell));
        }
    }
    std::memset(base, 0, count * psa->cbElements);
}

// Copies one element from src to an empty dst cell of the same kind.
HRESULT copyElement(USHORT features, ULONG size, const void* src, void* dst) {
    if (features & FADF_BSTR) {
        BSTR s = *static_cast<const BSTR*>(src);
        BSTR copy = nullptr;
        if (s && !(copy = SysAllocStringByteLen(reinterpret_cast<const char*>(s), SysStringByteLen(s))))
            return E_OUTOFMEMORY;
        *static_cast<BSTR*>(dst) = copy;
    } else if (features & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* p = *static_cast<IUnknown* const*>(src);
        if (p) p->AddRef();
        *static_cast<IUnknown**>(dst) = p;
    } else if (features & FADF_VARIANT) {
        VariantInit(static_cast<VARIANT*>(dst));
        return VariantCopy(static_cast<VARIANT*>(dst), static_cast<const VARIANT*>(src));
    } else {
        std::memcpy(dst, src, size);
    }
    return S_OK;
}

HRESULT offsetOf(SAFEARRAY* psa, const LONG* rgIndices, size_t& offset) {
    if (!psa || !rgIndices) return E_INVALIDARG;
    size_t cell = 0, stride = 1;
    for (UINT d = 1; d <= psa->cDims; ++d) {
        const SAFEARRAYBOUND& b = boundOf(psa, d);
        int64_t rel = int64_t(rgIndices[d - 1]) - b.lLbound;
        if (rel < 0 || rel >= int64_t(b.cElements)) return DISP_E_BADINDEX;
        cell += size_t(rel) * stride;
        stride *= b.cElements;
    }
    offset = cell * psa->cbElements;
    return S_OK;
}

}  // namespace

ULONG SafeArrayElementCount(const SAFEARRAY* psa) {
    if (!psa) return 0;
    uint64_t n = 1;
    for (UINT i = 0; i < psa->cDims; ++i) {
        n *= psa->rgsabound[i].cElements;
        if (n > std::numeric_limits<ULONG>::max()) return std::numeric_limits<ULONG>::max();
    }
    return static_cast<ULONG>(n);
}

HRESULT SafeArrayAllocDescriptor(UINT cDims, SAFEARRAY** ppsaOut) {
    if (!ppsaOut) return E_POINTER;
    *ppsaOut = nullptr;
    if (cDims == 0 || cDims > 0xFFFF) return E_INVALIDARG;
    char* block = static_cast<char*>(std::calloc(1, kDescriptorPrefix + descriptorSize(cDims)));
    if (!block) return E_OUTOFMEMORY;
    auto* psa = reinterpret_cast<SAFEARRAY*>(block + kDescriptorPrefix);
    psa->cDims = static_cast<USHORT>(cDims);
    *ppsaOut = psa;
    return S_OK;
}

HRESULT SafeArrayAllocDescriptorEx(VARTYPE vt, UINT cDims, SAFEARRAY** ppsaOut) {
    if (!arrayCanHold(vt)) return DISP_E_BADVARTYPE;
    HRESULT hr = SafeArrayAllocDescriptor(cDims, ppsaOut);
    if (FAILED(hr)) return hr;
    (*ppsaOut)->fFeatures = featuresFor(vt);
    (*ppsaOut)->cbElements = VariantElementSize(vt);
    *vartypeSlot(*ppsaOut) = vt;
    return S_OK;
}

HRESULT SafeArrayAllocData(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    size_t bytes = 0;
    if (!checkedTotalBytes(psa, bytes)) return E_OUTOFMEMORY;
    void* data = std::calloc(1, bytes ? bytes : 1);
    if (!data) return E_OUTOFMEMORY;
    psa->pvData = data;
    return S_OK;
}

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* rgsabound) {
    if (!rgsabound) return nullptr;
    SAFEARRAY* psa = nullptr;
    if (FAILED(SafeArrayAllocDescriptorEx(vt, cDims, &psa))) return nullptr;
    for (UINT d = 1; d <= cDims; ++d) boundOf(psa, d) = rgsabound[d - 1];
    if (FAILED(SafeArrayAllocData(psa))) {
        SafeArrayDestroyDescriptor(psa);
        return nullptr;
    }
    return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
    SAFEARRAYBOUND bound{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroyData(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
    if (!psa->pvData) return S_OK;
    releaseElements(psa, 0, SafeArrayElementCount(psa));
    if (!(psa->fFeatures & (FADF_STATIC | FADF_EMBEDDED | FADF_AUTO))) {
        std::free(psa->pvData);
        psa->pvData = nullptr;
    }
    return S_OK;
}

HRESULT SafeArrayDestroyDescriptor(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
    std::free(blockOf(psa));
    return S_OK;
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (!psa) return S_OK;
    if (psa->cLocks) return DISP_E_ARRAYISLOCKED;
    HRESULT hr = SafeArrayDestroyData(psa);
    if (FAILED(hr)) return hr;
    return SafeArrayDestroyDescriptor(psa);
}

HRESULT SafeArrayCopyData(SAFEARRAY* psaSource, SAFEARRAY* psaTarget) {
    if (!psaSource || !psaTarget) return E_INVALIDARG;
    if (psaSource->cDims != psaTarget->cDims || psaSource->cbElements != psaTarget->cbElements)
        return E_INVALIDARG;
    for (UINT i = 0; i < psaSource->cDims; ++i)
        if (psaSource->rgsabound[i].cElements != psaTarget->rgsabound[i].cElements) return E_INVALIDARG;
    if (psaTarget->cLocks) return DISP_E_ARRAYISLOCKED;
    size_t n = SafeArrayElementCount(psaSource);
    if (n && (!psaSource->pvData || !psaTarget->pvData)) return E_INVALIDARG;
    releaseElements(psaTarget, 0, n);
    const char* src = static_cast<const char*>(psaSource->pvData);
    char* dst = static_cast<char*>(psaTarget->pvData);
    for (size_t i = 0; i < n; ++i) {
        HRESULT hr = copyElement(psaSource->fFeatures, psaSource->cbElements, src + i * psaSource->cbElements,
                                 dst + i * psaSource->cbElements);
        if (FAILED(hr)) {
            releaseElements(psaTarget, 0, i);
            return hr;
        }
    }
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
    if (!ppsaOut) return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa) return S_OK;
    SAFEARRAY* copy = nullptr;
    HRESULT hr = SafeArrayAllocDescriptor(psa->cDims, &copy);
    if (FAILED(hr)) return hr;
    std::memcpy(vartypeSlot(copy), vartypeSlot(psa), sizeof(DWORD));
    copy->fFeatures = psa->fFeatures & (kKindFlags | FADF_FIXEDSIZE);
    copy->cbElements = psa->cbElements;
    std::memcpy(copy->rgsabound, psa->rgsabound, psa->cDims * sizeof(SAFEARRAYBOUND));
    if (psa->pvData) {
        if (FAILED(hr = SafeArrayAllocData(copy)) || FAILED(hr = SafeArrayCopyData(psa, copy))) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *ppsaOut = copy;
    return S_OK;
}

HRESULT SafeArrayRedim(SAFEARRAY* psa, const SAFEARRAYBOUND* psaboundNew) {
    if (!psa || !psaboundNew) return E_INVALIDARG;
    if (psa->cLocks || (psa->fFeatures & FADF_FIXEDSIZE)) return DISP_E_ARRAYISLOCKED;
    if (psa->cbElements == 0) return E_INVALIDARG;
    // Only the rightmost dimension changes; it varies slowest, so the data keeps its place.
    SAFEARRAYBOUND& last = psa->rgsabound[0];
    size_t slice = 1;
    for (UINT i = 1; i < psa->cDims; ++i) slice *= psa->rgsabound[i].cElements;
    size_t oldCount = slice * last.cElements;
    if (psaboundNew->cElements && slice > std::numeric_limits<size_t>::max() / psaboundNew->cElements / psa->cbElements)
        return E_OUTOFMEMORY;
    size_t newCount = slice * psaboundNew->cElements;
    if (newCount < oldCount) releaseElements(psa, newCount, oldCount - newCount);
    void* data = std::realloc(psa->pvData, newCount ? newCount * psa->cbElements : 1);
    if (!data) return E_OUTOFMEMORY;
    if (newCount > oldCount)
        std::memset(static_cast<char*>(data) + oldCount * psa->cbElements, 0, (newCount - oldCount) * psa->cbElements);
    psa->pvData = data;
    last = *psaboundNew;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }
UINT SafeArrayGetElemsize(SAFEARRAY* psa) { return psa ? psa->cbElements : 0; }

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
    if (!psa || !plLbound) return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims) return DISP_E_BADINDEX;
    *plLbound = boundOf(psa, nDim).lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
    if (!psa || !plUbound) return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims) return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = boundOf(psa, nDim);
    *plUbound = static_cast<LONG>(int64_t(b.lLbound) + int64_t(b.cElements) - 1);
    return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
    if (!psa || !pvt) return E_INVALIDARG;
    if (psa->fFeatures & FADF_HAVEVARTYPE) *pvt = static_cast<VARTYPE>(*vartypeSlot(psa));
    else if (psa->fFeatures & FADF_BSTR) *pvt = VT_BSTR;
    else if (psa->fFeatures & FADF_UNKNOWN) *pvt = VT_UNKNOWN;
    else if (psa->fFeatures & FADF_DISPATCH) *pvt = VT_DISPATCH;
    else if (psa->fFeatures & FADF_VARIANT) *pvt = VT_VARIANT;
    else return E_INVALIDARG;
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks == 0xFFFF) return E_UNEXPECTED;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
    if (!psa) return E_INVALIDARG;
    if (psa->cLocks == 0) return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
    if (!psa || !ppvData) return E_INVALIDARG;
    HRESULT hr = SafeArrayLock(psa);
    *ppvData = SUCCEEDED(hr) ? psa->pvData : nullptr;
    return hr;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, const LONG* rgIndices, void** ppvData) {
    if (!ppvData) return E_INVALIDARG;
    size_t offset = 0;
    HRESULT hr = offsetOf(psa, rgIndices, offset);
    if (FAILED(hr)) return hr;
    *ppvData = static_cast<char*>(psa->pvData) + offset;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv) {
    if (!pv) return E_INVALIDARG;
    size_t offset = 0;
    HRESULT hr = offsetOf(psa, rgIndices, offset);
    if (FAILED(hr)) return hr;
    return copyElement(psa->fFeatures, psa->cbElements, static_cast<char*>(psa->pvData) + offset, pv);
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv) {
    size_t offset = 0;
    HRESULT hr = offsetOf(psa, rgIndices, offset);
    if (FAILED(hr)) return hr;
    void* cell = static_cast<char*>(psa->pvData) + offset;
    if (psa->fFeatures & FADF_BSTR) {
        // The platform takes the string value itself, not a pointer to it.
        BSTR s = static_cast<BSTR>(pv), copy = nullptr;
        if (s && !(copy = SysAllocStringByteLen(reinterpret_cast<const char*>(s), SysStringByteLen(s))))
            return E_OUTOFMEMORY;
        SysFreeString(*static_cast<BSTR*>(cell));
        *static_cast<BSTR*>(cell) = copy;
        return S_OK;
    }
    if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        // Likewise the interface pointer itself.
        auto* p = static_cast<IUnknown*>(pv);
        if (p) p->AddRef();
        if (IUnknown* old = *static_cast<IUnknown**>(cell)) old->Release();
        *static_cast<IUnknown**>(cell) = p;
        return S_OK;
    }
    if (!pv) return E_INVALIDARG;
    if (psa->fFeatures & FADF_VARIANT) return VariantCopy(static_cast<VARIANT*>(cell), static_cast<VARIANT*>(pv));
    std::memcpy(cell, pv, psa->cbElements);
    return S_OK;
}
