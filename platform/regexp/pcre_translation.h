// Writes a parsed pattern in PCRE2's syntax, with the same meaning under the compile options
// that pattern.cpp sets (CASELESS for ignoreCase, no UCP, no UTF, MATCH_UNSET_BACKREF), and with
// callouts wherever the engine loops or backtracks, so that the search watch (search_watch.h)
// gets its turn however long a search runs.
#pragma once

#include <string>

#include "platform/regexp/dialect_tree.h"

namespace regexp::dialect {

// Callouts::Without gives the same pattern with none (for a search bounded by a small match
// limit instead).
enum class Callouts { With, Without };
std::u16string ToPcre2(const Node& root, Options options, Callouts callouts = Callouts::With);

}  // namespace regexp::dialect
