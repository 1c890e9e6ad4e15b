// lumivar-hlx format: formats a text with a definition and writes the HTML to standard output.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Exit statuses of the format command.
inline constexpr int kFormatDone = 0;
inline constexpr int kFormatFailed = 1;
inline constexpr int kFormatUsage = 2;
inline constexpr int kFormatCancelled = 130;

// Formats the input file (standard input when absent or "-") with the definition file, from the
// definition's first section, and writes the HTML through the ANSI code page to standard
// output as it is made. Failures go to standard error as "Error NUMBER: DESCRIPTION".
int RunFormat(const std::string& definitionArgument, const std::optional<std::string>& inputArgument);

// "format" with its arguments: [FILE.hlx] [INPUT], or --lang NAME [INPUT]. Without FILE.hlx the
// definition comes from hlx/ beside the program: the one NAME stands for ("py" -> py.hlx), or
// the one the program would choose for INPUT (its extension, name or first line); a lone
// argument that ends in ".hlx" is still the definition, for standard input. Gives
// kFormatUsage, printing nothing, for arguments that fit none of these.
int RunFormatCommand(const std::vector<std::string>& arguments);
