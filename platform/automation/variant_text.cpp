#include "platform/automation/variant_text.h"

#include <langinfo.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/automation/ascii.h"
#include "platform/automation/utf.h"

namespace automation {

namespace {

// ---- characters -------------------------------------------------------------------------------

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == 0x00A0;
}

std::u16string_view trimBlanks(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Text of the C library's locale: UTF-8 when that is the locale's code set, otherwise one
// character per byte.
std::u16string decodeLocaleText(const char* text) {
    if (!text) return {};
    const std::string_view bytes(text);
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return Utf8ToUtf16(bytes);
    std::u16string out;
    for (unsigned char c : bytes) out += char16_t(c);
    return out;
}

// ---- numbers as text ------------------------------------------------------------------------

// d[.ddd]E+xx for the digits of a number whose first digit has the given decimal exponent.
std::u16string scientificText(bool negative, const std::string& digits, int exponent, char16_t decimal) {
    std::u16string out = negative ? u"-" : u"";
    out += char16_t(digits[0]);
    if (digits.size() > 1) {
        out += decimal;
        out += widen(std::string_view(digits).substr(1));
    }
    out += exponent < 0 ? u"E-" : u"E+";
    int magnitude = std::abs(exponent);
    if (magnitude < 10) out += u'0';
    out += widen(std::to_string(magnitude));
    return out;
}

// Digits with the decimal point placed after `wholeDigits` of them (zeros added as needed).
std::u16string fixedText(bool negative, const std::string& digits, long long wholeDigits, char16_t decimal) {
    std::u16string out = negative ? u"-" : u"";
    const long long size = static_cast<long long>(digits.size());
    if (wholeDigits <= 0) {
        out += u'0';
        out += decimal;
        out.append(size_t(-wholeDigits), u'0');
        out += widen(digits);
    } else if (wholeDigits >= size) {
        out += widen(digits);
        out.append(size_t(wholeDigits - size), u'0');
    } else {
        out += widen(std::string_view(digits).substr(0, size_t(wholeDigits)));
        out += decimal;
        out += widen(std::string_view(digits).substr(size_t(wholeDigits)));
    }
    return out;
}

std::u16string formatFloating(double v, int significant, char16_t decimal) {
    if (std::isnan(v)) return std::u16string(u"1") + decimal + u"#QNAN";
    if (std::isinf(v)) return std::u16string(v < 0 ? u"-1" : u"1") + decimal + u"#INF";
    if (v == 0) return u"0";
    ExactNumber n = ExactNumber::fromDouble(v, significant);
    n.digits.erase(n.digits.find_last_not_of('0') + 1);
    const int leading = n.exponent + significant - 1;  // decimal exponent of the first digit
    if (leading < -4 || leading >= significant) return scientificText(n.negative, n.digits, leading, decimal);
    return fixedText(n.negative, n.digits, leading + 1, decimal);
}

// ---- dates ------------------------------------------------------------------------------------

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr int kSecondsPerDay = 86400;
constexpr sys_days kDateZero = std::chrono::year{1899} / 12 / 30;

// Day number and second of the day; the fraction counts forward from the start of the day
// whatever the sign of the day.
struct DaySecond {
    long long day = 0;
    int second = 0;
};

std::optional<DaySecond> splitSerial(DATE v) {
    if (!IsValidDate(v)) return std::nullopt;
    double whole = std::trunc(v);
    long long seconds = std::llround(std::fabs(v - whole) * kSecondsPerDay);
    DaySecond ds{static_cast<long long>(whole), static_cast<int>(seconds)};
    if (ds.second >= kSecondsPerDay) {  // rounded up into the next day
        ds.second -= kSecondsPerDay;
        ++ds.day;
    }
    if (ds.day > static_cast<long long>(kMaxDate)) return std::nullopt;
    return ds;
}

DateParts partsOf(const DaySecond& ds) {
    year_month_day ymd{kDateZero + days{ds.day}};
    DateParts p;
    p.year = int(ymd.year());
    p.month = int(unsigned(ymd.month()));
    p.day = int(unsigned(ymd.day()));
    p.hour = ds.second / 3600;
    p.minute = ds.second / 60 % 60;
    p.second = ds.second % 60;
    return p;
}

std::u16string dateText(const DateParts& p) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d/%d/%04d", p.month, p.day, p.year);
    return widen(buffer);
}

std::u16string timeText(const DateParts& p) {
    int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, p.minute, p.second, p.hour < 12 ? "AM" : "PM");
    return widen(buffer);
}

}  // namespace

