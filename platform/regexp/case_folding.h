// Case-insensitive matching of the dialect: two code units are equal when their simple
// upper-case mappings are; a unit whose upper case is a different unit outside the BMP, or an
// ASCII unit while it is not ASCII itself, stands for itself only.
#pragma once

#include <string>

#include "platform/regexp/pattern.h"

namespace regexp::casefold {

// Adds c and, when ignoreCase, every unit equal to it without regard to case.
void AddUnit(UnitBits& set, char16_t c, bool ignoreCase);
// Adds to the set every unit equal to one of its members without regard to case.
void Close(UnitBits& set);
// c followed by the other units equal to it without regard to case.
std::u16string CaseVariants(char16_t c);
// True when a non-ASCII unit equals c without regard to case, so that PCRE2's ASCII-only
// caseless matching does not cover c.
bool HasNonAsciiVariants(char16_t c);
// Whether c lies in a block of units none of which has another case (ideographs, syllables,
// surrogates, private use); such units are passed over when the classes are built.
bool InCaselessBlock(char16_t c);

}  // namespace regexp::casefold
