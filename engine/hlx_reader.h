// Reading a syntax definition (HLX) file into its definition tree.
//
// A load failure raises ComError (source "lumivar"):
//   53 / 76 and the other file errors of reading the file (through ReadFileToString);
//   5   a section header line that is "[" alone;
//   457 a second section with a name used before;
//   91  a FORMAT, ENTER or RETURN line before the file's first PATTERN line (no current rule).
// The descriptions of 5, 457 and 91 name the file and the line, counted from 1.
#pragma once

#include <string>
#include <string_view>

#include "engine/definition_tree.h"

namespace modHlx {

// Reads the whole file (through the ANSI code page) and parses it.
DefinitionTree ReadHlx(const std::u16string& fileName);
// Parses a definition's text; fileName goes into the patterns' "File" and into error texts.
DefinitionTree ParseHlx(std::u16string_view text, const std::u16string& fileName);

// A fresh section record (no rules, no header or footer, MultiLine and IgnoreCase true) and a
// fresh rule record (no patterns or formats, Return false, no Enter).
SectionRecord NewSection();
RuleRecord NewRule();

// "HEADER-HTML = <pre>": the key is the text after the first "-" up to the first "=" after it,
// trailing spaces removed ("HTML"); empty without both. The value is the text after the line's
// first "=", spaces trimmed ("<pre>"); empty without "=".
std::u16string GetLineKey(std::u16string_view line);
std::u16string GetLineValue(std::u16string_view line);

}  // namespace modHlx
