// The front end's helpers: opening the help pages, the settings store in the registry, and the
// nearest existing folder of a path.
#pragma once

#include <optional>
#include <string>

#include "platform/automation/handles.h"

class System;

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
// The same through a System object the caller keeps for a run of settings (each new one creates
// a component).
void SaveRegSetting(System& system, const std::u16string& company, const std::u16string& product,
                    const std::u16string& section, const std::u16string& key, const std::u16string& value);
Variant GetRegSetting(System& system, const std::u16string& company, const std::u16string& product,
                      const std::u16string& section, const std::u16string& key, const std::u16string& defaultValue);
// A stored setting as a small whole number ("-1", "0", "12"); nothing for any other text (a value
// edited by hand), which callers take as their default.
std::optional<LONG> WholeNumberSetting(const std::u16string& text);
// The nearest existing folder above path (at most 51 levels up), or the user's home folder.
std::u16string ExistingFolder(const std::u16string& path);
// The folder part of a path: "/a/b.asp" gives "/a", "/b.asp" gives "/", "b.asp" gives "".
std::u16string FolderPart(const std::u16string& path);

}  // namespace modMain
