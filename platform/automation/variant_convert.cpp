// VariantChangeType: conversion between the kinds of Variant by the Automation runtime's rules.
#include <cfloat>
#include <cmath>
#include <optional>

#include "platform/automation/error.h"
#include "platform/automation/handles.h"
#include "platform/automation/variant.h"
#include "platform/automation/variant_text.h"

using namespace automation;

namespace {

using int128 = __int128;

// How many default members deep an object's value is followed (an object whose value is an
// object, and so on) before the conversion gives up.
constexpr int kMaxValueDepth = 8;

// A kind a Variant can hold by value (no VT_BYREF).
bool isHeldKind(VARTYPE vt) { return !(vt & VT_BYREF) && IsValidVariantType(vt); }

bool isObject(VARTYPE vt) { return vt == VT_DISPATCH || vt == VT_UNKNOWN; }

// ---- integers ---------------------------------------------------------------------------------

struct IntegerKind {
    int bits;
    bool isSigned;
    int128 min() const { return isSigned ? -(int128(1) << (bits - 1)) : 0; }
    int128 max() const { return isSigned ? (int128(1) << (bits - 1)) - 1 : (int128(1) << bits) - 1; }
};

std::optional<IntegerKind> integerKind(VARTYPE vt) {
    switch (vt) {
    case VT_I1: return IntegerKind{8, true};
    case VT_UI1: return IntegerKind{8, false};
    case VT_I2: return IntegerKind{16, true};
    case VT_UI2: return IntegerKind{16, false};
    case VT_I4: case VT_INT: return IntegerKind{32, true};
    case VT_UI4: case VT_UINT: return IntegerKind{32, false};
    case VT_I8: return IntegerKind{64, true};
    case VT_UI8: return IntegerKind{64, false};
    default: return std::nullopt;
    }
}

void storeInteger(VARIANT& out, VARTYPE vt, int128 v) {
    out.vt = vt;
    switch (vt) {
    case VT_I1: out.cVal = CHAR(v); break;
    case VT_UI1: out.bVal = BYTE(v); break;
    case VT_I2: out.iVal = SHORT(v); break;
    case VT_UI2: out.uiVal = USHORT(v); break;
    case VT_I4: out.lVal = LONG(v); break;
    case VT_INT: out.intVal = INT(v); break;
    case VT_UI4: out.ulVal = ULONG(v); break;
    case VT_UINT: out.uintVal = UINT(v); break;
    case VT_I8: out.llVal = LONGLONG(v); break;
    case VT_UI8: out.ullVal = ULONGLONG(v); break;
    default: break;
    }
}

// Halves go to the even neighbour: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
double roundHalfEven(double v) {
    if (std::fabs(v - std::trunc(v)) == 0.5) return 2.0 * std::round(v / 2.0);
    return std::round(v);
}

// The bits of a width-wide two's complement number.
int128 withinWidth(ULONGLONG bits, const IntegerKind& kind) {
    if (kind.bits < 64) bits &= (ULONGLONG(1) << kind.bits) - 1;
    int128 value = bits;
    if (kind.isSigned && (value >> (kind.bits - 1)) & 1) value -= int128(1) << kind.bits;
    return value;
}

// ---- the numeric value of a source ------------------------------------------------------------

// A source's value in the form that keeps it exact: integers (Boolean included), binary
// floating point (Single, Double, Date), decimal (Currency, DECIMAL, text) or "&H" digits,
// whose meaning depends on the target's width.
struct Number {
    enum class Kind { Integer, Real, Exact, Radix } kind = Kind::Integer;
    int128 integer = 0;
    bool boolean = false;
    double real = 0;
    bool single = false;
    ExactNumber exact;
    ULONGLONG bits = 0;
};

HRESULT numberOf(const VARIANT& v, LCID lcid, Number& n) {
    switch (v.vt) {
    case VT_EMPTY: n.integer = 0; return S_OK;
    case VT_I1: n.integer = v.cVal; return S_OK;
    case VT_UI1: n.integer = v.bVal; return S_OK;
    case VT_I2: n.integer = v.iVal; return S_OK;
    case VT_UI2: n.integer = v.uiVal; return S_OK;
    case VT_I4: n.integer = v.lVal; return S_OK;
    case VT_UI4: n.integer = v.ulVal; return S_OK;
    case VT_INT: n.integer = v.intVal; return S_OK;
    case VT_UINT: n.integer = v.uintVal; return S_OK;
    case VT_I8: n.integer = v.llVal; return S_OK;
    case VT_UI8: n.integer = v.ullVal; return S_OK;
    case VT_BOOL:
        n.integer = v.boolVal;
        n.boolean = true;
        return S_OK;
    case VT_R4:
        n.kind = Number::Kind::Real;
        n.real = v.fltVal;
        n.single = true;
        return S_OK;
    case VT_R8: case VT_DATE:
        n.kind = Number::Kind::Real;
        n.real = v.vt == VT_R8 ? v.dblVal : v.date;
        return S_OK;
    case VT_CY:
        n.kind = Number::Kind::Exact;
        n.exact = ExactNumber::fromCurrency(v.cyVal);
        return S_OK;
    case VT_DECIMAL:
        if (!IsValidDecimal(v.decVal)) return E_INVALIDARG;
        n.kind = Number::Kind::Exact;
        n.exact = ExactNumber::fromDecimal(v.decVal);
        return S_OK;
    case VT_BSTR: {
        ParsedNumber parsed;
        if (HRESULT hr = ParseNumber(BstrView(v.bstrVal), NumberSymbolsFor(lcid), parsed); FAILED(hr)) return hr;
        n.kind = parsed.radixPrefixed ? Number::Kind::Radix : Number::Kind::Exact;
        n.bits = parsed.bits;
        n.exact = std::move(parsed.value);
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

// "&H" digits for a target that is not an integer: 32-bit two's complement when they fit 32
// bits ("&HFFFFFFFF" is -1), 64-bit otherwise.
void settleRadix(Number& n) {
    if (n.kind != Number::Kind::Radix) return;
    n.kind = Number::Kind::Integer;
    n.integer = withinWidth(n.bits, IntegerKind{n.bits >> 32 ? 64 : 32, true});
}

HRESULT toInteger(const Number& n, const IntegerKind& kind, int128& out) {
    switch (n.kind) {
    case Number::Kind::Integer:
        // True is all ones in an unsigned target: CByte(True) is 255.
        out = n.boolean && !kind.isSigned ? withinWidth(ULONGLONG(n.integer), kind) : n.integer;
        break;
    case Number::Kind::Real: {
        double r = roundHalfEven(n.real);
        if (!(std::fabs(r) < 0x1p64)) return DISP_E_OVERFLOW;  // NaN included
        out = int128(r);
        break;
    }
    case Number::Kind::Exact: {
        uint128 magnitude;
        if (!RoundToScale(n.exact, 0, magnitude)) return DISP_E_OVERFLOW;
        out = n.exact.negative ? -int128(magnitude) : int128(magnitude);
        break;
    }
    case Number::Kind::Radix:
        if (kind.bits < 64 && n.bits >> kind.bits) return DISP_E_OVERFLOW;
        out = withinWidth(n.bits, kind);
        break;
    }
    return out < kind.min() || out > kind.max() ? DISP_E_OVERFLOW : S_OK;
}

HRESULT toDouble(Number n, double& out) {
    settleRadix(n);
    switch (n.kind) {
    case Number::Kind::Integer: out = double(n.integer); return S_OK;
    case Number::Kind::Real: out = n.real; return S_OK;
    default: return ToDouble(n.exact, out) ? S_OK : DISP_E_OVERFLOW;
    }
}

HRESULT toSingle(Number n, float& out) {
    settleRadix(n);
    switch (n.kind) {
    case Number::Kind::Integer: out = float(n.integer); return S_OK;
    case Number::Kind::Real:
        if (std::fabs(n.real) > FLT_MAX) return DISP_E_OVERFLOW;
        out = float(n.real);
        return S_OK;
    default: return ToFloat(n.exact, out) ? S_OK : DISP_E_OVERFLOW;
    }
}

HRESULT toCurrency(Number n, CY& out) {
    settleRadix(n);
    int128 scaled = 0;
    switch (n.kind) {
    case Number::Kind::Integer: scaled = n.integer * 10000; break;
    case Number::Kind::Real: {
        double r = roundHalfEven(n.real * 10000.0);
        if (!(r >= -0x1p63 && r < 0x1p63)) return DISP_E_OVERFLOW;
        scaled = int128(r);
        break;
    }
    default: {
        uint128 magnitude;
        if (!RoundToScale(n.exact, 4, magnitude)) return DISP_E_OVERFLOW;
        scaled = n.exact.negative ? -int128(magnitude) : int128(magnitude);
        break;
    }
    }
    if (scaled < INT64_MIN || scaled > INT64_MAX) return DISP_E_OVERFLOW;
    out.int64 = LONGLONG(scaled);
    return S_OK;
}

HRESULT toDecimal(Number n, DECIMAL& out) {
    settleRadix(n);
    switch (n.kind) {
    case Number::Kind::Integer: {
        bool negative = n.integer < 0;
        return ToDecimal(ExactNumber::fromInteger(negative, uint128(negative ? -n.integer : n.integer)), out);
    }
    case Number::Kind::Real:
        if (!std::isfinite(n.real)) return DISP_E_OVERFLOW;
        return ToDecimal(ExactNumber::fromDouble(n.real, n.single ? 7 : 15), out);
    default:
        return ToDecimal(n.exact, out);
    }
}

HRESULT toDate(const Number& n, DATE& out) {
    double value;
    if (HRESULT hr = toDouble(n, value); FAILED(hr)) return hr;
    if (!IsValidDate(value)) return DISP_E_OVERFLOW;
    out = value;
    return S_OK;
}

bool isNonZero(const Number& n) {
    switch (n.kind) {
    case Number::Kind::Integer: return n.integer != 0;
    case Number::Kind::Real: return n.real != 0;
    case Number::Kind::Exact: return !n.exact.isZero();
    case Number::Kind::Radix: return n.bits != 0;
    }
    return false;
}

// ---- conversions by target --------------------------------------------------------------------

HRESULT convertToNumeric(const VARIANT& src, VARTYPE vt, LCID lcid, VARIANT& out) {
    if (src.vt == VT_BSTR && vt == VT_DATE) {
        DATE value = 0;
        if (HRESULT hr = ParseDate(BstrView(src.bstrVal), value); FAILED(hr)) return hr;
        out.vt = VT_DATE;
        out.date = value;
        return S_OK;
    }
    if (src.vt == VT_BSTR && vt == VT_BOOL) {
        bool value = false;
        if (HRESULT hr = ParseBoolean(BstrView(src.bstrVal), NumberSymbolsFor(lcid), value); FAILED(hr)) return hr;
        out.vt = VT_BOOL;
        out.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    Number n;
    if (HRESULT hr = numberOf(src, lcid, n); FAILED(hr)) return hr;
    if (std::optional<IntegerKind> kind = integerKind(vt)) {
        int128 value = 0;
        if (HRESULT hr = toInteger(n, *kind, value); FAILED(hr)) return hr;
        storeInteger(out, vt, value);
        return S_OK;
    }
    HRESULT hr = DISP_E_TYPEMISMATCH;
    switch (vt) {
    case VT_R4: hr = toSingle(n, out.fltVal); break;
    case VT_R8: hr = toDouble(n, out.dblVal); break;
    case VT_CY: hr = toCurrency(n, out.cyVal); break;
    case VT_DATE: hr = toDate(n, out.date); break;
    case VT_DECIMAL: {
        DECIMAL value{};
        hr = toDecimal(n, value);
        out.decVal = value;
        break;
    }
    case VT_BOOL:
        out.boolVal = isNonZero(n) ? VARIANT_TRUE : VARIANT_FALSE;
        hr = S_OK;
        break;
    default: break;
    }
    if (SUCCEEDED(hr)) out.vt = vt;
    return hr;
}

std::optional<std::u16string> textOf(const VARIANT& src, LCID lcid, USHORT flags) {
    switch (src.vt) {
    case VT_EMPTY: return std::u16string();
    case VT_I1: return FormatInteger(src.cVal);
    case VT_UI1: return FormatInteger(src.bVal);
    case VT_I2: return FormatInteger(src.iVal);
    case VT_UI2: return FormatInteger(src.uiVal);
    case VT_I4: return FormatInteger(src.lVal);
    case VT_UI4: return FormatInteger(src.ulVal);
    case VT_INT: return FormatInteger(src.intVal);
    case VT_UINT: return FormatInteger(src.uintVal);
    case VT_I8: return FormatInteger(src.llVal);
    case VT_UI8: return FormatUnsigned(src.ullVal);
    case VT_BOOL:
        if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) return FormatBoolean(src.boolVal != 0);
        return FormatInteger(src.boolVal);
    case VT_R4: return FormatSingle(src.fltVal, NumberSymbolsFor(lcid));
    case VT_R8: return FormatDouble(src.dblVal, NumberSymbolsFor(lcid));
    case VT_CY: return FormatCurrency(src.cyVal, NumberSymbolsFor(lcid));
    case VT_DECIMAL: return FormatDecimal(src.decVal, NumberSymbolsFor(lcid));
    case VT_DATE: return FormatDate(src.date);
    default: return std::nullopt;
    }
}

HRESULT convertToText(const VARIANT& src, LCID lcid, USHORT flags, VARIANT& out) {
    if (src.vt == VT_DECIMAL && !IsValidDecimal(src.decVal)) return E_INVALIDARG;
    std::optional<std::u16string> text = textOf(src, lcid, flags);
    if (!text) return src.vt == VT_DATE ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    BSTR b = SysAllocString(std::u16string_view(*text));
    if (!b) return E_OUTOFMEMORY;
    out.vt = VT_BSTR;
    out.bstrVal = b;
    return S_OK;
}

// Empty becomes a null reference (Nothing); between IDispatch and IUnknown the object is asked
// for the other interface.
HRESULT convertToObject(const VARIANT& src, VARTYPE vt, VARIANT& out) {
    if (src.vt != VT_EMPTY && !isObject(src.vt)) return DISP_E_TYPEMISMATCH;
    void* object = nullptr;
    if (src.vt != VT_EMPTY && src.punkVal &&
        FAILED(src.punkVal->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &object)))
        return DISP_E_TYPEMISMATCH;
    out.vt = vt;
    out.punkVal = static_cast<IUnknown*>(object);
    return S_OK;
}

// The object's default member (DISPID_VALUE) read as a property. An error the member raised
// becomes this thread's error information.
HRESULT readDefaultValue(const VARIANT& src, LCID lcid, Variant& value) {
    ComPtr<IDispatch> dispatch;
    if (!src.punkVal) return DISP_E_TYPEMISMATCH;
    if (src.vt == VT_DISPATCH) dispatch = ComPtr<IDispatch>(src.pdispVal);
    else if (FAILED(src.punkVal->QueryInterface(IID_IDispatch, dispatch.putVoid()))) return DISP_E_TYPEMISMATCH;
    DISPPARAMS noArguments{nullptr, nullptr, 0, 0};
    EXCEPINFO excepInfo{};
    UINT argumentError = 0;
    HRESULT hr = dispatch->Invoke(DISPID_VALUE, GUID_NULL, lcid, DISPATCH_PROPERTYGET, &noArguments, &value,
                                  &excepInfo, &argumentError);
    if (hr == DISP_E_EXCEPTION) return SetErrorInfoFrom(ComError::fromExcepInfo(excepInfo));
    for (BSTR text : {excepInfo.bstrSource, excepInfo.bstrDescription, excepInfo.bstrHelpFile}) SysFreeString(text);
    return hr;
}

HRESULT changeType(const VARIANT& src, LCID lcid, USHORT flags, VARTYPE vt, int depth, VARIANT& out);

HRESULT convertDefaultValue(const VARIANT& src, LCID lcid, USHORT flags, VARTYPE vt, int depth, VARIANT& out) {
    if ((flags & VARIANT_NOVALUEPROP) || depth >= kMaxValueDepth) return DISP_E_TYPEMISMATCH;
    Variant value;
    if (HRESULT hr = readDefaultValue(src, lcid, value); FAILED(hr)) return hr;
    return changeType(value, lcid, flags, vt, depth + 1, out);
}

HRESULT changeType(const VARIANT& src, LCID lcid, USHORT flags, VARTYPE vt, int depth, VARIANT& out) {
    if (src.vt & VT_BYREF) {
        Variant value;
        if (HRESULT hr = VariantCopyInd(&value, &src); FAILED(hr)) return hr;
        return changeType(value, lcid, flags, vt, depth, out);
    }
    if (!isHeldKind(src.vt)) return DISP_E_BADVARTYPE;
    if (vt == VT_EMPTY) return S_OK;
    if (isObject(src.vt) && !isObject(vt)) return convertDefaultValue(src, lcid, flags, vt, depth, out);
    if (src.vt == vt) return VariantCopy(&out, &src);
    if ((src.vt | vt) & VT_ARRAY) return DISP_E_TYPEMISMATCH;
    if (src.vt == VT_ERROR) {
        if (vt != VT_I4) return DISP_E_TYPEMISMATCH;
        storeInteger(out, VT_I4, src.scode);
        return S_OK;
    }
    switch (vt) {
    case VT_NULL:
        if (src.vt != VT_EMPTY) return DISP_E_TYPEMISMATCH;
        out.vt = VT_NULL;
        return S_OK;
    case VT_ERROR:
        if (src.vt != VT_I4) return DISP_E_TYPEMISMATCH;
        out.vt = VT_ERROR;
        out.scode = src.lVal;
        return S_OK;
    case VT_BSTR: return convertToText(src, lcid, flags, out);
    case VT_DISPATCH: case VT_UNKNOWN: return convertToObject(src, vt, out);
    default: return convertToNumeric(src, vt, lcid, out);
    }
}

}  // namespace

HRESULT VariantChangeTypeEx(VARIANT* pvargDest, const VARIANT* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt) {
    if (!pvargDest || !pvarSrc) return E_INVALIDARG;
    if (!isHeldKind(vt)) return DISP_E_BADVARTYPE;
    VARIANT result{};
    VariantInit(&result);
    HRESULT hr = changeType(*pvarSrc, lcid, wFlags, vt, 0, result);
    // The destination may be the source, so it is cleared only once the result exists.
    if (SUCCEEDED(hr)) hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    *pvargDest = result;
    return S_OK;
}

HRESULT VariantChangeType(VARIANT* pvargDest, const VARIANT* pvarSrc, USHORT wFlags, VARTYPE vt) {
    return VariantChangeTypeEx(pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags, vt);
}
