// Splitting a command line into a program and its arguments by the platform's rules for a
// command line, so that a program started here sees the arguments a caller wrote. No shell is
// involved: quotes and backslashes are the only special characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace os {

// The first word is the program: up to the next space or tab, or in double quotes up to the
// closing one, backslashes taken literally. The arguments then follow the runtime's rules:
// spaces and tabs separate them outside double quotes; 2n backslashes before a double quote
// give n backslashes and the quote opens or closes quoting; 2n+1 give n and a literal quote;
// inside quotes, two double quotes give one literal quote; other backslashes are literal.
std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);

}  // namespace os
