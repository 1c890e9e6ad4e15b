// The default syntax definition for an input file, chosen by the file's extension.
#pragma once

#include <string>
#include <string_view>

// The name (without folder) of the definition file for FileName: its extension in lower case
// mapped to a stem ("vb", "bas", "ctl", "cls", "vbs" -> "vb"; "asp", "htm", "html" -> "asp";
// any other stays itself), then ".hlx". The extension is the text after the last period of the
// last path component ('/' separates components); without one the result is ".hlx".
std::u16string GetHLX(std::u16string_view FileName);
