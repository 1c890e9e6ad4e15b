// The definitions shipped in hlx/ load, their patterns compile, every section they enter exists,
// and every section ends with a rule that takes any character, so no input text is lost.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/hlx_reader.h"
#include "platform/regexp/regexp.h"

using namespace modHlx;

namespace {

std::vector<std::filesystem::path> ShippedFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(LUMIVAR_SHIPPED_HLX))
        if (entry.path().extension() == ".hlx") files.push_back(entry.path());
    return files;
}

std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// The length of the rule's longest match at the start of the subject.
size_t MatchLengthAtStart(const RuleRecord& rule, const SectionRecord& section, std::u16string_view subject) {
    size_t longest = 0;
    for (const PatternRecord& pattern : rule.Patterns) {
        regexp::RegExp engine;
        engine.setGlobal(true);
        engine.setIgnoreCase(section.IgnoreCase);
        engine.setMultiline(section.MultiLine);
        engine.setPattern(pattern.Pattern);
        regexp::MatchCollection matches = engine.execute(subject);
        if (matches.count() > 0 && matches.item(0).firstIndex() == 0)
            longest = std::max(longest, matches.item(0).length());
    }
    return longest;
}

class ShippedDefinitions : public ::testing::Test {
protected:
    void SetUp() override { setenv("TAVREL_ACP", "65001", 1); }
    void TearDown() override { unsetenv("TAVREL_ACP"); }
};

TEST_F(ShippedDefinitions, TheDefaultDefinitionsAreThere) {
    for (const char* name : {"asp.hlx", "vb.hlx", "c.hlx", "txt.hlx"})
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(LUMIVAR_SHIPPED_HLX) / name)) << name;
}

TEST_F(ShippedDefinitions, EveryPatternCompilesAndEverySectionKeepsAllText) {
    for (const auto& file : ShippedFiles()) {
        SCOPED_TRACE(file.string());
        DefinitionTree tree = ReadHlx(U(file.string()));
        ASSERT_FALSE(tree.Sections.empty());
        for (const auto& [name, section] : tree.Sections) {
            ASSERT_FALSE(section.Rules.empty());
            for (const RuleRecord& rule : section.Rules) {
                EXPECT_NO_THROW(MatchLengthAtStart(rule, section, u"sample text"));
                EXPECT_TRUE(rule.Formats.contains(u"HTML"));
                if (rule.Enter) {
                    EXPECT_TRUE(tree.Sections.contains(*rule.Enter)) << "a rule of a section enters nowhere";
                }
            }
            for (std::u16string_view sample : {u"x", u"\n", u"\r", u"<", u"%", u"*", u"\"", u" "})
                EXPECT_GE(MatchLengthAtStart(section.Rules.back(), section, sample), 1u);
        }
    }
}

}  // namespace
