#include "engine/text_streams.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "components/strings/html_escape.h"
#include "platform/text/codepage.h"
#include "tests/support/temp_dir.h"

namespace {

// Sets TAVREL_ACP for the life of the object.
class AnsiCodePage {
public:
    explicit AnsiCodePage(const char* codePage) {
        const char* old = std::getenv("TAVREL_ACP");
        if (old) previous_ = old, hadPrevious_ = true;
        ::setenv("TAVREL_ACP", codePage, 1);
    }
    ~AnsiCodePage() {
        if (hadPrevious_) {
            ::setenv("TAVREL_ACP", previous_.c_str(), 1);
        } else {
            ::unsetenv("TAVREL_ACP");
        }
    }

private:
    std::string previous_;
    bool hadPrevious_ = false;
};

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the sink writes for the text cut into the given pieces; bit i of `escaped` sends piece i
// through writeEscaped.
std::string SinkBytes(const std::vector<std::u16string>& pieces, unsigned escaped = 0) {
    testsupport::TempDir dir;
    std::filesystem::path path = dir / "out";
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    EXPECT_GE(fd, 0);
    engine::AnsiOutputSink sink(fd);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (escaped >> i & 1) {
            sink.writeEscaped(pieces[i]);
        } else {
            sink.write(pieces[i]);
        }
    }
    sink.finish();
    ::close(fd);
    return FileBytes(path);
}

std::u16string Escaped(const std::u16string& text) {
    std::u16string escaped(strings::HtmlEscapeRoom(text.size()), u'\0');
    escaped.resize(size_t(strings::EscapeHtmlInto(text, escaped.data()) - escaped.data()));
    return escaped;
}

std::u16string Joined(const std::vector<std::u16string>& pieces, unsigned escaped = 0) {
    std::u16string text;
    for (size_t i = 0; i < pieces.size(); ++i) text += escaped >> i & 1 ? Escaped(pieces[i]) : pieces[i];
    return text;
}

TEST(AnsiOutputSinkTest, PiecesComeOutAsTheWholeTextWould) {
    std::vector<std::vector<std::u16string>> cases = {
        {u"<pre>a", u"b\u00e9", u"</pre>"},
        {u"x\xD83D", u"\xDE00y"},            // a surrogate pair cut in two
        {u"\xD83D"},                         // a lone lead surrogate at the very end
        {u"caf\xDCE9", u"\xDCFF!"},          // bytes that were not UTF-8 go out as they came in
        {u"", u"\u20AC\u20AC", u"", u"ascii"},
        {u"a <b> & c ", std::u16string(40000, u' ') + u"\xD83D", u"\xDE00 x&y"},  // longer than a piece
    };
    for (const char* codePage : {"65001", "1252", "932", "50220"}) {
        AnsiCodePage acp(codePage);
        for (const auto& pieces : cases) {
            for (unsigned escaped = 0; escaped < 1u << pieces.size(); ++escaped) {
                EXPECT_EQ(text::TextToAnsi(Joined(pieces, escaped)), SinkBytes(pieces, escaped))
                    << "code page " << codePage << ", escaped pieces " << escaped;
            }
        }
    }
}

TEST(AnsiOutputSinkTest, JapaneseThroughAStatefulCodePageIsConvertedWhole) {
    AnsiCodePage acp("50220");
    std::vector<std::u16string> pieces = {u"a\u65E5", u"\u672C", u"b\u8A9E"};
    std::string bytes = SinkBytes(pieces);
    EXPECT_EQ(text::TextToAnsi(Joined(pieces)), bytes);
    // Two shifts into the double-byte set and two back (around the "b"); converted piece by
    // piece, the cut between the first two characters would add a pair.
    EXPECT_EQ(4, std::count(bytes.begin(), bytes.end(), '\x1b'));
}

TEST(ReadAllTextTest, ReadsFilesAndPipesWhole) {
    testsupport::TempDir dir;
    std::string content(3 * 1024 * 1024 + 17, 'x');
    for (size_t i = 0; i < content.size(); i += 4096) content[i] = char(i / 4096);
    std::ofstream(dir / "in", std::ios::binary) << content;
    int fd = ::open((dir / "in").c_str(), O_RDONLY);
    EXPECT_EQ(text::AnsiToText(content), engine::ReadAllText(fd, u"the test input"));
    ::close(fd);

    int pipe[2];
    ASSERT_EQ(0, ::pipe(pipe));
    std::thread writer([&] {
        size_t done = 0;
        while (done < content.size()) {
            ssize_t count = ::write(pipe[1], content.data() + done, std::min<size_t>(content.size() - done, 70000));
            if (count <= 0) break;
            done += size_t(count);
        }
        ::close(pipe[1]);
    });
    std::u16string read = engine::ReadAllText(pipe[0], u"the test input");
    writer.join();
    ::close(pipe[0]);
    EXPECT_EQ(text::AnsiToText(content), read);
}

TEST(ReadAllTextTest, AFolderCannotBeRead) {
    testsupport::TempDir dir;
    int fd = ::open(dir.path().c_str(), O_RDONLY);
    try {
        engine::ReadAllText(fd, u"the test input");
        ADD_FAILURE() << "a folder was read";
    } catch (const ComError& error) {
        EXPECT_EQ(75, error.number());
        EXPECT_EQ(u"Error reading the test input\r\n\r\nReason: Path/File access error\r\nError: 0x4B", error.description());
    }
    ::close(fd);
}

}  // namespace
