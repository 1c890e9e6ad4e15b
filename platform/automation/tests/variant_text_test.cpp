#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>
#include <string>

#include "platform/automation/variant_text.h"
#include "tests/support/scoped_locale.h"

using namespace automation;

namespace {

const NumberSymbols kUS{};

std::string narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

DATE dateOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::optional<DATE> d = DateFromParts({year, month, day, hour, minute, second});
    EXPECT_TRUE(d.has_value()) << year << "-" << month << "-" << day;
    return d.value_or(0);
}

// The date a text reads as, or nothing when it is refused as a type mismatch.
std::optional<DATE> readDate(std::u16string_view text) {
    DATE d = 0;
    HRESULT hr = ParseDate(text, d);
    if (hr == DISP_E_TYPEMISMATCH) return std::nullopt;
    EXPECT_EQ(hr, S_OK);
    return d;
}

ExactNumber readNumber(std::u16string_view text, const NumberSymbols& symbols = kUS) {
    ParsedNumber n;
    EXPECT_EQ(ParseNumber(text, symbols, n), S_OK) << narrow(text);
    EXPECT_FALSE(n.radixPrefixed);
    return n.value;
}

std::optional<bool> readBoolean(std::u16string_view text) {
    bool b = false;
    if (FAILED(ParseBoolean(text, kUS, b))) return std::nullopt;
    return b;
}

}  // namespace

// ---- numbers written ------------------------------------------------------------------------------

TEST(FormatNumbers, DoublesUseFifteenDigitsAndENotationAtTheRuntimesThresholds) {
    EXPECT_EQ(FormatDouble(1e15, kUS), u"1E+15");
    EXPECT_EQ(FormatDouble(1e14, kUS), u"100000000000000");
    EXPECT_EQ(FormatDouble(1e20, kUS), u"1E+20");
    EXPECT_EQ(FormatDouble(0.0001, kUS), u"0.0001");
    EXPECT_EQ(FormatDouble(0.000015, kUS), u"1.5E-05");
    EXPECT_EQ(FormatDouble(1e-300, kUS), u"1E-300");
    EXPECT_EQ(FormatDouble(-123.456, kUS), u"-123.456");
    EXPECT_EQ(FormatDouble(0.1 + 0.2, kUS), u"0.3");
    EXPECT_EQ(FormatDouble(2.0 / 3.0, kUS), u"0.666666666666667");
    EXPECT_EQ(FormatDouble(123456789012345678.0, kUS), u"1.23456789012346E+17");
    EXPECT_EQ(FormatDouble(999999999999999.9, kUS), u"1E+15");  // rounding carries into the exponent
    EXPECT_EQ(FormatDouble(std::numeric_limits<double>::max(), kUS), u"1.79769313486232E+308");
    EXPECT_EQ(FormatDouble(-0.0, kUS), u"0");
    EXPECT_EQ(FormatDouble(HUGE_VAL, kUS), u"1.#INF");
    EXPECT_EQ(FormatDouble(-HUGE_VAL, kUS), u"-1.#INF");
    EXPECT_EQ(FormatDouble(std::nan(""), kUS), u"1.#QNAN");
}

TEST(FormatNumbers, SinglesUseSevenDigits) {
    EXPECT_EQ(FormatSingle(1234567.0f, kUS), u"1234567");
    EXPECT_EQ(FormatSingle(12345678.0f, kUS), u"1.234568E+07");
    EXPECT_EQ(FormatSingle(0.1f, kUS), u"0.1");
    EXPECT_EQ(FormatSingle(3.14159265f, kUS), u"3.141593");
    EXPECT_EQ(FormatSingle(0.00001f, kUS), u"1E-05");
}

TEST(FormatNumbers, CurrencyAndDecimalKeepTheirDigits) {
    EXPECT_EQ(FormatCurrency(CY{.int64 = 1234567}, kUS), u"123.4567");
    EXPECT_EQ(FormatCurrency(CY{.int64 = -50}, kUS), u"-0.005");
    EXPECT_EQ(FormatCurrency(CY{.int64 = 0}, kUS), u"0");
    DECIMAL d{};
    ASSERT_EQ(ToDecimal(readNumber(u"1200.0500"), d), S_OK);
    EXPECT_EQ(d.scale, 4);
    EXPECT_EQ(FormatDecimal(d, kUS), u"1200.05");
    ASSERT_EQ(ToDecimal(readNumber(u"12E3"), d), S_OK);
    EXPECT_EQ(FormatDecimal(d, kUS), u"12000");
    EXPECT_EQ(FormatDecimal(d, NumberSymbols{u',', u'.', u"€"}), u"12000");
    ASSERT_EQ(ToDecimal(readNumber(u"-0.25"), d), S_OK);
    EXPECT_EQ(FormatDecimal(d, NumberSymbols{u',', u'.', u"€"}), u"-0,25");
}

