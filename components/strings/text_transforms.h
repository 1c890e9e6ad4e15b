// The text transformations of the string classes, on plain UTF-16 text. Errors are raised as
// ComError without a source; the classes add theirs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "components/strings/html_escape.h"
#include "platform/automation/types.h"

namespace strings {

// The text before the first U+0000, or all of it.
std::u16string TrimZ(std::u16string_view text);

// Every occurrence of delimiter doubled; an empty delimiter leaves the text as it is.
std::u16string Encode(std::u16string_view text, std::u16string_view delimiter);
// Every doubled delimiter made single, left to right; an empty delimiter leaves the text as it is.
std::u16string Decode(std::u16string_view text, std::u16string_view delimiter);

// The parts joined with one tab between neighbours; tabs inside parts stay as they are.
std::u16string JoinWithTabs(const std::vector<std::u16string>& parts);
// The text split at every tab; the empty text gives no parts.
std::vector<std::u16string> SplitAtTabs(std::u16string_view text);

// Two uppercase hexadecimal digits per character: the last byte of its code in the ANSI code
// page ("?" for a character the code page lacks).
std::u16string EncodeHex(std::u16string_view text);
// Pairs of characters read as the hexadecimal number of their leading hexadecimal digits (0 for
// none), each the byte of one character in the ANSI code page; an odd last character is ignored.
std::u16string DecodeHex(std::u16string_view text);

// The text followed by pad up to length characters; never shortened. Error 14 (out of string
// space) when the result would be longer than a string can be.
std::u16string RPad(std::u16string_view text, char16_t pad, LONG length);
// The longest text a string holds.
constexpr size_t kMaxStringLength = 0x3FFFFFFF;

// HTML escaping, in one pass: "&", "<", ">" and space become "&amp;", "&lt;", "&gt;" and
// "&nbsp;"; nothing else changes (quotation marks, tabs and line ends stay), and inserted text is
// never looked at again, so "&lt;" comes out as "&amp;lt;".
std::u16string EncodeHTML(std::u16string_view text);
// The same, appended to out (the formatter's hot path).
void AppendEncodedHTML(std::u16string& out, std::u16string_view text);

}  // namespace strings
