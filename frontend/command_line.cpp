#include "frontend/command_line.h"

namespace frontend {

namespace {

std::u16string Quoted(const std::u16string& text, std::u16string_view special) {
    if (text.find_first_of(special) == std::u16string::npos) return text;
    std::u16string quoted = u"\"";
    for (char16_t c : text) {
        if (c == u'"') quoted += u'"';
        quoted += c;
    }
    return quoted + u"\"";
}

}  // namespace

std::u16string JoinArguments(const std::vector<std::u16string>& arguments) {
    std::u16string line;
    for (const std::u16string& argument : arguments) {
        if (!line.empty()) line += u' ';
        auto equals = argument.find(u'=');
        if (equals == std::u16string::npos) {
            line += Quoted(argument, u" \"");
        } else {
            line += Quoted(argument.substr(0, equals), u" \"") + u"=" + Quoted(argument.substr(equals + 1), u" \"");
        }
    }
    return line;
}

}  // namespace frontend