TEST(FormatNumbers, BooleansAndIntegers) {
    EXPECT_EQ(FormatBoolean(true), u"True");
    EXPECT_EQ(FormatBoolean(false), u"False");
    EXPECT_EQ(FormatInteger(std::numeric_limits<LONGLONG>::min()), u"-9223372036854775808");
    EXPECT_EQ(FormatUnsigned(std::numeric_limits<ULONGLONG>::max()), u"18446744073709551615");
}

// ---- numbers read ---------------------------------------------------------------------------------

TEST(ParseNumbers, SignsSeparatorsCurrencyAndExponent) {
    struct Case {
        std::u16string_view text;
        bool negative;
        const char* digits;
        int exponent;
    };
    for (const Case& c : {Case{u"1,234.50", false, "123450", -2}, {u" -7 ", true, "7", 0}, {u"7-", true, "7", 0},
                          {u"(7)", true, "7", 0}, {u"$ 7", false, "7", 0}, {u"-$7", true, "7", 0},
                          {u"7$", false, "7", 0}, {u"1.5E-3", false, "15", -4}, {u"2d2", false, "2", 2},
                          {u".5", false, "5", -1}, {u"5.", false, "5", 0}, {u"000", false, "", 0},
                          {u"-0.0", false, "", 0}}) {
        SCOPED_TRACE(narrow(c.text));
        ExactNumber n = readNumber(c.text);
        EXPECT_EQ(n.negative, c.negative);
        EXPECT_EQ(n.digits, c.digits);
        if (!n.isZero()) {
            EXPECT_EQ(n.exponent, c.exponent);
        }
    }
}

TEST(ParseNumbers, RadixPrefixes) {
    ParsedNumber n;
    ASSERT_EQ(ParseNumber(u" &HfF ", kUS, n), S_OK);
    EXPECT_TRUE(n.radixPrefixed);
    EXPECT_EQ(n.bits, 255u);
    ASSERT_EQ(ParseNumber(u"&o777", kUS, n), S_OK);
    EXPECT_EQ(n.bits, 511u);
    ASSERT_EQ(ParseNumber(u"&HFFFFFFFFFFFFFFFF", kUS, n), S_OK);
    EXPECT_EQ(n.bits, ~0ULL);
    EXPECT_EQ(ParseNumber(u"&H10000000000000000", kUS, n), DISP_E_OVERFLOW);
    EXPECT_EQ(ParseNumber(u"&O8", kUS, n), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(ParseNumber(u"&X1", kUS, n), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(ParseNumber(u"-&H1", kUS, n), DISP_E_TYPEMISMATCH);
}

TEST(ParseNumbers, MalformedTextIsRefused) {
    ParsedNumber n;
    for (std::u16string_view s : {u"", u"-", u"$", u"()", u"(5", u"5)", u"+-5", u"5--", u"1,,2", u"1e+", u"e5",
                                  u"1 000", u"0x10", u"five"}) {
        SCOPED_TRACE(narrow(s));
        EXPECT_EQ(ParseNumber(s, kUS, n), DISP_E_TYPEMISMATCH);
    }
}

TEST(ParseNumbers, HugeExponentsStayWithinRange) {
    ExactNumber big = readNumber(u"1e99999999999999999999");
    double d = 0;
    EXPECT_FALSE(ToDouble(big, d));
    ExactNumber tiny = readNumber(u"1e-99999999999999999999");
    ASSERT_TRUE(ToDouble(tiny, d));
    EXPECT_EQ(d, 0.0);
    uint128 magnitude = 0;
    EXPECT_FALSE(RoundToScale(big, 0, magnitude));
}

TEST(ParseNumbers, OtherSymbolsChangeTheMeaningOfPointAndComma) {
    const NumberSymbols german{u',', u'.', u"€"};
    ExactNumber n = readNumber(u"1.234,5 €", german);
    EXPECT_EQ(n.digits, "12345");
    EXPECT_EQ(n.exponent, -1);
    EXPECT_EQ(readNumber(u"1.5", german).digits, "15");
}

TEST(ParseNumbers, WrittenNumbersReadBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, 6.02214076e23, 1e-10, -98765.4321, 4.9e-324}) {
        SCOPED_TRACE(v);
        double back = 0;
        ASSERT_TRUE(ToDouble(readNumber(FormatDouble(v, kUS)), back));
        // Fifteen digits: equal for values written with at most fifteen, close for the others.
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14);
    }
    double back = 0;
    ASSERT_TRUE(ToDouble(readNumber(FormatDouble(123.456, kUS)), back));
    EXPECT_EQ(back, 123.456);
}

