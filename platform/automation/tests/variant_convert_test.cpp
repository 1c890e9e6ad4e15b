#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "platform/automation/error.h"
#include "platform/automation/handles.h"
#include "platform/automation/safearray.h"
#include "platform/automation/variant_text.h"
#include "tests/support/counted_object.h"
#include "tests/support/raised_error.h"
#include "tests/support/scoped_locale.h"

using testsupport::ErrorNumberOf;
using testsupport::ErrorOf;

namespace {

constexpr LCID kEnglishUS = 0x0409;

// The result of a conversion: its HRESULT and, on success, the value read from the field of the
// requested kind.
template <class T>
struct Outcome {
    HRESULT hr = S_OK;
    T value{};
    bool operator==(const Outcome&) const = default;
};
template <class T>
void PrintTo(const Outcome<T>& o, std::ostream* os) {
    *os << "{hr=0x" << std::hex << uint32_t(o.hr) << std::dec << ", " << ::testing::PrintToString(o.value) << "}";
}
template <class T>
Outcome<T> ok(T value) { return {S_OK, value}; }
template <class T>
Outcome<T> fails(HRESULT hr) { return {hr, T{}}; }

LONGLONG integerField(const VARIANT& v) {
    switch (v.vt) {
    case VT_I1: return v.cVal;
    case VT_UI1: return v.bVal;
    case VT_I2: return v.iVal;
    case VT_UI2: return v.uiVal;
    case VT_I4: return v.lVal;
    case VT_UI4: return v.ulVal;
    case VT_INT: return v.intVal;
    case VT_UINT: return v.uintVal;
    case VT_I8: return v.llVal;
    case VT_UI8: return LONGLONG(v.ullVal);
    case VT_BOOL: return v.boolVal;
    case VT_CY: return v.cyVal.int64;
    case VT_ERROR: return v.scode;
    default: return 0;
    }
}

template <class T, class Read>
Outcome<T> convertWith(const VARIANT& src, VARTYPE vt, USHORT flags, LCID lcid, Read read) {
    Variant out;
    HRESULT hr = VariantChangeTypeEx(&out, &src, lcid, flags, vt);
    if (FAILED(hr)) return fails<T>(hr);
    if (out.vt != vt) return fails<T>(E_UNEXPECTED);
    return ok<T>(read(out));
}

Outcome<LONGLONG> asInteger(const VARIANT& src, VARTYPE vt) {
    return convertWith<LONGLONG>(src, vt, 0, kEnglishUS, integerField);
}
Outcome<double> asReal(const VARIANT& src, VARTYPE vt = VT_R8, LCID lcid = kEnglishUS) {
    return convertWith<double>(src, vt, 0, lcid, [](const VARIANT& v) {
        return v.vt == VT_R4 ? double(v.fltVal) : v.vt == VT_DATE ? v.date : v.dblVal;
    });
}
Outcome<std::u16string> asText(const VARIANT& src, USHORT flags = 0, LCID lcid = kEnglishUS) {
    return convertWith<std::u16string>(src, VT_BSTR, flags, lcid,
                                       [](const VARIANT& v) { return std::u16string(BstrView(v.bstrVal)); });
}
Outcome<std::u16string> asDecimalText(const VARIANT& src) {
    return convertWith<std::u16string>(src, VT_DECIMAL, 0, kEnglishUS, [](const VARIANT& v) {
        return automation::FormatDecimal(v.decVal, automation::NumberSymbols{});
    });
}

Variant text(std::u16string_view s) { return Variant::fromString(s); }
Variant i8(LONGLONG v) { Variant r; r.vt = VT_I8; r.llVal = v; return r; }
Variant ui8(ULONGLONG v) { Variant r; r.vt = VT_UI8; r.ullVal = v; return r; }
Variant single(float v) { Variant r; r.vt = VT_R4; r.fltVal = v; return r; }
Variant currency(LONGLONG scaled) { Variant r; r.vt = VT_CY; r.cyVal.int64 = scaled; return r; }
Variant date(DATE v) { Variant r; r.vt = VT_DATE; r.date = v; return r; }
Variant decimalFrom(std::u16string_view s) {
    Variant r;
    EXPECT_EQ(VariantChangeTypeEx(&r, text(s).ptr(), kEnglishUS, 0, VT_DECIMAL), S_OK)
        << "decimal " << std::string(s.begin(), s.end());
    return r;
}

// An object whose default member returns a value, fails with a result, or raises an error.
class ValueObject final : public testsupport::CountedObject {
public:
    explicit ValueObject(Variant value) : value_(std::move(value)) {}
    HRESULT Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                   UINT*) override {
        ++invocations_;
        if (member != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET) || params->cArgs != 0)
            return DISP_E_MEMBERNOTFOUND;
        if (raise_) {
            excep->wCode = WORD(raise_);
            excep->bstrSource = SysAllocString(std::u16string_view(u"Test.Value"));
            excep->bstrDescription = SysAllocString(std::u16string_view(u"no value today"));
            return DISP_E_EXCEPTION;
        }
        return VariantCopy(result, &value_);
    }

    void raise(LONG number) { raise_ = number; }
    void setValue(Variant value) { value_ = std::move(value); }
    int invocations() const { return invocations_; }

