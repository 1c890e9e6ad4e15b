// The front end's helpers: opening the help pages, the settings store in the registry, and the
// nearest existing folder of a path.
#pragma once

#include <string>

#include "platform/automation/handles.h"

namespace modMain {

// Opens the help page of the topic ("" for the first page) from the help folder beside the
// program, with the desktop's opener. Failures are not reported.
void ShowHelp(const std::u16string& topic);
// Writes value as a string at HKEY_CURRENT_USER\Software\company\product\section, value name key.
void SaveRegSetting(const std::u16string& company, const std::u16string& product, const std::u16string& section,
                    const std::u16string& key, const std::u16string& value);
// The value written there, or the default when there is none, as a String.
Variant GetRegSetting(const std::u16string& company, const std::u16string& product, const std::u16string& section,
                      const std::u16string& key, const std::u16string& defaultValue);
// The nearest existing folder above path (at most 51 levels up), or the user's home folder.
std::u16string ExistingFolder(const std::u16string& path);
// The folder part of a path: "/a/b.asp" gives "/a", "/b.asp" gives "/", "b.asp" gives "".
std::u16string FolderPart(const std::u16string& path);

}  // namespace modMain
