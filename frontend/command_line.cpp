#include "frontend/command_line.h"

#include <algorithm>
#include <string_view>

#include "platform/automation/ascii.h"

namespace frontend {

namespace {

constexpr std::u16string_view kSwitchNames[] = {u"in",      u"out",     u"hlx",       u"hlxfolder",
                                                u"overwrite", u"dostext", u"showoutput"};

// Whether text begins with one of the program's switches: its name (after one "/" or "-")
// followed by "=", "," or the end.
bool StartsWithSwitch(std::u16string_view text) {
    if (!text.empty() && (text[0] == u'/' || text[0] == u'-')) text.remove_prefix(1);
    std::u16string_view name = text.substr(0, text.find_first_of(u"=,"));
    return std::any_of(std::begin(kSwitchNames), std::end(kSwitchNames),
                       [&](std::u16string_view known) { return automation::EqualIgnoringAsciiCase(name, known); });
}

std::u16string Quoted(std::u16string_view text) {
    if (text.find_first_of(u" \",") == std::u16string_view::npos) return std::u16string(text);
    std::u16string quoted = u"\"";
    for (char16_t c : text) {
        if (c == u'"') quoted += u'"';
        quoted += c;
    }
    return quoted + u"\"";
}

// One switch as the parser reads it back: its name and its value (after the first "=") each in
// double quotes when they hold a space, a comma or a double quote.
std::u16string QuotedSwitch(std::u16string_view item) {
    auto equals = item.find(u'=');
    if (equals == std::u16string_view::npos) return Quoted(item);
    return Quoted(item.substr(0, equals)) + u"=" + Quoted(item.substr(equals + 1));
}

// A shell argument is one switch, except that a comma followed by one of the program's switches
// separates two (`in=a.asp,out=b.htm`); any other comma belongs to the name or value
// (`out=notes,v2.htm`).
std::u16string QuotedSwitches(std::u16string_view argument) {
    std::u16string quoted;
    size_t start = 0;
    for (size_t comma = argument.find(u','); comma != std::u16string_view::npos; comma = argument.find(u',', comma + 1)) {
        if (!StartsWithSwitch(argument.substr(comma + 1))) continue;
        quoted += QuotedSwitch(argument.substr(start, comma - start)) + u",";
        start = comma + 1;
    }
    return quoted + QuotedSwitch(argument.substr(start));
}

}  // namespace

std::u16string JoinArguments(const std::vector<std::u16string>& arguments) {
    std::u16string line;
    for (const std::u16string& argument : arguments) {
        if (!line.empty()) line += u' ';
        line += QuotedSwitches(argument);
    }
    return line;
}

}  // namespace frontend
