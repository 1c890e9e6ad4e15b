// Inside the text service: the single mappings that LCMapStringW combines.
#pragma once

#include <string>
#include <string_view>

namespace text::detail {

std::u16string ToUpperCase(std::u16string_view source);
std::u16string ToLowerCase(std::u16string_view source);
std::u16string ToTitleCase(std::u16string_view source);
std::u16string ToFullWidth(std::u16string_view source);
std::u16string ToHalfWidth(std::u16string_view source);
std::u16string ToKatakana(std::u16string_view source);
std::u16string ToHiragana(std::u16string_view source);

}  // namespace text::detail
