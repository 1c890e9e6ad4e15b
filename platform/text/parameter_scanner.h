// The scanner of parameter strings and command lines: name=value parameters separated by a
// space or a comma, names and values optionally in double quotes (a doubled quote inside stands
// for one). Shared by ParseParameters of the string classes and ParseCommandline of the System
// class, which differ only in how they make their result dictionary.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace text {

struct NamedParameter {
    std::u16string name;
    std::u16string value;
};

// The parameters in the order of the text. Each is read as: a name (quoted, or up to "=", ","
// or a space), trimmed of spaces and stripped of one leading "/" or "-"; an optional "=" and a
// value (quoted, or up to "," or a space), trimmed of spaces; then one separator character.
// Every further separator therefore gives a parameter with an empty name and value.
std::vector<NamedParameter> ScanParameters(std::u16string_view text);

}  // namespace text
