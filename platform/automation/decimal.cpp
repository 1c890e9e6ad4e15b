#include "platform/automation/decimal.h"

#include <algorithm>
#include <charconv>

namespace automation {

namespace {

constexpr int kMaxDigits = 38;      // 10^38 - 1 < 2^128
constexpr int kMaxDecimalScale = 28;
constexpr uint128 kDecimalLimit = uint128(1) << 96;

uint128 parseDigits(std::string_view digits) {
    uint128 value = 0;
    for (char c : digits) value = value * 10 + uint128(c - '0');
    return value;
}

// Whether the digits dropped by rounding push the kept part up: above a half, or exactly a
// half with an odd kept part.
bool roundsUp(char firstDropped, std::string_view restDropped, bool keptIsOdd) {
    if (firstDropped > '5') return true;
    if (firstDropped < '5') return false;
    if (restDropped.find_first_not_of('0') != std::string_view::npos) return true;
    return keptIsOdd;
}

// Digit count of the whole part of digits x 10^exponent; negative or zero when below one.
long long magnitudeOrder(const ExactNumber& n) {
    return static_cast<long long>(n.digits.size()) + n.exponent;
}

template <class T>
bool parseFloating(const ExactNumber& n, T& out) {
    if (n.isZero()) {
        out = 0;
        return true;
    }
    std::string text = n.digits + "e" + std::to_string(n.exponent);
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (magnitudeOrder(n) > 0) return false;
        value = 0;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    out = n.negative ? -value : value;
    return true;
}

}  // namespace

std::string DigitsOf(uint128 magnitude) {
    if (magnitude == 0) return "0";
    std::string digits;
    while (magnitude != 0) {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    }
    return digits;
}

void Normalize(ExactNumber& n) {
    size_t first = n.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        n = ExactNumber{};
        return;
    }
    n.digits.erase(0, first);
}

ExactNumber ExactNumber::fromInteger(bool negative, uint128 magnitude, int exponent) {
    ExactNumber n{negative, DigitsOf(magnitude), exponent};
    Normalize(n);
    return n;
}

ExactNumber ExactNumber::fromDouble(double v, int significantDigits) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific,
                                significantDigits - 1);
    std::string_view text(buffer, size_t(result.ptr - buffer));  // [-]d[.ddd]e[+-]dd
    ExactNumber n;
    size_t pos = 0;
    if (text[pos] == '-') {
        n.negative = true;
        ++pos;
    }
    int fractionDigits = 0;
    bool inFraction = false;
    for (; pos < text.size() && text[pos] != 'e'; ++pos) {
        if (text[pos] == '.') {
            inFraction = true;
            continue;
        }
        n.digits += text[pos];
        if (inFraction) ++fractionDigits;
    }
    int exponent = 0;
    std::string_view exponentText = text.substr(pos + 1);
    if (!exponentText.empty() && exponentText[0] == '+') exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    n.exponent = exponent - fractionDigits;
    Normalize(n);
    return n;
}

ExactNumber ExactNumber::fromCurrency(CY v) {
    bool negative = v.int64 < 0;
    uint128 magnitude = negative ? uint128(-(v.int64 + 1)) + 1 : uint128(v.int64);
    return fromInteger(negative, magnitude, -4);
}

ExactNumber ExactNumber::fromDecimal(const DECIMAL& v) {
    uint128 mantissa = (uint128(v.Hi32) << 64) | v.Lo64;
    return fromInteger((v.sign & DECIMAL_NEG) != 0, mantissa, -int(v.scale));
}

bool RoundToScale(const ExactNumber& n, int scale, uint128& magnitude) {
    magnitude = 0;
    if (n.isZero()) return true;
    const long long size = static_cast<long long>(n.digits.size());
    const long long shift = static_cast<long long>(n.exponent) + scale;
    if (shift >= 0) {
        if (size + shift > kMaxDigits) return false;
        magnitude = parseDigits(n.digits);
        for (long long i = 0; i < shift; ++i) magnitude *= 10;
        return true;
    }
    const long long dropped = -shift;
    if (dropped > size) return true;  // below one half: the first dropped digit is a zero
    std::string_view digits(n.digits);
    std::string_view kept = digits.substr(0, size_t(size - dropped));
    if (static_cast<long long>(kept.size()) > kMaxDigits) return false;
    magnitude = parseDigits(kept);
    std::string_view droppedDigits = digits.substr(kept.size());
    if (roundsUp(droppedDigits[0], droppedDigits.substr(1), magnitude % 2 == 1)) ++magnitude;
    return true;
}

bool ToDouble(const ExactNumber& n, double& out) { return parseFloating(n, out); }

bool ToFloat(const ExactNumber& n, float& out) { return parseFloating(n, out); }

bool IsValidDecimal(const DECIMAL& d) {
    return d.scale <= kMaxDecimalScale && (d.sign & ~DECIMAL_NEG) == 0;
}

HRESULT ToDecimal(const ExactNumber& n, DECIMAL& out) {
    int scale = std::clamp(-n.exponent, 0, kMaxDecimalScale);
    uint128 magnitude = 0;
    // The largest scale at which the value still fits 96 bits.
    while (!RoundToScale(n, scale, magnitude) || magnitude >= kDecimalLimit) {
        if (scale == 0) return DISP_E_OVERFLOW;
        --scale;
    }
    out.wReserved = VT_DECIMAL;
    out.scale = BYTE(scale);
    out.sign = (n.negative && magnitude != 0) ? DECIMAL_NEG : 0;
    out.Hi32 = ULONG(magnitude >> 64);
    out.Lo64 = ULONGLONG(magnitude);
    return S_OK;
}

}  // namespace automation
