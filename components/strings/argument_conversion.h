// Arguments given as Variants, turned into what the string methods work on, with the
// runtime's errors: 94 (invalid use of Null) for Null, 13 (type mismatch) for what cannot be
// converted, 6 (overflow) for a number out of range. The errors carry no source yet.
#pragma once

#include <string>
#include <vector>

#include "platform/automation/handles.h"

namespace strings {

// The value itself, a reference followed.
Variant ValueOf(const VARIANT& argument);

// The text of a value by the Automation conversion to a string (numbers in the user's locale,
// Booleans as "True" and "False", Empty as the empty string, an object's default value).
std::u16string TextArgument(const VARIANT& argument);
// A value as a 32-bit integer (banker's rounding).
LONG LongArgument(const VARIANT& argument);
// The padding character of a value: a number stands for the character with that code (modulo
// 256) in the ANSI code page, anything else for the first character of its text. Error 5 for an
// empty text or a negative code.
char16_t PadCharacterArgument(const VARIANT& argument);
// The elements of a one-dimensional array, each converted to text. Error 13 for a value that is
// not an array, 5 for an array of more dimensions; an array without data has no elements.
std::vector<std::u16string> TextArrayArgument(const VARIANT& argument);
// The bytes of a byte array (of any bounds). Error 13 for an array of more than one dimension.
std::string ByteArrayArgument(SAFEARRAY* array);

// Results; they raise std::bad_alloc when memory runs out.
Variant VariantArrayResult(const std::vector<std::u16string>& texts);  // Variant() of Strings, lower bound 0
Variant StringOfBytes(const std::string& bytes);                       // a String with these raw bytes

}  // namespace strings
