// Splitting one line of delimited text into fields, with an optional text qualifier (quote).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace strings {

// The most fields a line may hold (their index is a 16-bit number).
constexpr size_t kMaxLineFields = 32768;

// The fields of the line, in order. A field that starts with the qualifier runs to the next
// single qualifier (a doubled one stands for one qualifier character), and the character after
// it is skipped whatever it is; any other field runs to the next delimiter. delimiter and
// qualifier match single characters only, so longer ones never match (an empty qualifier
// matches only an empty rest). Raises error 6 (overflow) for more than kMaxLineFields fields.
std::vector<std::u16string> SplitLine(std::u16string_view line, std::u16string_view delimiter,
                                      std::u16string_view qualifier);

}  // namespace strings
