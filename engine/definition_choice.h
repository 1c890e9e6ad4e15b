// The default syntax definition for an input when its extension has none: chosen by the file's
// name, then by its first line. The window, batch mode and lumivar-hlx all choose here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace engine {

// Whether the definitions' folder holds a definition file of that name ("py.hlx").
using DefinitionPresent = std::function<bool(const std::u16string& name)>;

// The input's first line, asked for only when the extension's file is absent.
using FirstLineSource = std::function<std::u16string()>;

// The name (without folder) of the definition file for an input. The extension's choice
// (GetHLX) comes first when that file is present; otherwise the file name ("Makefile",
// "Gemfile", ".profile"), then the first line: a "#!" interpreter (also through env, its
// version dropped), an Emacs "-*- mode -*-" or a vim modeline, "<?xml", "<!DOCTYPE html" or
// "<html". Only present definitions are chosen that way; when none is, the extension's choice
// is returned, so that loading it fails as it always did.
std::u16string ChooseDefinition(std::u16string_view fileName, const FirstLineSource& firstLine,
                                const DefinitionPresent& present);

// The same for a file not yet read: its first line comes from its first 4 KB, and only from a
// regular file (a pipe's text is left to its reader).
std::u16string ChooseDefinitionForFile(const std::u16string& fileName, const DefinitionPresent& present);

// The text's first line: after a byte-order mark, up to the first CR or LF.
std::u16string_view FirstLine(std::u16string_view text);

// The definition file named by a language's stem as a user gives it ("py" -> "py.hlx",
// "html" -> "asp.hlx"), through the extension's mapping.
std::u16string DefinitionOfStem(std::u16string_view stem);

// The folder of the default definitions: hlxfolder when given, else hlx beside the program.
std::u16string DefinitionFolder(const std::u16string& programFolder, const std::u16string& hlxfolder);

// Present: a file (or a link to one) of that name in the folder, which is given as text.
DefinitionPresent DefinitionsInFolder(std::u16string folder);

}  // namespace engine
