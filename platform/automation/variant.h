// The Variant functions of the Automation runtime.
#pragma once

#include "platform/automation/interfaces.h"

void VariantInit(VARIANT* pvarg);
HRESULT VariantClear(VARIANT* pvarg);
HRESULT VariantCopy(VARIANT* pvargDest, const VARIANT* pvargSrc);
// Like VariantCopy, but a by-reference source is copied as the value it refers to.
HRESULT VariantCopyInd(VARIANT* pvarDest, const VARIANT* pvargSrc);
// Converts with the Automation rules; pvargDest may equal pvarSrc. On failure the destination is
// left unchanged and the result is DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW or DISP_E_BADVARTYPE.
HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags, VARTYPE vt);
HRESULT VariantChangeTypeEx(VARIANT* pvargDest, const VARIANT* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt);

// Whether a Variant may carry this type tag (by reference and array forms included).
bool IsValidVariantType(VARTYPE vt);

// Size in bytes of one element of the given kind inside an array; 0 for kinds an array cannot hold.
UINT VariantElementSize(VARTYPE vt);
