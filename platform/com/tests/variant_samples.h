// Values of every Variant kind for the calls into the test component, and a comparison that
// looks at the kind and the whole value (array bounds and elements, string contents, object
// identity).
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/automation/handles.h"
#include "platform/automation/safearray.h"

namespace comtest {

template <class T>
Variant Make(VARTYPE vt, T value) {
    Variant v;
    v.vt = vt;
    static_assert(sizeof(T) <= sizeof(v.llVal));
    std::memcpy(&v.llVal, &value, sizeof(T));
    return v;
}

inline Variant MakeDecimal(bool negative, BYTE scale, ULONG hi, ULONGLONG lo) {
    Variant v;
    v.decVal = DECIMAL{0, scale, BYTE(negative ? DECIMAL_NEG : 0), hi, lo};
    v.vt = VT_DECIMAL;
    return v;
}

inline Variant MakeCurrency(LONGLONG scaled) {
    CY cy;
    cy.int64 = scaled;
    return Make(VT_CY, cy);
}

inline Variant MakeNullString() {
    Variant v;
    v.vt = VT_BSTR;
    v.bstrVal = nullptr;
    return v;
}

// A one-dimensional array with the given lower bound.
template <class T>
Variant MakeVector(VARTYPE elementType, LONG lowerBound, const std::vector<T>& values) {
    SAFEARRAY* array = SafeArrayCreateVector(elementType, lowerBound, ULONG(values.size()));
    for (size_t i = 0; i < values.size(); ++i) {
        const LONG index = lowerBound + LONG(i);
        T element = values[i];
        SafeArrayPutElement(array, &index, &element);
    }
    return Variant::fromArray(elementType, array);
}

inline Variant MakeStringVector(LONG lowerBound, const std::vector<std::u16string>& texts) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, lowerBound, ULONG(texts.size()));
    for (size_t i = 0; i < texts.size(); ++i) {
        const LONG index = lowerBound + LONG(i);
        Bstr text(texts[i]);
        SafeArrayPutElement(array, &index, text.get());
    }
    return Variant::fromArray(VT_BSTR, array);
}

// A two-dimensional array of Variants, rows lower..lower+rows-1, columns as given.
inline Variant MakeVariantMatrix(LONG rowLower, ULONG rows, LONG columnLower, ULONG columns) {
    const SAFEARRAYBOUND bounds[2] = {{rows, rowLower}, {columns, columnLower}};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
    for (ULONG r = 0; r < rows; ++r)
        for (ULONG c = 0; c < columns; ++c) {
            const LONG index[2] = {rowLower + LONG(r), columnLower + LONG(c)};
            Variant element = (r + c) % 2 ? Variant::fromString(u"cell " + std::u16string(1, char16_t(u'a' + r + c)))
                                          : Variant::fromLong(LONG(r * 100 + c));
            SafeArrayPutElement(array, index, &element);
        }
    return Variant::fromArray(VT_VARIANT, array);
}

bool SameValue(const VARIANT& a, const VARIANT& b);

inline bool SameElement(VARTYPE type, const void* a, const void* b, size_t size) {
    switch (type) {
    case VT_BSTR: {
        const BSTR x = *static_cast<const BSTR*>(a);
        const BSTR y = *static_cast<const BSTR*>(b);
        return (x == nullptr) == (y == nullptr) && BstrView(x) == BstrView(y);
    }
    case VT_VARIANT: return SameValue(*static_cast<const VARIANT*>(a), *static_cast<const VARIANT*>(b));
    case VT_DECIMAL: {
        const auto& x = *static_cast<const DECIMAL*>(a);
        const auto& y = *static_cast<const DECIMAL*>(b);
        return x.scale == y.scale && x.sign == y.sign && x.Hi32 == y.Hi32 && x.Lo64 == y.Lo64;
    }
    default: return std::memcmp(a, b, size) == 0;
    }
}

inline bool SameArray(SAFEARRAY* a, SAFEARRAY* b) {
    if (!a || !b) return a == b;
    VARTYPE ta = VT_EMPTY, tb = VT_EMPTY;
    SafeArrayGetVartype(a, &ta);
    SafeArrayGetVartype(b, &tb);
    if (ta != tb || SafeArrayGetDim(a) != SafeArrayGetDim(b) || a->cbElements != b->cbElements) return false;
    for (UINT d = 1; d <= SafeArrayGetDim(a); ++d) {
        LONG la, lb, ua, ub;
        SafeArrayGetLBound(a, d, &la);
        SafeArrayGetLBound(b, d, &lb);
        SafeArrayGetUBound(a, d, &ua);
        SafeArrayGetUBound(b, d, &ub);
        if (la != lb || ua != ub) return false;
    }
    const auto* pa = static_cast<const BYTE*>(a->pvData);
    const auto* pb = static_cast<const BYTE*>(b->pvData);
    for (ULONG i = 0; i < SafeArrayElementCount(a); ++i)
        if (!SameElement(ta, pa + i * a->cbElements, pb + i * b->cbElements, a->cbElements)) return false;
    return true;
}

