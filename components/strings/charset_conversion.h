// Conversions between the OEM and ANSI character sets, and the platform's string conversion
// (case, width, kana, and the ANSI bytes of a locale) on strings held as raw bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/automation/types.h"

namespace strings {

// What the text becomes on its way to the ANSI code page and back ("?" for what it lacks).
std::u16string AnsiRoundTrip(std::u16string_view source);

// The bytes of the text in the ANSI code page, read as OEM text, as far as the ANSI code page
// shows it. The whole text is translated, whatever the number of bytes per character.
std::u16string OemToAnsiText(std::u16string_view source);
// The ANSI text turned into bytes of the OEM code page, each shown as the character of the ANSI
// code page with that byte; written out through the ANSI code page they are the OEM bytes.
std::u16string AnsiToOemText(std::u16string_view source);

// The conversions, which add up where they do not contradict each other.
enum StringConversion : LONG {
    kUpperCase = 1,
    kLowerCase = 2,
    kProperCase = 3,  // first letter of every word upper case, the others lower case
    kWide = 4,
    kNarrow = 8,
    kKatakana = 16,
    kHiragana = 32,
    kUnicode = 64,       // bytes of the locale's ANSI code page to UTF-16
    kFromUnicode = 128,  // UTF-16 to bytes of the locale's ANSI code page, two per character
};

// Converts a string given as its raw bytes (UTF-16 code units, low byte first, as a string
// holds them) and gives the result's raw bytes, which are odd in number when kFromUnicode
// yields an odd number of ANSI bytes. kUnicode reads every byte; otherwise an odd last byte is
// no character and is dropped. LCID 0 and the default LCIDs use the system's ANSI code page;
// another LCID its locale's. Error 5 (invalid procedure call or argument) for a value that is no
// combination of the conversions, a contradicting one (4 with 8, 16 with 32, 64 with 128), and
// an LCID the platform does not know.
std::string ConvertStringBytes(std::string_view bytes, LONG conversion, LCID lcid);

}  // namespace strings