private:
    Variant value_;
    LONG raise_ = 0;
    int invocations_ = 0;
};

}  // namespace

// ---- integers ------------------------------------------------------------------------------------

TEST(ChangeTypeIntegers, BoundariesOfEachWidth) {
    EXPECT_EQ(asInteger(Variant::fromLong(32767), VT_I2), ok<LONGLONG>(32767));
    EXPECT_EQ(asInteger(Variant::fromLong(32768), VT_I2), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromLong(-32768), VT_I2), ok<LONGLONG>(-32768));
    EXPECT_EQ(asInteger(Variant::fromLong(-32769), VT_I2), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromLong(255), VT_UI1), ok<LONGLONG>(255));
    EXPECT_EQ(asInteger(Variant::fromLong(256), VT_UI1), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromLong(-1), VT_UI1), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromLong(-128), VT_I1), ok<LONGLONG>(-128));
    EXPECT_EQ(asInteger(Variant::fromLong(128), VT_I1), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromLong(65535), VT_UI2), ok<LONGLONG>(65535));
    EXPECT_EQ(asInteger(Variant::fromLong(-1), VT_UI4), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(i8(2147483647), VT_I4), ok<LONGLONG>(2147483647));
    EXPECT_EQ(asInteger(i8(2147483648LL), VT_I4), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(i8(-2147483648LL), VT_INT), ok<LONGLONG>(-2147483648LL));
    EXPECT_EQ(asInteger(i8(-2147483649LL), VT_I4), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(i8(4294967295LL), VT_UINT), ok<LONGLONG>(4294967295LL));
    EXPECT_EQ(asInteger(ui8(~0ULL), VT_I8), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(i8(-1), VT_UI8), fails<LONGLONG>(DISP_E_OVERFLOW));
}

TEST(ChangeTypeIntegers, DoublesAtTheEdgesRoundBeforeTheRangeCheck) {
    EXPECT_EQ(asInteger(Variant::fromDouble(2147483647.4), VT_I4), ok<LONGLONG>(2147483647));
    EXPECT_EQ(asInteger(Variant::fromDouble(2147483647.5), VT_I4), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromDouble(-2147483648.5), VT_I4), ok<LONGLONG>(-2147483648LL));
    EXPECT_EQ(asInteger(Variant::fromDouble(255.5), VT_UI1), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromDouble(254.5), VT_UI1), ok<LONGLONG>(254));
    EXPECT_EQ(asInteger(Variant::fromDouble(-0.5), VT_UI1), ok<LONGLONG>(0));
    EXPECT_EQ(asInteger(Variant::fromDouble(9.3e18), VT_I8), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromDouble(std::nan("")), VT_I4), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromDouble(HUGE_VAL), VT_I2), fails<LONGLONG>(DISP_E_OVERFLOW));
}

TEST(ChangeTypeIntegers, HalvesRoundToEvenFromEveryFractionalKind) {
    struct Case {
        double value;
        LONGLONG rounded;
    };
    for (Case c : {Case{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {-0.5, 0}, {-1.5, -2},
                   {2.25, 2}, {-1.75, -2}}) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(asInteger(Variant::fromDouble(c.value), VT_I4), ok(c.rounded));
        EXPECT_EQ(asInteger(single(float(c.value)), VT_I2), ok(c.rounded));
        EXPECT_EQ(asInteger(currency(LONGLONG(c.value * 10000)), VT_I4), ok(c.rounded));
        EXPECT_EQ(asInteger(text(automation::FormatDouble(c.value, {})), VT_I4), ok(c.rounded));
        EXPECT_EQ(asInteger(decimalFrom(automation::FormatDouble(c.value, {})), VT_I8), ok(c.rounded));
    }
    EXPECT_EQ(asInteger(Variant::fromDouble(2.4999999999), VT_I4), ok<LONGLONG>(2));
    EXPECT_EQ(asInteger(Variant::fromDouble(2.5000000001), VT_I4), ok<LONGLONG>(3));
    EXPECT_EQ(asInteger(currency(25001), VT_I4), ok<LONGLONG>(3));
    EXPECT_EQ(asInteger(currency(-34999), VT_I4), ok<LONGLONG>(-3));
}

TEST(ChangeTypeIntegers, TextRoundsExactlyWhereADoubleCouldNot) {
    // As a double both would be exactly 2.5.
    EXPECT_EQ(asInteger(text(u"2.50000000000000000001"), VT_I4), ok<LONGLONG>(3));
    EXPECT_EQ(asInteger(text(u"2.49999999999999999999"), VT_I4), ok<LONGLONG>(2));
    EXPECT_EQ(asInteger(text(u"18446744073709551615"), VT_UI8), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(text(u"18446744073709551616"), VT_UI8), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(text(u"-9223372036854775808"), VT_I8), ok<LONGLONG>(std::numeric_limits<LONGLONG>::min()));
    EXPECT_EQ(asInteger(text(u"1e400"), VT_I4), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(text(u"1e-400"), VT_I4), ok<LONGLONG>(0));
}