inline bool SameValue(const VARIANT& a, const VARIANT& b) {
    if (a.vt != b.vt) return false;
    if (a.vt & VT_ARRAY) return SameArray(a.parray, b.parray);
    switch (a.vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_DECIMAL: return SameElement(VT_DECIMAL, &a.decVal, &b.decVal, sizeof(DECIMAL));
    case VT_BSTR: return SameElement(VT_BSTR, &a.bstrVal, &b.bstrVal, sizeof(BSTR));
    default: return SameElement(a.vt, &a.llVal, &b.llVal, VariantElementSize(a.vt));
    }
}

// A value, and what Twice makes of it.
struct Sample {
    const char* name;
    Variant value;
    Variant twice;
};

inline std::vector<Sample> ScalarSamples() {
    const Variant changed = Variant::fromString(u"changed");
    return {
        {"Empty", Variant(), changed},
        {"Null", Variant::null(), changed},
        {"I2", Variant::fromInt(-12345), Variant::fromInt(-24690)},
        {"I4", Variant::fromLong(0x12345678), Variant::fromLong(0x2468ACF0)},
        {"R4", Make(VT_R4, 1.5f), Make(VT_R4, 3.0f)},
        {"R8", Variant::fromDouble(-2.25e100), Variant::fromDouble(-4.5e100)},
        {"CY", MakeCurrency(123456789), MakeCurrency(246913578)},
        {"DATE", Make(VT_DATE, 45000.75), changed},
        {"BSTR", Variant::fromString(std::u16string(u"a\0b\xD800", 4)),
         Variant::fromString(std::u16string(u"a\0b\xD800" u"a\0b\xD800", 8))},
        {"empty BSTR", Variant::fromString(u""), Variant::fromString(u"")},
        {"null BSTR", MakeNullString(), Variant::fromString(u"")},
        {"BOOL True", Variant::fromBool(true), Variant::fromBool(false)},
        {"BOOL False", Variant::fromBool(false), Variant::fromBool(true)},
        {"ERROR", Variant::fromError(hr(0x800A0035)), changed},
        {"DECIMAL", MakeDecimal(true, 4, 0x1, 0x8000000000000001ull), MakeDecimal(true, 4, 0x3, 0x0000000000000002ull)},
        {"I1", Make(VT_I1, CHAR(-5)), Make(VT_I1, CHAR(-10))},
        {"UI1", Variant::fromByte(100), Variant::fromByte(200)},
        {"UI2", Make(VT_UI2, USHORT(30000)), Make(VT_UI2, USHORT(60000))},
        {"UI4", Make(VT_UI4, ULONG(2000000000u)), Make(VT_UI4, ULONG(4000000000u))},
        {"I8", Make(VT_I8, LONGLONG(-4000000000000000000)), Make(VT_I8, LONGLONG(-8000000000000000000))},
        {"UI8", Make(VT_UI8, ULONGLONG(9000000000000000000u)), Make(VT_UI8, ULONGLONG(18000000000000000000u))},
        {"INT", Make(VT_INT, INT(-7)), Make(VT_INT, INT(-14))},
        {"UINT", Make(VT_UINT, UINT(7)), Make(VT_UINT, UINT(14))},
    };
}

inline std::vector<Sample> ArraySamples() {
    const Variant changed = Variant::fromString(u"changed");
    return {
        {"Long()", MakeVector<LONG>(VT_I4, 0, {1, -2, 3}), changed},
        {"Double() from -5", MakeVector<DOUBLE>(VT_R8, -5, {0.5, 1e300}), changed},
        {"Byte() empty", MakeVector<BYTE>(VT_UI1, 0, {}), changed},
        {"String() from 1", MakeStringVector(1, {u"one", std::u16string(u"t\0o", 3), u""}), changed},
        {"Variant(,) from (-2, 5)", MakeVariantMatrix(-2, 3, 5, 2), changed},
        {"Boolean()", MakeVector<VARIANT_BOOL>(VT_BOOL, 0, {VARIANT_TRUE, VARIANT_FALSE}), changed},
        {"Currency() from 7", MakeVector<CY>(VT_CY, 7, {CY{.int64 = 10000}}), changed},
    };
}

}  // namespace comtest
