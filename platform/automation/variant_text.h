// Values as text and back, the way the Automation runtime writes and reads them (what CStr,
// CDbl, CBool and CDate give).
//
// Numbers follow the process locale's decimal separator, thousands separator and currency
// symbol (LC_NUMERIC and LC_MONETARY, as set with setlocale; the C locale gives "." "," "$").
// Dates are always written month/day/year with a four-digit year and a 12-hour clock
// ("12/7/2026 3:47:24 PM"), whatever the locale, so that text written on one machine reads
// back on any other; reading also accepts year-month-day, day.month.year and month names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/decimal.h"

namespace automation {

struct NumberSymbols {
    char16_t decimalSeparator = u'.';
    char16_t thousandsSeparator = u',';
    std::u16string currencySymbol = u"$";
};
// The symbols of the C library's current locale.
NumberSymbols ProcessNumberSymbols();
// LCID 0x0409 (English, United States) and LOCALE_INVARIANT give the symbols above; every other
// LCID, the user and system defaults included, the process locale's.
constexpr LCID LOCALE_INVARIANT = 0x007F;
NumberSymbols NumberSymbolsFor(LCID lcid);

// ---- writing --------------------------------------------------------------------------------
std::u16string FormatInteger(LONGLONG v);
std::u16string FormatUnsigned(ULONGLONG v);
// Up to 15 significant digits (Single: 7); E notation ("1E+15", "1.5E-05") when the decimal
// exponent is below -4 or reaches the digit count. Infinities are "1.#INF" and "-1.#INF", a NaN
// "1.#QNAN".
std::u16string FormatDouble(double v, const NumberSymbols& symbols = ProcessNumberSymbols());
std::u16string FormatSingle(float v, const NumberSymbols& symbols = ProcessNumberSymbols());
// Up to four decimals, trailing zeros dropped: "1.5", "-0.0001", "3".
std::u16string FormatCurrency(CY v, const NumberSymbols& symbols = ProcessNumberSymbols());
// Every digit, trailing fractional zeros dropped.
std::u16string FormatDecimal(const DECIMAL& v, const NumberSymbols& symbols = ProcessNumberSymbols());
std::u16string FormatExact(const ExactNumber& v, const NumberSymbols& symbols = ProcessNumberSymbols());
std::u16string FormatBoolean(bool v);  // "True" / "False"
// "12/7/2026 3:47:24 PM"; only the date when the time is midnight, only the time on day 0
// (12/30/1899). Times are rounded to the second. Nothing for dates outside 1/1/100..12/31/9999.
std::optional<std::u16string> FormatDate(DATE v);

// ---- dates --------------------------------------------------------------------------------------
// A DATE counts days from 12/30/1899; its fraction is the time of day, taken as a positive
// fraction also for negative days (-1.25 is 12/29/1899 6:00 AM).
struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};
constexpr DATE kMinDate = -657434.0;  // 1/1/100
constexpr DATE kMaxDate = 2958465.0;  // 12/31/9999 (its whole day)
bool IsValidDate(DATE v);
std::optional<DATE> DateFromParts(const DateParts& parts);
std::optional<DateParts> SplitDate(DATE v);  // rounded to the second

// ---- reading ----------------------------------------------------------------------------------
// A number as written: blanks around it, a sign before or after it or parentheses for a
// negative, the currency symbol before or after it, thousands separators between digits, the
// decimal separator, an exponent (E or D, "1.5E-3"), or "&H" hexadecimal and "&O" octal digits.
struct ParsedNumber {
    ExactNumber value;        // when not radixPrefixed
    bool radixPrefixed = false;
    ULONGLONG bits = 0;       // the "&H"/"&O" digits as an unsigned number
};
// DISP_E_TYPEMISMATCH for text that is not a number, DISP_E_OVERFLOW for "&H" digits beyond 64 bits.
HRESULT ParseNumber(std::u16string_view text, const NumberSymbols& symbols, ParsedNumber& out);
// "True" and "False" in any case (blanks around them allowed), or a number: non-zero is True.
HRESULT ParseBoolean(std::u16string_view text, const NumberSymbols& symbols, bool& out);
// M/D/Y (a first number above 12 is taken as the day), D.M.Y, Y-M-D and Y/M/D, month names or
// their first three letters ("Dec 7, 2026", "7-Dec-2026"), a year of one or two digits as
// 1930..2029, a date without a year in the current year; then or alone a time h:mm[:ss] or
// h [AM|PM]. DISP_E_TYPEMISMATCH for anything else, a plain number included.
HRESULT ParseDate(std::u16string_view text, DATE& out);

}  // namespace automation
