#include "platform/text/parameter_scanner.h"

namespace text {
namespace {

constexpr char16_t kQuote = u'"';

bool IsSeparator(char16_t c) { return c == u',' || c == u' '; }

std::u16string TrimSpaces(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

// After an opening quote: up to the closing quote, which is consumed; a doubled quote stands
// for one; the end of the text also ends it.
std::u16string TakeQuoted(std::u16string_view& rest) {
    std::u16string taken;
    size_t i = 0;
    while (i < rest.size()) {
        if (rest[i] != kQuote) {
            taken += rest[i++];
        } else if (i + 1 < rest.size() && rest[i + 1] == kQuote) {
            taken += kQuote;
            i += 2;
        } else {
            ++i;
            break;
        }
    }
    rest.remove_prefix(i);
    return taken;
}

// Up to, not including, the first character that ends the token.
template <class Ends>
std::u16string_view TakeUntil(std::u16string_view& rest, Ends ends) {
    size_t i = 0;
    while (i < rest.size() && !ends(rest[i])) ++i;
    const std::u16string_view taken = rest.substr(0, i);
    rest.remove_prefix(i);
    return taken;
}

// A quoted token, or an unquoted one up to the first character that ends it.
template <class Ends>
std::u16string TakeToken(std::u16string_view& rest, Ends ends) {
    if (!rest.empty() && rest.front() == kQuote) {
        rest.remove_prefix(1);
        return TakeQuoted(rest);
    }
    return std::u16string(TakeUntil(rest, ends));
}

}  // namespace

std::vector<NamedParameter> ScanParameters(std::u16string_view text) {
    std::vector<NamedParameter> parameters;
    std::u16string_view rest = text;
    while (!rest.empty()) {
        NamedParameter parameter;
        parameter.name = TrimSpaces(TakeToken(rest, [](char16_t c) { return c == u'=' || IsSeparator(c); }));
        if (!parameter.name.empty() && (parameter.name.front() == u'/' || parameter.name.front() == u'-'))
            parameter.name.erase(0, 1);
        if (!rest.empty() && rest.front() == u'=') rest.remove_prefix(1);
        parameter.value = TrimSpaces(TakeToken(rest, IsSeparator));
        if (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
        parameters.push_back(std::move(parameter));
    }
    return parameters;
}

}  // namespace text
