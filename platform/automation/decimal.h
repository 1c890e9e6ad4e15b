// Exact decimal numbers: the form in which text, Currency and DECIMAL values meet during a
// conversion, so that nothing passes through binary floating point unless the target is one.
#pragma once

#include <string>

#include "platform/automation/types.h"

namespace automation {

using uint128 = unsigned __int128;

// (negative ? -1 : 1) x digits x 10^exponent. digits holds '0'..'9' without leading zeros;
// zero has no digits and is never negative.
struct ExactNumber {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }

    static ExactNumber fromInteger(bool negative, uint128 magnitude, int exponent = 0);
    // The value written with the given number of significant digits, as the runtime turns a
    // Double (15) or a Single (7) into a DECIMAL. v must be finite.
    static ExactNumber fromDouble(double v, int significantDigits);
    static ExactNumber fromCurrency(CY v);
    static ExactNumber fromDecimal(const DECIMAL& v);
};

// Drops leading zeros (and the sign of zero).
void Normalize(ExactNumber& n);

// value x 10^scale rounded to a whole number, halves to the even neighbour. False when the
// magnitude needs more than 38 digits.
bool RoundToScale(const ExactNumber& n, int scale, uint128& magnitude);

// The nearest double / float. False when the magnitude is beyond the type's range; values too
// small for it become zero.
bool ToDouble(const ExactNumber& n, double& out);
bool ToFloat(const ExactNumber& n, float& out);

// Whether a DECIMAL is well formed: scale 0..28 and a sign byte of 0 or DECIMAL_NEG.
bool IsValidDecimal(const DECIMAL& d);
// Keeps the written scale where it fits; digits past scale 28 or beyond 96 bits are rounded
// away (halves to even). DISP_E_OVERFLOW when the whole part does not fit 96 bits.
HRESULT ToDecimal(const ExactNumber& n, DECIMAL& out);

// Decimal digits of a magnitude ("0" for zero).
std::string DigitsOf(uint128 magnitude);

}  // namespace automation