TEST(ParseBooleans, WordsInAnyCaseAndNumbers) {
    EXPECT_EQ(readBoolean(u"True"), true);
    EXPECT_EQ(readBoolean(u"fALSE"), false);
    EXPECT_EQ(readBoolean(u"  true\t"), true);
    EXPECT_EQ(readBoolean(u"0"), false);
    EXPECT_EQ(readBoolean(u"-0.0"), false);
    EXPECT_EQ(readBoolean(u"0.001"), true);
    EXPECT_EQ(readBoolean(u"&H10000000000000000"), true);
    EXPECT_EQ(readBoolean(u"yes"), std::nullopt);
    EXPECT_EQ(readBoolean(u""), std::nullopt);
    EXPECT_EQ(readBoolean(u"T"), std::nullopt);
}

// ---- dates ----------------------------------------------------------------------------------------

TEST(Dates, KnownSerialNumbers) {
    EXPECT_EQ(dateOf(1899, 12, 30), 0.0);
    EXPECT_EQ(dateOf(1900, 1, 1), 2.0);
    EXPECT_EQ(dateOf(2000, 1, 1), 36526.0);
    EXPECT_EQ(dateOf(2025, 1, 1), 45658.0);
    EXPECT_EQ(dateOf(100, 1, 1), kMinDate);
    EXPECT_EQ(dateOf(9999, 12, 31), kMaxDate);
    EXPECT_EQ(dateOf(1899, 12, 29, 6), -1.25);
    EXPECT_EQ(DateFromParts({2026, 2, 29}), std::nullopt);
    EXPECT_EQ(DateFromParts({99, 12, 31}), std::nullopt);
    EXPECT_EQ(DateFromParts({2024, 1, 1, 24}), std::nullopt);
}

TEST(Dates, WrittenAsShortDateAndTwelveHourTime) {
    EXPECT_EQ(FormatDate(dateOf(2026, 12, 7, 15, 47, 24)), u"12/7/2026 3:47:24 PM");
    EXPECT_EQ(FormatDate(dateOf(2026, 12, 7)), u"12/7/2026");
    EXPECT_EQ(FormatDate(dateOf(1899, 12, 30, 15, 47, 24)), u"3:47:24 PM");
    EXPECT_EQ(FormatDate(0.0), u"12:00:00 AM");
    EXPECT_EQ(FormatDate(0.5), u"12:00:00 PM");
    EXPECT_EQ(FormatDate(dateOf(2001, 1, 2, 0, 0, 5)), u"1/2/2001 12:00:05 AM");
    EXPECT_EQ(FormatDate(-1.25), u"12/29/1899 6:00:00 AM");
    EXPECT_EQ(FormatDate(kMinDate), u"1/1/0100");
    EXPECT_EQ(FormatDate(1.0 - 1e-9), u"12/31/1899");  // rounds up to the next midnight
    EXPECT_EQ(FormatDate(kMinDate - 1), std::nullopt);
    EXPECT_EQ(FormatDate(kMaxDate + 1), std::nullopt);
    EXPECT_EQ(FormatDate(std::nan("")), std::nullopt);
}

TEST(Dates, SplitGivesThePartsBack) {
    std::optional<DateParts> p = SplitDate(dateOf(1969, 7, 20, 20, 17, 40));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->year, 1969);
    EXPECT_EQ(p->month, 7);
    EXPECT_EQ(p->day, 20);
    EXPECT_EQ(p->hour, 20);
    EXPECT_EQ(p->minute, 17);
    EXPECT_EQ(p->second, 40);
}