// ---- locale -----------------------------------------------------------------------------------

NumberSymbols ProcessNumberSymbols() {
    NumberSymbols symbols;
    std::u16string decimal = decodeLocaleText(nl_langinfo(RADIXCHAR));
    if (!decimal.empty()) symbols.decimalSeparator = decimal[0];
    std::u16string thousands = decodeLocaleText(nl_langinfo(THOUSEP));
    if (!thousands.empty()) symbols.thousandsSeparator = thousands[0];
    else symbols.thousandsSeparator = symbols.decimalSeparator == u',' ? u'.' : u',';
    if (symbols.thousandsSeparator == symbols.decimalSeparator) symbols.thousandsSeparator = 0;
    std::u16string currency = decodeLocaleText(std::localeconv()->currency_symbol);
    if (!currency.empty()) symbols.currencySymbol = currency;
    return symbols;
}

NumberSymbols NumberSymbolsFor(LCID lcid) {
    if (lcid == 0x0409 || lcid == LOCALE_INVARIANT) return NumberSymbols{};
    return ProcessNumberSymbols();
}

// ---- writing --------------------------------------------------------------------------------

std::u16string FormatInteger(LONGLONG v) { return widen(std::to_string(v)); }

std::u16string FormatUnsigned(ULONGLONG v) { return widen(std::to_string(v)); }

std::u16string FormatDouble(double v, const NumberSymbols& symbols) {
    return formatFloating(v, 15, symbols.decimalSeparator);
}

std::u16string FormatSingle(float v, const NumberSymbols& symbols) {
    return formatFloating(v, 7, symbols.decimalSeparator);
}

std::u16string FormatExact(const ExactNumber& v, const NumberSymbols& symbols) {
    if (v.isZero()) return u"0";
    std::string digits = v.digits;
    long long wholeDigits = static_cast<long long>(digits.size()) + v.exponent;
    // Drop trailing fractional zeros, keeping the whole part.
    size_t keep = std::max<size_t>(digits.find_last_not_of('0') + 1, size_t(std::max<long long>(wholeDigits, 0)));
    if (keep < digits.size()) digits.erase(keep);
    return fixedText(v.negative, digits, wholeDigits, symbols.decimalSeparator);
}

std::u16string FormatCurrency(CY v, const NumberSymbols& symbols) {
    return FormatExact(ExactNumber::fromCurrency(v), symbols);
}

std::u16string FormatDecimal(const DECIMAL& v, const NumberSymbols& symbols) {
    return FormatExact(ExactNumber::fromDecimal(v), symbols);
}

std::u16string FormatBoolean(bool v) { return v ? u"True" : u"False"; }

std::optional<std::u16string> FormatDate(DATE v) {
    std::optional<DaySecond> ds = splitSerial(v);
    if (!ds) return std::nullopt;
    DateParts parts = partsOf(*ds);
    if (ds->day == 0) return timeText(parts);
    if (ds->second == 0) return dateText(parts);
    return dateText(parts) + u" " + timeText(parts);
}

// ---- dates ------------------------------------------------------------------------------------

bool IsValidDate(DATE v) { return v > kMinDate - 1 && v < kMaxDate + 1; }

std::optional<DateParts> SplitDate(DATE v) {
    std::optional<DaySecond> ds = splitSerial(v);
    if (!ds) return std::nullopt;
    return partsOf(*ds);
}

std::optional<DATE> DateFromParts(const DateParts& p) {
    if (p.year < 100 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1) return std::nullopt;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59)
        return std::nullopt;
    year_month_day ymd{std::chrono::year{p.year}, std::chrono::month{unsigned(p.month)},
                       std::chrono::day{unsigned(p.day)}};
    if (!ymd.ok()) return std::nullopt;
    double day = double((sys_days{ymd} - kDateZero).count());
    double time = double(p.hour * 3600 + p.minute * 60 + p.second) / kSecondsPerDay;
    return day >= 0 ? day + time : day - time;
}

// ---- reading numbers --------------------------------------------------------------------------

