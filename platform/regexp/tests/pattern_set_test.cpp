#include "platform/regexp/pattern_set.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using regexp::KeywordList;
using regexp::KeywordSet;
using regexp::Pattern;
using regexp::PatternSet;
using regexp::Span;

std::string Printable(std::u16string_view text) {
    std::string out;
    for (char16_t unit : text) out += unit >= 0x20 && unit < 0x7F ? std::string(1, char(unit)) : "\\u" + std::to_string(unsigned(unit));
    return out;
}

// The global match list of a pattern from the subject's start, by searches.
std::vector<Span> GlobalMatches(Pattern& pattern, std::u16string_view subject) {
    std::vector<Span> matches;
    for (size_t from = 0; from <= subject.size();) {
        std::optional<Span> span = pattern.searchFrom(subject, from);
        if (!span) break;
        matches.push_back(*span);
        from = span->end + (span->length() == 0 ? 1 : 0);
    }
    return matches;
}

struct Best {
    uint32_t pattern = PatternSet::kNone;
    size_t end = 0;
    bool operator==(const Best&) const = default;
};

void Keep(Best& best, uint32_t pattern, size_t start, size_t end) {
    if (end == start) return;
    const size_t length = best.pattern == PatternSet::kNone ? 0 : best.end - start;
    if (end - start > length || (end - start == length && pattern < best.pattern)) best = Best{pattern, end};
}

// At every position of generated subjects the set's longest match (lowest pattern on ties) among
// the patterns a position decides is the one their global match lists hold; the rest are searched.
TEST(PatternSetTest, AnswersWhatGlobalSearchesFind) {
    struct Case {
        std::vector<const char16_t*> patterns;
        bool ignoreCase;
        std::vector<uint32_t> searched;
    };
    const std::vector<Case> cases = {
        {{u"\\b(if|else)\\b", u"\\w+", u"\\s+", u".", u"[^a-z]"}, false, {}},
        {{u"\\bab\\b", u"[A-Za-z_]\\w*", u"a|b", u"\\\\[\\s\\S]", u"(\\s+)", u"a\\w+", u"^a"}, false, {5, 6}},
        {{u"\\b(?:AB|b1|if)\\b", u"[a-z]+", u"\u4E00+", u"[\\s\\S]", u"\\d+"}, true, {2}},
        {{u"\\bwhile\\b", u"[^a]+", u"\\\\\\\\", u"\\\\a", u"x"}, false, {}},
        // Listed names: a match ends with its run of name units, and one that began earlier in
        // the run takes later starts in.
        {{u"(?:a(?:b|-b?)?|b|if|x-?)(?![\\w\u00E9'?-])", u"[\\w'?-]+", u"."}, false, {}},
        {{u"\\b(a|b'a|if|e)(?![\\w'])", u"\\w+", u"[\\s\\S]"}, false, {}},
        {{u"(?:a|if)(?![\\w-])", u"(?:a|)(?![a-z])", u"(?:ab|c)(?![ac])", u"(?:a+|b)(?![ab])", u"(a(b))(?![ab])"}, false, {1, 2, 3, 4}},
        {{u"(?:a|if)(?![\\w-])", u"x"}, true, {0}},
        // Names that a delimiter or the end follows: every other unit is a name unit.
        {{u"(?:if|else|ifelse)(?=[\\s()/]|$)", u"(?:a|ab)(?=$|[\\s/])", u"(?:if|a)(?=[ (]|$)", u"[^\\s()/]+", u"."},
         false, {2}},
        // Runs that a one-unit lookahead ends (matched only where the unit after the run passes), and
        // runs that take one more unit of a set when it follows.
        {{u"[a-z][\\w-]*(?=[(\\s])", u"\\w+(?=a)", u"[\\w-]+(?=\\()", u"x"}, true, {1}},
        {{u"[a-z]\\w*(?=[ \\t]*\\()", u"\\w+(?=\\s*a)", u"[\\w-]+(?=[ (]*\\()", u"[a-z]+(?= *[ (])", u"."}, false, {1}},
        {{u"[a-z]\\w*[?(]?", u"\\w+-?", u"[-\\w]+\\(??", u"\\w+\\w?", u"."}, false, {2, 3}},
        // Matches that begin with units no match takes later: the try at a position decides.
        {{u"\\$[a-z]\\w*", u"</?[A-Za-z][\\w:.-]*", u"&(?:#\\d+|[a-z]+);", u"\\b\\(a?b", u"<[^>]*>", u"/?>", u"."},
         true, {4, 5}},
        {{u"\\b[A-Z_]\\w*", u"\\b\\d+\\b", u"\\b[a-z][\\w']*", u"[\\s\\S]"}, false, {2}},
        // Alternatives of single units apart from a decided pattern: matched alone where they stand.
        // Not apart where a match of the rest may hold the unit (`-`, `a`). A run after an
        // optional unit.
        {{u"\\b(?:if|else)\\b|~|;", u"[A-Za-z][\\w-]*|\\*|(?:\\$)", u"\\$[a-z]\\w*|/", u"[\\w-]+|-", u"\\w+|a", u"-?[a-z][\\w-]*|@",
          u"[\\s\\S]"},
         false, {3, 4}},
    };
    const std::u16string alphabet = u"abAB1_ \n\\\\ifelse\u00E9\u4E00(x-'?$<&;/>~*@";
    std::mt19937 random(7);
    for (const Case& c : cases) {
        std::vector<std::shared_ptr<Pattern>> patterns;
        for (const char16_t* source : c.patterns) patterns.push_back(std::make_shared<Pattern>(source, regexp::Options{c.ignoreCase, false}));
        PatternSet set(patterns);
        EXPECT_EQ(c.searched, set.searched()) << Printable(c.patterns[0]);
        for (int round = 0; round < 200; ++round) {
            std::u16string subject;
            for (size_t n = random() % 40; n > 0; --n) subject += alphabet[random() % alphabet.size()];
            std::vector<Best> expected(subject.size());
            for (uint32_t index = 0; index < patterns.size(); ++index) {
                if (std::count(c.searched.begin(), c.searched.end(), index)) continue;
                for (const Span& span : GlobalMatches(*patterns[index], subject)) {
                    if (span.start < subject.size()) Keep(expected[span.start], index, span.start, span.end);
                }
            }
            for (size_t at = 0; at < subject.size(); ++at) {
                Best found;
                set.matchesAt(subject, at, [&](uint32_t pattern, size_t end) { Keep(found, pattern, at, end); });
                ASSERT_EQ(expected[at], found) << Printable(c.patterns[0]) << " on \"" << Printable(subject) << "\" at " << at;
            }
        }
    }
}

