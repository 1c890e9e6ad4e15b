// lumivar-hlx format: formats a text with a definition and writes the HTML to standard output.
#pragma once

#include <optional>
#include <string>

// Exit statuses of the format command.
inline constexpr int kFormatDone = 0;
inline constexpr int kFormatFailed = 1;
inline constexpr int kFormatCancelled = 130;

// Formats the input file (standard input when absent or "-") with the definition file, from the
// definition's first section, and writes the HTML through the ANSI code page to standard
// output as it is made. Failures go to standard error as "Error NUMBER: DESCRIPTION".
int RunFormat(const std::string& definitionArgument, const std::optional<std::string>& inputArgument);