namespace {

class Scanner {
public:
    explicit Scanner(std::u16string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    char16_t peek(size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : 0; }
    void advance() { ++pos_; }
    void skipBlanks() { while (!atEnd() && isBlank(peek())) advance(); }
    bool take(char16_t c) {
        if (atEnd() || c == 0 || peek() != c) return false;
        advance();
        return true;
    }
    bool takeText(std::u16string_view s) {
        if (s.empty() || text_.substr(pos_, s.size()) != s) return false;
        pos_ += s.size();
        return true;
    }
    // '+' gives false, '-' true; nothing taken when there is no sign.
    std::optional<bool> takeSign() {
        if (take(u'+')) return false;
        if (take(u'-')) return true;
        return std::nullopt;
    }

private:
    std::u16string_view text_;
    size_t pos_ = 0;
};

constexpr long long kExponentLimit = 100000;  // beyond every type's range either way

int clampExponent(long long e) {
    return static_cast<int>(std::clamp(e, -10 * kExponentLimit, 10 * kExponentLimit));
}

bool isExponentMark(char16_t c) { return c == u'E' || c == u'e' || c == u'D' || c == u'd'; }

// Digits with thousands separators, an optional fraction and exponent.
HRESULT scanDecimalBody(Scanner& s, const NumberSymbols& symbols, ExactNumber& out) {
    std::string digits;
    long long fractionDigits = 0;
    bool anyDigit = false;
    for (;;) {
        if (IsAsciiDigit(s.peek())) {
            digits += char(s.peek());
            anyDigit = true;
            s.advance();
        } else if (anyDigit && s.peek() == symbols.thousandsSeparator && IsAsciiDigit(s.peek(1))) {
            s.advance();
        } else {
            break;
        }
    }
    if (s.take(symbols.decimalSeparator)) {
        for (; IsAsciiDigit(s.peek()); s.advance(), ++fractionDigits) {
            digits += char(s.peek());
            anyDigit = true;
        }
    }
    if (!anyDigit) return DISP_E_TYPEMISMATCH;
    long long exponent = 0;
    const bool signedExponent = (s.peek(1) == u'+' || s.peek(1) == u'-') && IsAsciiDigit(s.peek(2));
    if (isExponentMark(s.peek()) && (IsAsciiDigit(s.peek(1)) || signedExponent)) {
        s.advance();
        bool negativeExponent = s.takeSign().value_or(false);
        for (; IsAsciiDigit(s.peek()); s.advance())
            if (exponent < kExponentLimit) exponent = exponent * 10 + (s.peek() - u'0');
        if (negativeExponent) exponent = -exponent;
    }
    out.digits = std::move(digits);
    out.exponent = clampExponent(exponent - fractionDigits);
    Normalize(out);
    return S_OK;
}

HRESULT scanRadixNumber(Scanner& s, ParsedNumber& out) {
    s.advance();  // '&'
    const char16_t kind = AsciiUpper(s.peek());
    if (kind != u'H' && kind != u'O') return DISP_E_TYPEMISMATCH;
    s.advance();
    const unsigned bitsPerDigit = kind == u'H' ? 4 : 3;
    bool anyDigit = false;
    ULONGLONG value = 0;
    for (;; s.advance()) {
        const int digit = HexDigitValue(s.peek());
        if (digit < 0 || unsigned(digit) >= (1u << bitsPerDigit)) break;
        if (value >> (64 - bitsPerDigit)) return DISP_E_OVERFLOW;
        value = (value << bitsPerDigit) | digit;
        anyDigit = true;
    }
    s.skipBlanks();
    if (!anyDigit || !s.atEnd()) return DISP_E_TYPEMISMATCH;
    out.radixPrefixed = true;
    out.bits = value;
    return S_OK;
}

}  // namespace

HRESULT ParseNumber(std::u16string_view text, const NumberSymbols& symbols, ParsedNumber& out) {
    out = ParsedNumber{};
    Scanner s(text);
    s.skipBlanks();
    if (s.peek() == u'&') return scanRadixNumber(s, out);

    const bool parenthesised = s.take(u'(');
    std::optional<bool> sign;
    auto takeSignOnce = [&] {
        s.skipBlanks();
        if (!parenthesised && !sign) sign = s.takeSign();
        s.skipBlanks();
    };
    takeSignOnce();
    bool currency = s.takeText(symbols.currencySymbol);
    takeSignOnce();
    ExactNumber value;
    if (HRESULT hr = scanDecimalBody(s, symbols, value); FAILED(hr)) return hr;
    s.skipBlanks();
    if (!currency) s.takeText(symbols.currencySymbol);
    takeSignOnce();
    if (parenthesised && !s.take(u')')) return DISP_E_TYPEMISMATCH;
    s.skipBlanks();
    if (!s.atEnd()) return DISP_E_TYPEMISMATCH;
    value.negative = !value.isZero() && (parenthesised || sign.value_or(false));
    out.value = std::move(value);
    return S_OK;
}

HRESULT ParseBoolean(std::u16string_view text, const NumberSymbols& symbols, bool& out) {
    std::u16string_view word = trimBlanks(text);
    if (EqualIgnoringAsciiCase(word, u"True")) {
        out = true;
        return S_OK;
    }
    if (EqualIgnoringAsciiCase(word, u"False")) {
        out = false;
        return S_OK;
    }
    ParsedNumber number;
    HRESULT hr = ParseNumber(text, symbols, number);
    if (hr == DISP_E_OVERFLOW) {  // "&H" digits beyond 64 bits: not zero
        out = true;
        return S_OK;
    }
    if (FAILED(hr)) return hr;
    out = number.radixPrefixed ? number.bits != 0 : !number.value.isZero();
    return S_OK;
}

// ---- reading dates ------------------------------------------------------------------------------

namespace {

struct DateToken {
    enum Kind { Number, Word, Separator } kind = Number;
    int value = 0;       // Number
    int digitCount = 0;  // Number
    std::u16string text; // Word
    char16_t separator = 0;
    bool used = false;
};

bool tokenizeDate(std::u16string_view text, std::vector<DateToken>& tokens) {
    Scanner s(text);
    for (s.skipBlanks(); !s.atEnd(); s.skipBlanks()) {
        char16_t c = s.peek();
        if (IsAsciiDigit(c)) {
            DateToken t;
            t.kind = DateToken::Number;
            for (; IsAsciiDigit(s.peek()); s.advance()) {
                if (++t.digitCount > 9) return false;
                t.value = t.value * 10 + (s.peek() - u'0');
            }
            tokens.push_back(t);
        } else if (IsAsciiLetter(c)) {
            DateToken t;
            t.kind = DateToken::Word;
            for (; IsAsciiLetter(s.peek()); s.advance()) t.text += AsciiUpper(s.peek());
            tokens.push_back(std::move(t));
        } else if (c == u'/' || c == u'-' || c == u'.' || c == u',' || c == u':') {
            DateToken t;
            t.kind = DateToken::Separator;
            t.separator = c;
            tokens.push_back(t);
            s.advance();
        } else {
            return false;
        }
    }
    return true;
}

int monthFromName(std::u16string_view word) {
    static constexpr std::array<std::u16string_view, 12> names{
        u"JANUARY", u"FEBRUARY", u"MARCH", u"APRIL", u"MAY", u"JUNE",
        u"JULY", u"AUGUST", u"SEPTEMBER", u"OCTOBER", u"NOVEMBER", u"DECEMBER"};
    if (word.size() < 3) return 0;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].substr(0, word.size()) == word) return int(i) + 1;
    return 0;
}

