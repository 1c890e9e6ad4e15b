// The index page of every folder of a converted tree: its subfolders and files, each file with
// its language, its source's size and a link to its page, in the look of the shipped
// definitions (light and dark colours by prefers-color-scheme).
#pragma once

#include <string>

#include "tools/hlx/convert/manifest.h"

namespace convert {

// Writes FOLDER/index.html and DIR/index.html for each folder that holds a file of the manifest,
// each crash-safe. Raises filereplace::ReplaceError or std::filesystem::filesystem_error.
void WriteIndexes(const std::string& outputFolder, const Manifest& manifest);

}  // namespace convert
