#include "platform/os/command_line.h"

namespace os {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

void SkipBlanks(std::u16string_view text, size_t& at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
}

std::u16string ProgramWord(std::u16string_view text, size_t& at) {
    std::u16string word;
    if (at < text.size() && text[at] == u'"') {
        ++at;
        while (at < text.size() && text[at] != u'"') word += text[at++];
        if (at < text.size()) ++at;
    }
    while (at < text.size() && !IsBlank(text[at])) word += text[at++];  // text after a closing quote
    return word;
}

std::u16string ArgumentWord(std::u16string_view text, size_t& at) {
    std::u16string word;
    bool quoted = false;
    while (at < text.size() && (quoted || !IsBlank(text[at]))) {
        size_t backslashes = 0;
        while (at < text.size() && text[at] == u'\\') ++backslashes, ++at;
        if (at < text.size() && text[at] == u'"') {
            word.append(backslashes / 2, u'\\');
            if (backslashes % 2 == 1) {
                word += u'"';
            } else if (quoted && at + 1 < text.size() && text[at + 1] == u'"') {
                word += u'"';
                ++at;
            } else {
                quoted = !quoted;
            }
            ++at;
        } else {
            word.append(backslashes, u'\\');
            if (at < text.size() && (quoted || !IsBlank(text[at]))) word += text[at++];
        }
    }
    return word;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine) {
    std::vector<std::u16string> words;
    size_t at = 0;
    SkipBlanks(commandLine, at);
    if (at == commandLine.size()) return words;
    words.push_back(ProgramWord(commandLine, at));
    for (SkipBlanks(commandLine, at); at < commandLine.size(); SkipBlanks(commandLine, at))
        words.push_back(ArgumentWord(commandLine, at));
    return words;
}

}  // namespace os