TEST(ChangeTypeIntegers, TextForms) {
    EXPECT_EQ(asInteger(text(u"  42\t"), VT_I4), ok<LONGLONG>(42));
    EXPECT_EQ(asInteger(text(u"+7"), VT_I4), ok<LONGLONG>(7));
    EXPECT_EQ(asInteger(text(u"7-"), VT_I4), ok<LONGLONG>(-7));
    EXPECT_EQ(asInteger(text(u"(7)"), VT_I4), ok<LONGLONG>(-7));
    EXPECT_EQ(asInteger(text(u"1,234,567"), VT_I4), ok<LONGLONG>(1234567));
    EXPECT_EQ(asInteger(text(u"1.5E3"), VT_I4), ok<LONGLONG>(1500));
    EXPECT_EQ(asInteger(text(u"25e-1"), VT_I4), ok<LONGLONG>(2));
    EXPECT_EQ(asInteger(text(u"$12"), VT_I4), ok<LONGLONG>(12));
    EXPECT_EQ(asInteger(text(u"&HFF"), VT_I2), ok<LONGLONG>(255));
    EXPECT_EQ(asInteger(text(u"&hffff"), VT_I2), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(text(u"&HFFFF"), VT_I4), ok<LONGLONG>(65535));
    EXPECT_EQ(asInteger(text(u"&HFFFFFFFF"), VT_I4), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(text(u"&HFFFFFFFF"), VT_UI4), ok<LONGLONG>(4294967295LL));
    EXPECT_EQ(asInteger(text(u"&H10000"), VT_I2), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(text(u"&O17"), VT_UI1), ok<LONGLONG>(15));
    EXPECT_EQ(asReal(text(u"&HFFFFFFFF")), ok(-1.0));
}

