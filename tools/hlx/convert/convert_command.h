// lumivar-hlx convert: a tree of sources to a tree of HTML pages with an index per folder.
#pragma once

#include <string>
#include <vector>

inline constexpr int kConvertDone = 0;
inline constexpr int kConvertFailed = 1;  // a file failed (the summary names it)
inline constexpr int kConvertUsage = 2;
inline constexpr int kConvertCancelled = 130;

// arguments: what follows "convert" on the command line. A bad command line prints nothing
// and gives kConvertUsage, for the caller to print the usage.
int RunConvert(const std::vector<std::string>& arguments);