bool isSeparator(const DateToken& t, char16_t c) { return t.kind == DateToken::Separator && t.separator == c; }

struct ClockTime {
    bool present = false;
    int hour = 0, minute = 0, second = 0;
};

// Finds h:mm[:ss] and AM/PM (also "3 PM"), marking the tokens it takes.
bool takeTime(std::vector<DateToken>& tokens, ClockTime& time) {
    const size_t n = tokens.size();
    auto number = [&](size_t i) { return i < n && tokens[i].kind == DateToken::Number; };
    size_t hourIndex = n;
    for (size_t i = 0; i + 2 < n; ++i) {
        if (number(i) && isSeparator(tokens[i + 1], u':') && number(i + 2)) {
            hourIndex = i;
            time.present = true;
            time.hour = tokens[i].value;
            time.minute = tokens[i + 2].value;
            for (size_t k = i; k <= i + 2; ++k) tokens[k].used = true;
            if (number(i + 4) && isSeparator(tokens[i + 3], u':')) {
                time.second = tokens[i + 4].value;
                tokens[i + 3].used = tokens[i + 4].used = true;
            }
            break;
        }
    }
    for (size_t i = 0; i < n; ++i) {
        DateToken& t = tokens[i];
        if (t.kind != DateToken::Word || (t.text != u"AM" && t.text != u"PM")) continue;
        if (!time.present) {  // "3 PM": the number just before is the hour
            if (i == 0 || !number(i - 1) || tokens[i - 1].used) return false;
            hourIndex = i - 1;
            time.present = true;
            time.hour = tokens[i - 1].value;
            tokens[i - 1].used = true;
        } else if (i < hourIndex) {
            return false;
        }
        if (time.hour < 1 || time.hour > 12) return false;
        time.hour = time.hour % 12 + (t.text == u"PM" ? 12 : 0);
        t.used = true;
        break;
    }
    return true;
}

