// Shared helpers of the regular-expression tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/regexp/regexp.h"
#include "platform/regexp/regexp_error.h"
#include "tests/support/raised_error.h"

namespace regexptest {

struct Found {
    size_t index;
    std::u16string value;
    bool operator==(const Found&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Found& f) {
    os << f.index << ":\"";
    for (char16_t c : f.value) {
        if (c >= 0x20 && c < 0x7F) os << char(c);
        else os << "\\u" << std::hex << unsigned(c) << std::dec;
    }
    return os << '"';
}

struct Flags {
    bool ignoreCase = false;
    bool multiline = false;
    bool global = true;
};

inline regexp::MatchCollection Execute(std::u16string_view pattern, std::u16string_view subject, Flags flags = {}) {
    regexp::RegExp re;
    re.setPattern(pattern);
    re.setIgnoreCase(flags.ignoreCase);
    re.setMultiline(flags.multiline);
    re.setGlobal(flags.global);
    return re.execute(subject);
}

// Every match as position and text.
inline std::vector<Found> All(std::u16string_view pattern, std::u16string_view subject, Flags flags = {}) {
    regexp::MatchCollection matches = Execute(pattern, subject, flags);
    std::vector<Found> found;
    for (size_t i = 0; i < matches.count(); ++i) {
        regexp::Match m = matches.item(i);
        found.push_back({m.firstIndex(), m.value()});
    }
    return found;
}

using testsupport::ErrorNumberOf;
using testsupport::ErrorOf;

inline LONG CompileError(std::u16string_view pattern, Flags flags = {}) {
    return ErrorNumberOf([&] { Execute(pattern, u"subject", flags); });
}

}  // namespace regexptest