TEST(Dates, CommonTextForms) {
    const DATE expected = dateOf(2026, 12, 7);
    for (std::u16string_view s : {u"12/7/2026", u"2026-12-07", u"2026/12/7", u"7.12.2026", u"Dec 7, 2026",
                                  u"7-Dec-2026", u"December 7 2026", u"7 december 2026", u" 12/07/26 "}) {
        SCOPED_TRACE(narrow(s));
        EXPECT_EQ(readDate(s), expected);
    }
    EXPECT_EQ(readDate(u"12/7/2026 3:47:24 PM"), dateOf(2026, 12, 7, 15, 47, 24));
    EXPECT_EQ(readDate(u"2026-12-07T15:47:24"), dateOf(2026, 12, 7, 15, 47, 24));
    EXPECT_EQ(readDate(u"12/7/2026 12:30 AM"), dateOf(2026, 12, 7, 0, 30));
    EXPECT_EQ(readDate(u"15:47"), dateOf(1899, 12, 30, 15, 47));
    EXPECT_EQ(readDate(u"3 pm"), dateOf(1899, 12, 30, 15));
    EXPECT_EQ(readDate(u"13/7/2026"), dateOf(2026, 7, 13));  // a first number above 12 is the day
    EXPECT_EQ(readDate(u"1/1/45"), dateOf(1945, 1, 1));
    EXPECT_EQ(readDate(u"1/1/29"), dateOf(2029, 1, 1));
    EXPECT_EQ(readDate(u"12/2026"), dateOf(2026, 12, 1));
}

TEST(Dates, ADateWithoutYearIsInTheCurrentYear) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(readDate(u"3/4"), dateOf(local.tm_year + 1900, 3, 4));
}

TEST(Dates, TextThatIsNoDateIsRefused) {
    for (std::u16string_view s : {u"", u"abc", u"45000", u"2/30/2026", u"13/13/2026", u"25:00", u"13:00 PM",
                                  u"12/7/2026 3:61", u"Dec Jan 2026", u"12/7/2026 PM 3:00", u"1/1/10000",
                                  u"12/7/2026;", u"12:30:", u"Monday"}) {
        SCOPED_TRACE(narrow(s));
        EXPECT_EQ(readDate(s), std::nullopt);
    }
}

TEST(Dates, WrittenDatesReadBack) {
    for (DATE d : {dateOf(2026, 12, 7, 15, 47, 24), dateOf(100, 1, 1, 23, 59, 59), dateOf(1899, 12, 30, 0, 0, 1),
                   dateOf(1850, 6, 15, 12, 0, 0), dateOf(9999, 12, 31)}) {
        std::optional<std::u16string> text = FormatDate(d);
        ASSERT_TRUE(text);
        SCOPED_TRACE(narrow(*text));
        std::optional<DATE> back = readDate(*text);
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, d, 1e-9);
    }
}

// ---- locale -----------------------------------------------------------------------------------------

TEST(LocaleSymbols, TakenFromTheProcessLocale) {
    testsupport::ScopedLocale locale;
    ASSERT_TRUE(locale.use("C"));
    NumberSymbols c = ProcessNumberSymbols();
    EXPECT_EQ(c.decimalSeparator, u'.');
    EXPECT_EQ(c.thousandsSeparator, u',');
    EXPECT_EQ(c.currencySymbol, u"$");
    if (!locale.use("de_DE.UTF-8")) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (package locales-all)";
    NumberSymbols german = ProcessNumberSymbols();
    EXPECT_EQ(german.decimalSeparator, u',');
    EXPECT_EQ(german.thousandsSeparator, u'.');
    EXPECT_EQ(german.currencySymbol, u"€");
    EXPECT_EQ(NumberSymbolsFor(LOCALE_USER_DEFAULT).decimalSeparator, u',');
    EXPECT_EQ(NumberSymbolsFor(0x0409).decimalSeparator, u'.');
    EXPECT_EQ(NumberSymbolsFor(LOCALE_INVARIANT).decimalSeparator, u'.');
    EXPECT_EQ(FormatDouble(1234.5), u"1234,5");
}