struct DateElement {
    int value = 0;
    int digitCount = 0;
    bool monthName = false;
    bool looksLikeYear() const { return !monthName && (digitCount >= 3 || value > 31); }
};

int fullYear(const DateElement& e) {
    if (e.digitCount <= 2) return e.value < 30 ? 2000 + e.value : 1900 + e.value;
    return e.value;
}

int currentYear() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// Chooses year, month and day from the numbers and month name of the text.
bool assignDate(const std::vector<DateElement>& e, bool dayFirst, DateParts& p) {
    size_t names = 0, nameIndex = 0;
    for (size_t i = 0; i < e.size(); ++i)
        if (e[i].monthName) ++names, nameIndex = i;
    if (names > 1) return false;
    if (names == 1) {
        std::vector<DateElement> numbers;
        for (size_t i = 0; i < e.size(); ++i)
            if (i != nameIndex) numbers.push_back(e[i]);
        p.month = e[nameIndex].value;
        if (numbers.size() == 2) {
            bool yearFirst = numbers[0].looksLikeYear();
            p.year = fullYear(numbers[yearFirst ? 0 : 1]);
            p.day = numbers[yearFirst ? 1 : 0].value;
        } else if (numbers.size() == 1) {
            bool isYear = numbers[0].looksLikeYear();
            p.year = isYear ? fullYear(numbers[0]) : currentYear();
            p.day = isYear ? 1 : numbers[0].value;
        } else {
            return false;
        }
        return true;
    }
    if (e.size() == 3) {
        if (e[0].looksLikeYear()) {
            p.year = fullYear(e[0]), p.month = e[1].value, p.day = e[2].value;
        } else {
            p.year = fullYear(e[2]);
            p.month = e[dayFirst ? 1 : 0].value;
            p.day = e[dayFirst ? 0 : 1].value;
        }
    } else if (e.size() == 2) {
        if (e[1].looksLikeYear()) {
            p.year = fullYear(e[1]), p.month = e[0].value, p.day = 1;
        } else if (e[0].looksLikeYear()) {
            p.year = fullYear(e[0]), p.month = e[1].value, p.day = 1;
        } else {
            p.year = currentYear();
            p.month = e[dayFirst ? 1 : 0].value;
            p.day = e[dayFirst ? 0 : 1].value;
        }
    } else {
        return false;
    }
    if (p.month > 12 && p.day <= 12) std::swap(p.month, p.day);
    return true;
}

}  // namespace

HRESULT ParseDate(std::u16string_view text, DATE& out) {
    std::vector<DateToken> tokens;
    if (!tokenizeDate(text, tokens)) return DISP_E_TYPEMISMATCH;
    ClockTime time;
    if (!takeTime(tokens, time)) return DISP_E_TYPEMISMATCH;

    std::vector<DateElement> elements;
    bool dayFirst = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const DateToken& t = tokens[i];
        if (t.used) continue;
        if (t.kind == DateToken::Number) {
            elements.push_back({t.value, t.digitCount, false});
        } else if (t.kind == DateToken::Word) {
            int month = monthFromName(t.text);
            const bool between = i > 0 && i + 1 < tokens.size() && tokens[i - 1].kind == DateToken::Number &&
                                 tokens[i + 1].kind == DateToken::Number;
            if (month) elements.push_back({month, 0, true});
            else if (!(t.text == u"T" && between)) return DISP_E_TYPEMISMATCH;  // 2026-12-07T15:47
        } else if (t.separator == u':') {
            return DISP_E_TYPEMISMATCH;
        } else if (t.separator == u'.') {
            dayFirst = true;
        }
    }
    DateParts parts;
    if (!elements.empty() && !assignDate(elements, dayFirst, parts)) return DISP_E_TYPEMISMATCH;
    if (elements.empty() && !time.present) return DISP_E_TYPEMISMATCH;
    parts.hour = time.hour;
    parts.minute = time.minute;
    parts.second = time.second;
    std::optional<DATE> date = DateFromParts(parts);
    if (!date) return DISP_E_TYPEMISMATCH;
    out = *date;
    return S_OK;
}

}  // namespace automation