TEST(PatternSetTest, KeywordSetLooksUpWholeWords) {
    KeywordList list;
    list.words = {u"if", u"else", u"continue", u"restricted_word"};
    KeywordSet exact(list);
    EXPECT_TRUE(exact.contains(u"if"));
    EXPECT_TRUE(exact.contains(u"continue"));
    EXPECT_TRUE(exact.contains(u"restricted_word"));
    EXPECT_FALSE(exact.contains(u"i"));
    EXPECT_FALSE(exact.contains(u"iff"));
    EXPECT_FALSE(exact.contains(u"IF"));
    EXPECT_FALSE(exact.contains(u"restricted_wore"));
    list.ignoreCase = true;
    KeywordSet folded(list);
    EXPECT_TRUE(folded.contains(u"IF"));
    EXPECT_TRUE(folded.contains(u"Restricted_Word"));
    EXPECT_FALSE(folded.contains(u"elsE_"));
    // Enough words for the table's slots to collide: each is found, a one-unit change of it not.
    list.words.clear();
    for (char16_t a = u'a'; a <= u'z'; ++a) list.words.push_back(std::u16string{a, u'x', a});
    KeywordSet many(list);
    for (const std::u16string& word : list.words) {
        EXPECT_TRUE(many.contains(word)) << Printable(word);
        EXPECT_FALSE(many.contains(std::u16string{word[0], u'y', word[2]})) << Printable(word);
    }
}

}  // namespace
