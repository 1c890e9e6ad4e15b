// SAFEARRAY: arrays of any dimension count and lower bounds, with the element kind kept in the
// descriptor. Bounds passed to SafeArrayCreate and index arrays (rgIndices) list the leftmost
// dimension first; the leftmost index varies fastest in memory.
#pragma once

#include "platform/automation/interfaces.h"

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* rgsabound);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements);
HRESULT SafeArrayAllocDescriptor(UINT cDims, SAFEARRAY** ppsaOut);
HRESULT SafeArrayAllocDescriptorEx(VARTYPE vt, UINT cDims, SAFEARRAY** ppsaOut);
HRESULT SafeArrayAllocData(SAFEARRAY* psa);
HRESULT SafeArrayDestroy(SAFEARRAY* psa);
HRESULT SafeArrayDestroyData(SAFEARRAY* psa);
HRESULT SafeArrayDestroyDescriptor(SAFEARRAY* psa);
HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut);
HRESULT SafeArrayCopyData(SAFEARRAY* psaSource, SAFEARRAY* psaTarget);
HRESULT SafeArrayRedim(SAFEARRAY* psa, const SAFEARRAYBOUND* psaboundNew);  // last dimension only

UINT SafeArrayGetDim(SAFEARRAY* psa);
UINT SafeArrayGetElemsize(SAFEARRAY* psa);
HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound);  // nDim counts from 1
HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound);
HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt);

HRESULT SafeArrayLock(SAFEARRAY* psa);
HRESULT SafeArrayUnlock(SAFEARRAY* psa);
HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData);
HRESULT SafeArrayUnaccessData(SAFEARRAY* psa);
HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, const LONG* rgIndices, void** ppvData);
// Copies in and out: strings, Variants and interface pointers are duplicated or referenced.
HRESULT SafeArrayGetElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv);
HRESULT SafeArrayPutElement(SAFEARRAY* psa, const LONG* rgIndices, void* pv);

// Total number of elements over all dimensions.
ULONG SafeArrayElementCount(const SAFEARRAY* psa);
