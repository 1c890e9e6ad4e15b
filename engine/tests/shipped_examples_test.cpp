// The shipped definitions against the example inputs in hlx/tests/examples (listed, with the
// definition each is meant for, in examples.tsv): each example is found as the program finds it and
// formats to its golden HTML in hlx/tests/golden; every definition keeps the text of every example
// whole, with each span closed; every definition begins and ends with the look of hlx/tests/look.txt.
// LUMIVAR_UPDATE_GOLDEN=1 writes the golden files instead of comparing with them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/definition_choice.h"
#include "engine/hlx_reader.h"
#include "engine/section_formatter.h"
#include "engine/tests/formatter_test_support.h"
#include "platform/text/codepage.h"
#include "tests/support/scoped_env.h"

namespace fs = std::filesystem;
using namespace modHlx;

namespace {

const fs::path kHlx = LUMIVAR_SHIPPED_HLX;
const fs::path kExamples = kHlx / "tests" / "examples";
const fs::path kGolden = kHlx / "tests" / "golden";

struct Example {
    std::string file;
    std::string definition;
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::u16string FromUtf8(const std::string& bytes) {
    std::u16string text(bytes.size(), u'\0');
    int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), int(bytes.size()), text.data(), int(text.size()));
    text.resize(length);
    return text;
}

std::string ToUtf8(const std::u16string& text) {
    std::string bytes(text.size() * 3, '\0');
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), int(bytes.size()),
                                     nullptr, nullptr);
    bytes.resize(length);
    return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<Example> Examples() {
    std::vector<Example> examples;
    for (const std::string& line : Lines(ReadBytes(kExamples / "examples.tsv"))) {
        if (line.empty() || line[0] == '#' || line.rfind("example\t", 0) == 0) continue;
        size_t tab = line.find('\t');
        examples.push_back({line.substr(0, tab), line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1)});
    }
    return examples;
}

// The definitions themselves: the further extensions are links to them.
std::vector<fs::path> Definitions() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kHlx))
        if (entry.path().extension() == ".hlx" && !entry.is_symlink()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

DefinitionTree Load(const fs::path& definition) { return ReadHlx(FromUtf8(definition.string())); }

std::u16string Format(const DefinitionTree& tree, const std::u16string& input) {
    std::u16string out;
    LONG ptr = 0;
    formattest::RecordingProgress progress(1u << 30);
    FormatSection(tree, tree.Sections.at(0).value, input, out, ptr, progress);
    return out;
}

// The text a browser shows of the formatter's HTML: the style sheet and the tags left out, the
// entities that the formatter writes decoded. Empty when a span closes that is not open or one
// is left open.
std::optional<std::u16string> VisibleText(std::u16string_view html) {
    static const std::pair<std::u16string_view, char16_t> kEntities[] = {
        {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&nbsp;", u' '}};
    std::u16string text;
    int openSpans = 0;
    for (size_t i = 0; i < html.size();) {
        std::u16string_view rest = html.substr(i);
        if (rest.starts_with(u"<style>")) {
            i = html.find(u"</style>", i) + 8;
        } else if (rest[0] == u'<') {
            if (rest.starts_with(u"<span")) ++openSpans;
            if (rest.starts_with(u"</span>") && --openSpans < 0) return std::nullopt;
            i = html.find(u'>', i) + 1;
        } else if (rest[0] == u'&') {
            auto entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                       [&](const auto& e) { return rest.starts_with(e.first); });
            if (entity == std::end(kEntities)) return std::nullopt;
            text += entity->second;
            i += entity->first.size();
        } else {
            text += rest[0];
            ++i;
        }
    }
    if (openSpans != 0) return std::nullopt;
    return text;
}

class ShippedExamples : public ::testing::Test {
protected:
    void SetUp() override { env_.set("TAVREL_ACP", "65001"); }
    testsupport::ScopedEnv env_;
};

TEST_F(ShippedExamples, EachExampleIsFoundAsTheProgramFindsItAndFormatsToItsGoldenHtml) {
    const bool update = std::getenv("LUMIVAR_UPDATE_GOLDEN") != nullptr;
    std::vector<Example> examples = Examples();
    ASSERT_GE(examples.size(), 30u);
    for (const Example& example : examples) {
        SCOPED_TRACE(example.file);
        const std::u16string file = FromUtf8((kExamples / example.file).string());
        std::string found = ToUtf8(engine::ChooseDefinitionForFile(file, engine::DefinitionsInFolder(FromUtf8(kHlx.string()))));
        if (found != ".hlx") {
            EXPECT_EQ(fs::canonical(kHlx / found), fs::canonical(kHlx / example.definition));
        }
        std::string html = ToUtf8(Format(Load(kHlx / example.definition), FromUtf8(ReadBytes(kExamples / example.file))));
        fs::path golden = kGolden / (example.file + ".html");
        if (update) {
            fs::create_directories(kGolden);
            std::ofstream(golden, std::ios::binary) << html;
        } else {
            EXPECT_TRUE(html == ReadBytes(golden)) << "differs from " << golden;
        }
    }
}

TEST_F(ShippedExamples, EveryDefinitionKeepsTheTextOfEveryExampleAndClosesItsSpans) {
    std::vector<std::pair<std::string, std::u16string>> inputs;
    for (const Example& example : Examples())
        inputs.emplace_back(example.file, FromUtf8(ReadBytes(kExamples / example.file)));
    for (const fs::path& definition : Definitions()) {
        DefinitionTree tree = Load(definition);
        for (const auto& [name, input] : inputs) {
            std::optional<std::u16string> text = VisibleText(Format(tree, input));
            EXPECT_TRUE(text == input) << definition.filename() << " on " << name
                                       << (text ? ": the text differs" : ": the spans do not balance");
        }
    }
}

TEST_F(ShippedExamples, EveryDefinitionHasTheSharedLook) {
    LineList header, footer;
    for (const std::string& line : Lines(ReadBytes(kHlx / "tests" / "look.txt"))) {
        if (line.rfind("HEADER-HTML=", 0) == 0) header.push_back(FromUtf8(line.substr(12)));
        if (line.rfind("FOOTER-HTML=", 0) == 0) footer.push_back(FromUtf8(line.substr(12)));
    }
    ASSERT_FALSE(header.empty());
    for (const fs::path& definition : Definitions()) {
        DefinitionTree tree = Load(definition);
        const SectionRecord& start = tree.Sections.at(0).value;
        const LineList* startHeader = start.Header.find(u"HTML");
        const LineList* startFooter = start.Footer.find(u"HTML");
        EXPECT_TRUE(startHeader && *startHeader == header) << definition.filename();
        EXPECT_TRUE(startFooter && *startFooter == footer) << definition.filename();
    }
}

}  // namespace
