// Writes a parsed pattern in PCRE2's syntax, with the same meaning under the compile options
// that pattern.cpp sets (CASELESS for ignoreCase, no UCP, no UTF, MATCH_UNSET_BACKREF), and with
// callouts wherever the engine loops or backtracks, so that the search watch (search_watch.h)
// gets its turn however long a search runs.
#pragma once

#include <string>
#include <string_view>

#include "platform/regexp/dialect_tree.h"

namespace regexp::dialect {

std::u16string ToPcre2(const Node& root, Options options);
// A translation with its callouts taken out (for a search bounded by a small match limit
// instead): the same pattern, for the units of a pattern are never written as "(?C)".
std::u16string WithoutCallouts(std::u16string_view translated);

}  // namespace regexp::dialect