TEST(ChangeTypeIntegers, TextThatIsNotANumberIsAMismatchNotAnOverflow) {
    for (std::u16string_view s : {u"", u"   ", u"abc", u"1 2", u"--5", u"(-5)", u"1.2.3", u"1e", u"&H", u"&HG",
                                  u"12abc", u"True", u",5"}) {
        SCOPED_TRACE(std::string(s.begin(), s.end()));
        EXPECT_EQ(asInteger(text(s), VT_I4), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
    }
    EXPECT_EQ(asInteger(text(u"99999"), VT_I2), fails<LONGLONG>(DISP_E_OVERFLOW));
    Variant nullString;
    nullString.vt = VT_BSTR;
    nullString.bstrVal = nullptr;
    EXPECT_EQ(asInteger(nullString, VT_I4), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
}

// ---- Booleans ------------------------------------------------------------------------------------

TEST(ChangeTypeBoolean, TrueIsMinusOneAndAllOnesInUnsignedKinds) {
    Variant t = Variant::fromBool(true), f = Variant::fromBool(false);
    EXPECT_EQ(asInteger(t, VT_I2), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(t, VT_I4), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(t, VT_UI1), ok<LONGLONG>(255));
    EXPECT_EQ(asInteger(t, VT_UI2), ok<LONGLONG>(65535));
    EXPECT_EQ(asInteger(f, VT_UI1), ok<LONGLONG>(0));
    EXPECT_EQ(asReal(t), ok(-1.0));
    EXPECT_EQ(asInteger(t, VT_CY), ok<LONGLONG>(-10000));
    EXPECT_EQ(asDecimalText(t), ok<std::u16string>(u"-1"));
}

TEST(ChangeTypeBoolean, TextFormDependsOnTheAlphaFlag) {
    EXPECT_EQ(asText(Variant::fromBool(true)), ok<std::u16string>(u"-1"));
    EXPECT_EQ(asText(Variant::fromBool(false)), ok<std::u16string>(u"0"));
    EXPECT_EQ(asText(Variant::fromBool(true), VARIANT_ALPHABOOL), ok<std::u16string>(u"True"));
    EXPECT_EQ(asText(Variant::fromBool(false), VARIANT_ALPHABOOL), ok<std::u16string>(u"False"));
    EXPECT_EQ(asText(Variant::fromBool(false), VARIANT_LOCALBOOL), ok<std::u16string>(u"False"));
}

TEST(ChangeTypeBoolean, NumbersAreTrueWhenNonZero) {
    EXPECT_EQ(asInteger(Variant::fromLong(5), VT_BOOL), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(Variant::fromDouble(0.25), VT_BOOL), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(Variant::fromDouble(0.0), VT_BOOL), ok<LONGLONG>(0));
    EXPECT_EQ(asInteger(currency(1), VT_BOOL), ok<LONGLONG>(-1));
    EXPECT_EQ(asInteger(decimalFrom(u"0.000"), VT_BOOL), ok<LONGLONG>(0));
}

TEST(ChangeTypeBoolean, TextWordsAndNumbers) {
    struct Case {
        std::u16string_view text;
        Outcome<LONGLONG> expected;
    };
    for (const Case& c : {Case{u"True", ok<LONGLONG>(-1)}, {u"TRUE", ok<LONGLONG>(-1)}, {u" false ", ok<LONGLONG>(0)},
                          {u"tRuE", ok<LONGLONG>(-1)}, {u"0", ok<LONGLONG>(0)}, {u"-1", ok<LONGLONG>(-1)},
                          {u"2.5", ok<LONGLONG>(-1)}, {u"0.0", ok<LONGLONG>(0)}, {u"&H0", ok<LONGLONG>(0)},
                          {u"yes", fails<LONGLONG>(DISP_E_TYPEMISMATCH)}, {u"", fails<LONGLONG>(DISP_E_TYPEMISMATCH)},
                          {u"Truee", fails<LONGLONG>(DISP_E_TYPEMISMATCH)}}) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(asInteger(text(c.text), VT_BOOL), c.expected);
    }
}

// ---- Empty, Null, Error --------------------------------------------------------------------------

TEST(ChangeTypeEmptyAndNull, EmptyIsZeroOfEveryKind) {
    Variant empty;
    EXPECT_EQ(asInteger(empty, VT_I4), ok<LONGLONG>(0));
    EXPECT_EQ(asInteger(empty, VT_UI1), ok<LONGLONG>(0));
    EXPECT_EQ(asInteger(empty, VT_BOOL), ok<LONGLONG>(0));
    EXPECT_EQ(asInteger(empty, VT_CY), ok<LONGLONG>(0));
    EXPECT_EQ(asReal(empty, VT_DATE), ok(0.0));
    EXPECT_EQ(asText(empty), ok<std::u16string>(u""));
    EXPECT_EQ(asDecimalText(empty), ok<std::u16string>(u"0"));
    Variant out;
    ASSERT_EQ(VariantChangeType(&out, &empty, 0, VT_BSTR), S_OK);
    EXPECT_NE(out.bstrVal, nullptr);
    ASSERT_EQ(VariantChangeType(&out, &empty, 0, VT_DISPATCH), S_OK);
    EXPECT_EQ(out.vt, VT_DISPATCH);
    EXPECT_EQ(out.pdispVal, nullptr);
    ASSERT_EQ(VariantChangeType(&out, &empty, 0, VT_NULL), S_OK);
    EXPECT_EQ(out.vt, VT_NULL);
    EXPECT_EQ(asInteger(empty, VT_ERROR), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
}

TEST(ChangeTypeEmptyAndNull, NullConvertsOnlyToNullAndEmpty) {
    Variant null = Variant::null();
    EXPECT_EQ(asInteger(null, VT_I4), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asInteger(null, VT_BOOL), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asText(null), fails<std::u16string>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asReal(null, VT_DATE), fails<double>(DISP_E_TYPEMISMATCH));
    Variant out;
    EXPECT_EQ(VariantChangeType(&out, &null, 0, VT_DISPATCH), DISP_E_TYPEMISMATCH);
    ASSERT_EQ(VariantChangeType(&out, &null, 0, VT_NULL), S_OK);
    EXPECT_EQ(out.vt, VT_NULL);
    ASSERT_EQ(VariantChangeType(&out, &null, 0, VT_EMPTY), S_OK);
    EXPECT_EQ(out.vt, VT_EMPTY);
}

TEST(ChangeTypeEmptyAndNull, ToEmptyReleasesWhatTheDestinationHeld) {
    Variant v = text(u"gone");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_EMPTY), S_OK);
    EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(ChangeTypeError, ErrorAndLongConvertBothWaysAndNothingElse) {
    Variant error = Variant::fromError(DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(asInteger(error, VT_I4), ok<LONGLONG>(DISP_E_PARAMNOTFOUND));
    EXPECT_EQ(asInteger(Variant::fromLong(5), VT_ERROR), ok<LONGLONG>(5));
    EXPECT_EQ(asInteger(error, VT_ERROR), ok<LONGLONG>(DISP_E_PARAMNOTFOUND));
    EXPECT_EQ(asInteger(error, VT_I2), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asText(error), fails<std::u16string>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asInteger(Variant::fromInt(5), VT_ERROR), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asInteger(text(u"5"), VT_ERROR), fails<LONGLONG>(DISP_E_TYPEMISMATCH));
}

// ---- floating point, Currency, Decimal, Date ------------------------------------------------------

TEST(ChangeTypeReal, OverflowOfSingleAndOfTextBeyondDouble) {
    EXPECT_EQ(asReal(Variant::fromDouble(1e300), VT_R4), fails<double>(DISP_E_OVERFLOW));
    EXPECT_EQ(asReal(Variant::fromDouble(1e38), VT_R4), ok(double(1e38f)));
    EXPECT_EQ(asReal(text(u"1e309")), fails<double>(DISP_E_OVERFLOW));
    EXPECT_EQ(asReal(text(u"3.5e38"), VT_R4), fails<double>(DISP_E_OVERFLOW));
    EXPECT_EQ(asReal(text(u"1e-400")), ok(0.0));
    EXPECT_EQ(asReal(text(u"0.1")), ok(0.1));
    EXPECT_EQ(asReal(text(u"0.1"), VT_R4), ok(double(0.1f)));
    EXPECT_EQ(asReal(currency(12345)), ok(1.2345));
    EXPECT_EQ(asReal(i8(1LL << 53)), ok(9007199254740992.0));
}

TEST(ChangeTypeCurrency, FourDecimalsRoundedHalfToEven) {
    EXPECT_EQ(asInteger(Variant::fromDouble(1.23456), VT_CY), ok<LONGLONG>(12346));
    EXPECT_EQ(asInteger(text(u"0.00005"), VT_CY), ok<LONGLONG>(0));
    EXPECT_EQ(asInteger(text(u"0.00015"), VT_CY), ok<LONGLONG>(2));
    EXPECT_EQ(asInteger(text(u"-0.00025"), VT_CY), ok<LONGLONG>(-2));
    EXPECT_EQ(asInteger(text(u"922337203685477.5807"), VT_CY), ok<LONGLONG>(std::numeric_limits<LONGLONG>::max()));
    EXPECT_EQ(asInteger(text(u"922337203685477.5808"), VT_CY), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(Variant::fromDouble(1e15), VT_CY), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(i8(922337203685478LL), VT_CY), fails<LONGLONG>(DISP_E_OVERFLOW));
    EXPECT_EQ(asInteger(decimalFrom(u"-1.00005"), VT_CY), ok<LONGLONG>(-10000));
}

TEST(ChangeTypeCurrency, TextKeepsEveryDigit) {
    EXPECT_EQ(asText(currency(15000)), ok<std::u16string>(u"1.5"));
    EXPECT_EQ(asText(currency(-1)), ok<std::u16string>(u"-0.0001"));
    EXPECT_EQ(asText(currency(30000)), ok<std::u16string>(u"3"));
    EXPECT_EQ(asText(currency(std::numeric_limits<LONGLONG>::min())), ok<std::u16string>(u"-922337203685477.5808"));
}

TEST(ChangeTypeDecimal, RangeScaleAndExactness) {
    EXPECT_EQ(asDecimalText(text(u"79228162514264337593543950335")),
              ok<std::u16string>(u"79228162514264337593543950335"));
    EXPECT_EQ(asDecimalText(text(u"79228162514264337593543950336")), fails<std::u16string>(DISP_E_OVERFLOW));
    EXPECT_EQ(asDecimalText(text(u"-0.0000000000000000000000000001")),
              ok<std::u16string>(u"-0.0000000000000000000000000001"));
    // Digits past scale 28 are rounded away, not refused.
    EXPECT_EQ(asDecimalText(text(u"0.00000000000000000000000000015")),
              ok<std::u16string>(u"0.0000000000000000000000000002"));
    EXPECT_EQ(asDecimalText(text(u"1.2345678901234567890123456789012")),
              ok<std::u16string>(u"1.2345678901234567890123456789"));
    // A Double becomes its 15-digit text, a Single its 7-digit text.
    EXPECT_EQ(asDecimalText(Variant::fromDouble(0.1)), ok<std::u16string>(u"0.1"));
    EXPECT_EQ(asDecimalText(single(0.1f)), ok<std::u16string>(u"0.1"));
    EXPECT_EQ(asDecimalText(Variant::fromDouble(HUGE_VAL)), fails<std::u16string>(DISP_E_OVERFLOW));
    EXPECT_EQ(asDecimalText(currency(-15)), ok<std::u16string>(u"-0.0015"));
    EXPECT_EQ(asDecimalText(ui8(~0ULL)), ok<std::u16string>(u"18446744073709551615"));
    EXPECT_EQ(asReal(decimalFrom(u"0.3")), ok(0.3));
    EXPECT_EQ(asText(decimalFrom(u"1.50")), ok<std::u16string>(u"1.5"));
}

TEST(ChangeTypeDecimal, MalformedDecimalIsRefused) {
    Variant bad = decimalFrom(u"1");
    bad.decVal.scale = 29;
    EXPECT_EQ(asText(bad), fails<std::u16string>(E_INVALIDARG));
    EXPECT_EQ(asInteger(bad, VT_I4), fails<LONGLONG>(E_INVALIDARG));
}

TEST(ChangeTypeDate, NumbersWithinTheCalendarBecomeDates) {
    EXPECT_EQ(asReal(Variant::fromDouble(45000.25), VT_DATE), ok(45000.25));
    EXPECT_EQ(asReal(Variant::fromLong(-657434), VT_DATE), ok(-657434.0));
    EXPECT_EQ(asReal(Variant::fromLong(-657435), VT_DATE), fails<double>(DISP_E_OVERFLOW));
    EXPECT_EQ(asReal(Variant::fromDouble(2958465.9), VT_DATE), ok(2958465.9));
    EXPECT_EQ(asReal(Variant::fromLong(2958466), VT_DATE), fails<double>(DISP_E_OVERFLOW));
    EXPECT_EQ(asReal(Variant::fromBool(true), VT_DATE), ok(-1.0));
    EXPECT_EQ(asInteger(date(36526.5), VT_I4), ok<LONGLONG>(36526));
    EXPECT_EQ(asText(date(1e7)), fails<std::u16string>(DISP_E_OVERFLOW));
}

TEST(ChangeTypeDate, TextBothWays) {
    Variant d;
    ASSERT_EQ(VariantChangeType(&d, text(u"12/7/2026 3:47:24 PM").ptr(), 0, VT_DATE), S_OK);
    EXPECT_EQ(asText(d), ok<std::u16string>(u"12/7/2026 3:47:24 PM"));
    EXPECT_EQ(asReal(text(u"2026-12-07 15:47:24"), VT_DATE), ok(d.date));
    EXPECT_EQ(asReal(text(u"45000"), VT_DATE), fails<double>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asReal(text(u"2/30/2026"), VT_DATE), fails<double>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(asText(date(0)), ok<std::u16string>(u"12:00:00 AM"));
}

// ---- text round trips ------------------------------------------------------------------------------

TEST(ChangeTypeText, NumbersReadBackAsTheSameValue) {
    for (double v : {0.1, -42.125, 123456789012345.0, 1e-7, 1.5e300, 0.000015, 3.0}) {
        SCOPED_TRACE(v);
        Outcome<std::u16string> written = asText(Variant::fromDouble(v));
        ASSERT_EQ(written.hr, S_OK);
        EXPECT_EQ(asReal(text(written.value)), ok(v));
    }
    for (float v : {0.1f, 1234567.0f, 3.4e38f, 1e-20f}) {
        SCOPED_TRACE(v);
        Outcome<std::u16string> written = asText(single(v));
        ASSERT_EQ(written.hr, S_OK);
        EXPECT_EQ(asReal(text(written.value), VT_R4), ok(double(v)));
    }
    for (LONGLONG v : {std::numeric_limits<LONGLONG>::min(), LONGLONG(-1), LONGLONG(0), LONGLONG(98765432109876)}) {
        EXPECT_EQ(asInteger(text(asText(i8(v)).value), VT_I8), ok(v));
        EXPECT_EQ(asInteger(text(asText(currency(v)).value), VT_CY), ok(v));
    }
    Variant big = decimalFrom(u"-7922816251426433759354.3950335");
    EXPECT_EQ(asDecimalText(text(asText(big).value)), ok<std::u16string>(u"-7922816251426433759354.3950335"));
}

TEST(ChangeTypeText, IntegersAndDoublesAsTheRuntimeWritesThem) {
    EXPECT_EQ(asText(Variant::fromInt(-32768)), ok<std::u16string>(u"-32768"));
    EXPECT_EQ(asText(Variant::fromByte(255)), ok<std::u16string>(u"255"));
    EXPECT_EQ(asText(ui8(~0ULL)), ok<std::u16string>(u"18446744073709551615"));
    EXPECT_EQ(asText(Variant::fromDouble(1e20)), ok<std::u16string>(u"1E+20"));
    EXPECT_EQ(asText(Variant::fromDouble(0.000015)), ok<std::u16string>(u"1.5E-05"));
    EXPECT_EQ(asText(Variant::fromDouble(2.5)), ok<std::u16string>(u"2.5"));
    EXPECT_EQ(asText(single(0.1f)), ok<std::u16string>(u"0.1"));
}

TEST(ChangeTypeText, DecimalSeparatorFollowsTheLocale) {
    testsupport::ScopedLocale locale;
    if (!locale.use("de_DE.UTF-8")) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (package locales-all)";
    EXPECT_EQ(asText(Variant::fromDouble(2.5), 0, LOCALE_USER_DEFAULT), ok<std::u16string>(u"2,5"));
    EXPECT_EQ(asText(Variant::fromDouble(1.5e-5), 0, LOCALE_USER_DEFAULT), ok<std::u16string>(u"1,5E-05"));
    EXPECT_EQ(asText(currency(15000), 0, LOCALE_USER_DEFAULT), ok<std::u16string>(u"1,5"));
    EXPECT_EQ(asReal(text(u"2,5"), VT_R8, LOCALE_USER_DEFAULT), ok(2.5));
    EXPECT_EQ(asReal(text(u"1.234,5"), VT_R8, LOCALE_USER_DEFAULT), ok(1234.5));
    // "." separates thousands here, as on a German system.
    EXPECT_EQ(asReal(text(u"1.5"), VT_R8, LOCALE_USER_DEFAULT), ok(15.0));
    EXPECT_EQ(asReal(text(u"3 €"), VT_R8, LOCALE_USER_DEFAULT), ok(3.0));
    // The United States locale asked for by number keeps its own symbols.
    EXPECT_EQ(asText(Variant::fromDouble(2.5), 0, kEnglishUS), ok<std::u16string>(u"2.5"));
    EXPECT_EQ(asReal(text(u"2.5"), VT_R8, kEnglishUS), ok(2.5));
    Variant members = Variant::fromDouble(0.25);
    EXPECT_EQ(members.toString(), u"0,25");
}

// ---- by reference, arrays, bad kinds ------------------------------------------------------------

TEST(ChangeTypeByReference, SourceIsConvertedAsItsValueAndLeftAlone) {
    SHORT shortValue = 300;
    Variant ref;
    ref.vt = VT_I2 | VT_BYREF;
    ref.piVal = &shortValue;
    EXPECT_EQ(asText(ref), ok<std::u16string>(u"300"));
    EXPECT_EQ(asInteger(ref, VT_UI1), fails<LONGLONG>(DISP_E_OVERFLOW));

    Bstr s(u"2.5");
    BSTR raw = s.get();
    Variant stringRef;
    stringRef.vt = VT_BSTR | VT_BYREF;
    stringRef.pbstrVal = &raw;
    EXPECT_EQ(asInteger(stringRef, VT_I4), ok<LONGLONG>(2));
    EXPECT_EQ(raw, s.get());

    Variant inner = Variant::fromBool(true);
    Variant variantRef;
    variantRef.vt = VT_VARIANT | VT_BYREF;
    variantRef.pvarVal = &inner;
    EXPECT_EQ(asText(variantRef, VARIANT_ALPHABOOL), ok<std::u16string>(u"True"));

    // Converted in place: the reference is replaced by the value, the target keeps its own.
    ASSERT_EQ(VariantChangeType(&ref, &ref, 0, VT_I4), S_OK);
    EXPECT_EQ(ref.vt, VT_I4);
    EXPECT_EQ(ref.lVal, 300);
    EXPECT_EQ(shortValue, 300);
}

TEST(ChangeTypeArrays, OnlyToTheSameArrayKind) {
    Variant bytes = Variant::fromArray(VT_UI1, SafeArrayCreateVector(VT_UI1, 0, 3));
    static_cast<BYTE*>(bytes.parray->pvData)[2] = 7;
    Variant copy;
    ASSERT_EQ(VariantChangeType(&copy, &bytes, 0, VARTYPE(VT_ARRAY | VT_UI1)), S_OK);
    ASSERT_NE(copy.parray, bytes.parray);
    EXPECT_EQ(static_cast<BYTE*>(copy.parray->pvData)[2], 7);
    EXPECT_EQ(VariantChangeType(&copy, &bytes, 0, VARTYPE(VT_ARRAY | VT_I2)), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VariantChangeType(&copy, &bytes, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(VariantChangeType(&copy, &bytes, 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(copy.vt, VT_ARRAY | VT_UI1);  // unchanged by the failures
    Variant number = Variant::fromLong(1);
    EXPECT_EQ(VariantChangeType(&copy, &number, 0, VARTYPE(VT_ARRAY | VT_I4)), DISP_E_TYPEMISMATCH);

    SAFEARRAY* raw = bytes.parray;
    Variant arrayRef;
    arrayRef.vt = VT_ARRAY | VT_UI1 | VT_BYREF;
    arrayRef.pparray = &raw;
    ASSERT_EQ(VariantChangeType(&copy, &arrayRef, 0, VARTYPE(VT_ARRAY | VT_UI1)), S_OK);
    EXPECT_NE(copy.parray, raw);
}

TEST(ChangeTypeKinds, KindsThatNoVariantHoldsAreBadTypes) {
    Variant v = Variant::fromLong(1), out;
    EXPECT_EQ(VariantChangeType(&out, &v, 0, VARTYPE(VT_I4 | VT_BYREF)), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(&out, &v, 0, VT_VARIANT), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(&out, &v, 0, VARTYPE(15)), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(&out, &v, 0, VT_RECORD), DISP_E_BADVARTYPE);
    VARIANT odd;
    VariantInit(&odd);
    odd.vt = 15;
    EXPECT_EQ(VariantChangeType(&out, &odd, 0, VT_I4), DISP_E_BADVARTYPE);
    EXPECT_EQ(VariantChangeType(nullptr, &v, 0, VT_I4), E_INVALIDARG);
}

// ---- destination handling ------------------------------------------------------------------------

TEST(ChangeTypeDestination, FailureLeavesItUntouched) {
    Variant dest = text(u"keep");
    BSTR before = dest.bstrVal;
    EXPECT_EQ(VariantChangeType(&dest, text(u"abc").ptr(), 0, VT_I4), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(dest.vt, VT_BSTR);
    EXPECT_EQ(dest.bstrVal, before);
    EXPECT_EQ(BstrView(dest.bstrVal), u"keep");
}

TEST(ChangeTypeDestination, MayBeTheSourceItself) {
    Variant v = text(u" 42 ");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_I4), S_OK);
    EXPECT_EQ(v.vt, VT_I4);
    EXPECT_EQ(v.lVal, 42);
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(BstrView(v.bstrVal), u"42");
    ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);  // same kind: a copy replaces it
    EXPECT_EQ(BstrView(v.bstrVal), u"42");
}

// ---- objects ---------------------------------------------------------------------------------------

TEST(ChangeTypeObjects, ConvertThroughTheDefaultMember) {
    ValueObject object(Variant::fromLong(42));
    {
        Variant v = Variant::fromDispatch(&object);
        EXPECT_EQ(asText(v), ok<std::u16string>(u"42"));
        EXPECT_EQ(asInteger(v, VT_UI1), ok<LONGLONG>(42));
        EXPECT_EQ(asInteger(v, VT_I1), ok<LONGLONG>(42));
        EXPECT_EQ(object.invocations(), 3);
        Variant out;
        EXPECT_EQ(VariantChangeType(&out, &v, VARIANT_NOVALUEPROP, VT_BSTR), DISP_E_TYPEMISMATCH);
        EXPECT_EQ(object.invocations(), 3);
        Variant unknown = Variant::fromUnknown(&object);
        EXPECT_EQ(asReal(unknown), ok(42.0));
    }
    EXPECT_EQ(object.references(), 1);
}

TEST(ChangeTypeObjects, AnObjectValueIsFollowedFurther) {
    ValueObject inner(text(u"True"));
    ValueObject outer(Variant::fromDispatch(&inner));
    EXPECT_EQ(asInteger(Variant::fromDispatch(&outer), VT_BOOL), ok<LONGLONG>(-1));
    EXPECT_EQ(inner.references(), 2);  // held by outer's value only
    // An object whose value is itself ends in a mismatch, not in endless calls.
    ValueObject self(Variant{});
    self.setValue(Variant::fromDispatch(&self));
    EXPECT_EQ(asText(Variant::fromDispatch(&self)), fails<std::u16string>(DISP_E_TYPEMISMATCH));
    EXPECT_LT(self.invocations(), 20);
    self.setValue(Variant{});
    EXPECT_EQ(self.references(), 1);
}

TEST(ChangeTypeObjects, FailuresOfTheDefaultMember) {
    testsupport::CountedObject noValue;
    EXPECT_EQ(asText(Variant::fromDispatch(&noValue)), fails<std::u16string>(DISP_E_MEMBERNOTFOUND));
    ValueObject raising(Variant::fromLong(1));
    raising.raise(1000);
    EXPECT_EQ(asText(Variant::fromDispatch(&raising)), fails<std::u16string>(HRESULT_FROM_ERRNUMBER(1000)));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    Bstr description;
    info->GetDescription(description.put());
    EXPECT_EQ(description.view(), u"no value today");
    Variant nothing = Variant::fromDispatch(nullptr);
    EXPECT_EQ(asText(nothing), fails<std::u16string>(DISP_E_TYPEMISMATCH));
    EXPECT_EQ(noValue.references(), 1);
    EXPECT_EQ(raising.references(), 1);
}

TEST(ChangeTypeObjects, BetweenObjectKinds) {
    testsupport::CountedObject object;
    {
        Variant d = Variant::fromDispatch(&object), out;
        ASSERT_EQ(VariantChangeType(&out, &d, 0, VT_UNKNOWN), S_OK);
        EXPECT_EQ(out.punkVal, static_cast<IUnknown*>(&object));
        ASSERT_EQ(VariantChangeType(&out, &out, 0, VT_DISPATCH), S_OK);
        EXPECT_EQ(out.pdispVal, &object);
        EXPECT_EQ(object.references(), 3);
        EXPECT_EQ(VariantChangeType(&out, text(u"x").ptr(), 0, VT_DISPATCH), DISP_E_TYPEMISMATCH);
        Variant nothing = Variant::fromDispatch(nullptr);
        ASSERT_EQ(VariantChangeType(&out, &nothing, 0, VT_UNKNOWN), S_OK);
        EXPECT_EQ(out.punkVal, nullptr);
    }
    EXPECT_EQ(object.references(), 1);
}

// ---- the Variant class's conversions ----------------------------------------------------------------

TEST(VariantConversionMembers, ResultsFollowTheRuntime) {
    EXPECT_EQ(Variant::fromBool(true).toString(), u"True");
    EXPECT_EQ(Variant().toString(), u"");
    EXPECT_EQ(text(u"2.5").toLong(), 2);
    EXPECT_EQ(text(u"3.5").toLong(), 4);
    EXPECT_EQ(Variant::fromBool(true).toLong(), -1);
    EXPECT_TRUE(text(u"TRUE").toBool());
    EXPECT_FALSE(text(u"0").toBool());
    EXPECT_FALSE(Variant().toBool());
    EXPECT_DOUBLE_EQ(text(u"1.5E3").toDouble(), 1500.0);
    Variant changed = Variant::fromLong(7).changedTo(VT_I2);
    EXPECT_EQ(changed.vt, VT_I2);
    EXPECT_EQ(changed.iVal, 7);
}

TEST(VariantConversionMembers, FailuresRaiseTheRuntimeNumbers) {
    EXPECT_EQ(ErrorNumberOf([] { text(u"abc").toLong(); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { Variant::null().toString(); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { text(u"yes").toBool(); }), 13);
    EXPECT_EQ(ErrorNumberOf([] { Variant::fromDouble(1e10).toLong(); }), 6);
    const ComError mismatch = ErrorOf([] { text(u"abc").toDouble(); });
    EXPECT_EQ(mismatch.description(), u"Type mismatch");
    EXPECT_EQ(mismatch.hresult(), HRESULT_FROM_ERRNUMBER(13));
    ValueObject raising(Variant::fromLong(1));
    raising.raise(1002);
    const ComError raised = ErrorOf([&] { Variant::fromDispatch(&raising).toString(); });
    EXPECT_EQ(raised.number(), 1002);
    EXPECT_EQ(raised.source(), u"Test.Value");
    EXPECT_EQ(raised.description(), u"no value today");
}
