// The conversion job end to end on real files, with the message boxes recorded: each case sets
// up files, runs one job and checks the boxes, the outcome and the output file.
#include "engine/conversion_job.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "engine/format_progress.h"
#include "platform/text/codepage.h"
#include "platform/ui/scripted_ui.h"
#include "tests/support/temp_dir.h"

namespace {

using engine::JobOutcome;
namespace fs = std::filesystem;

std::string Utf8(const std::u16string& text) { return text::TextToBytes(text, 65001); }

class RecordingHost : public engine::JobHost {
public:
    explicit RecordingHost(fs::path folder) : folder_(std::move(folder)) {}
    std::u16string appTitleWithVersion() const override { return u"Lumivar (1.0.0)"; }
    std::u16string appTitle() const override { return u"Lumivar"; }
    std::u16string programFolder() const override { return folder_.u16string(); }
    void showProgress() override { shown = true; }
    void setProgressMaximum(int32_t maximum) override { this->maximum = maximum; }
    void setProgressValue(int32_t) override {}
    void hideProgress() override {
        shown = false;
        if (onHide) onHide();
    }
    bool showOutputChecked() const override { return false; }

    bool shown = false;
    std::function<void()> onHide;  // runs when formatting has ended, before the output is put in place
    int32_t maximum = -1;

private:
    fs::path folder_;
};

void Write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::string kPlain = "[Plain]\nHEADER-HTML=<pre>\nFOOTER-HTML=</pre>\nPATTERN=<\nFORMAT-HTML=<b>$$</b>\n"
                           "PATTERN=[\\s\\S]\nFORMAT-HTML=$$\n";

struct Case {
    const char* name;
    std::function<void(const fs::path&, engine::JobRequest&)> setUp;
    std::vector<ui::MsgBoxResult> answers;
    JobOutcome outcome;
    std::u16string box;   // the one box expected ("" none); "~" + text: its start only
    std::string output;   // what out.html holds afterwards
};

const Case kCases[] = {
    {"output exists, mode 0: refused, nothing read",
     [](const fs::path& d, engine::JobRequest& r) { Write(d / "out.html", "old"); r.overwritemode = 0; },
     {}, JobOutcome::NotOverwritten,
     u"The output file already existed and overwrite was not allowed (@/out.html). The process was aborted", "old"},
    {"output exists, mode 7 acts like 0",
     [](const fs::path& d, engine::JobRequest& r) { Write(d / "out.html", "old"); r.overwritemode = 7; },
     {}, JobOutcome::NotOverwritten, u"~The output file already existed", "old"},
    {"output exists, mode 2, answered No: no further box",
     [](const fs::path& d, engine::JobRequest& r) { Write(d / "out.html", "old"); r.overwritemode = 2; },
     {ui::vbNo}, JobOutcome::NotOverwritten,
     u"The file \"@/out.html\" already exists.\r\n\r\nDo you want to overwrite this file?", "old"},
    {"output exists, mode 1: replaced",
     [](const fs::path& d, engine::JobRequest& r) { Write(d / "out.html", "old"); r.overwritemode = 1; },
     {}, JobOutcome::Written, u"", "<pre>a<b>&lt;</b>b</pre>"},
    {"no definition named: the extension's, from hlx beside the program",
     [](const fs::path& d, engine::JobRequest& r) {
         Write(d / "in.bas", "a<b");
         Write(d / "hlx/vb.hlx", kPlain);
         r.inputfilename = (d / "in.bas").u16string();
         r.hlxfile.clear();
     },
     {}, JobOutcome::Written, u"", "<pre>a<b>&lt;</b>b</pre>"},
    {"no definition for the extension: the first line chooses, in hlxfolder",
     [](const fs::path& d, engine::JobRequest& r) {
         Write(d / "run", "#!/bin/sh\na<b");
         Write(d / "defs/sh.hlx", kPlain);
         r.inputfilename = (d / "run").u16string();
         r.hlxfile.clear();
         r.hlxfolder = Variant::fromString((d / "defs").u16string());
     },
     {}, JobOutcome::Written, u"", "<pre>#!/bin/sh\na<b>&lt;</b>b</pre>"},
    {"nothing chooses a definition: the extension's name fails to load",
     [](const fs::path& d, engine::JobRequest& r) {
         Write(d / "README", "a<b");
         r.inputfilename = (d / "README").u16string();
         r.hlxfile.clear();
     },
     {}, JobOutcome::Failed, u"Unable to load the HLX file (@/hlx/.hlx). The input path or file was not found.", ""},
    {"a bare definition name goes into hlxfolder",
     [](const fs::path& d, engine::JobRequest& r) {
         fs::rename(d / "def.hlx", d / "defs/def.hlx");
         r.hlxfile = u"def.hlx";
         r.hlxfolder = Variant::fromString((d / "defs").u16string());
     },
     {}, JobOutcome::Written, u"", "<pre>a<b>&lt;</b>b</pre>"},
    {"missing input",
     [](const fs::path& d, engine::JobRequest& r) { r.inputfilename = (d / "none.txt").u16string(); },
     {}, JobOutcome::Failed, u"Unable to load input file (@/none.txt). The input path or file was not found.", ""},
    {"the input read ahead: taken",
     [](const fs::path& d, engine::JobRequest& r) {
         r.inputReadAhead = std::make_shared<engine::InputReadAhead>((d / "in.txt").u16string());
     },
     {}, JobOutcome::Written, u"", "<pre>a<b>&lt;</b>b</pre>"},
    {"a read ahead of another file: the input is read now",
     [](const fs::path& d, engine::JobRequest& r) {
         Write(d / "other.txt", "zzz");
         r.inputReadAhead = std::make_shared<engine::InputReadAhead>((d / "other.txt").u16string());
     },
     {}, JobOutcome::Written, u"", "<pre>a<b>&lt;</b>b</pre>"},
    {"missing input read ahead: the same box",
     [](const fs::path& d, engine::JobRequest& r) {
         r.inputfilename = (d / "none.txt").u16string();
         r.inputReadAhead = std::make_shared<engine::InputReadAhead>(r.inputfilename);
     },
     {}, JobOutcome::Failed, u"Unable to load input file (@/none.txt). The input path or file was not found.", ""},
    {"missing definition",
     [](const fs::path& d, engine::JobRequest& r) { r.hlxfile = (d / "none.hlx").u16string(); },
     {}, JobOutcome::Failed, u"Unable to load the HLX file (@/none.hlx). The input path or file was not found.", ""},
    {"a definition without sections",
     [](const fs::path& d, engine::JobRequest&) { Write(d / "def.hlx", "'nothing\n"); },
     {}, JobOutcome::Failed,
     u"Error in processing file.\r\nError 9, Subscript out of range\r\nHint: Initialize progress bar", ""},
    {"an invalid pattern",
     [](const fs::path& d, engine::JobRequest&) { Write(d / "def.hlx", "[S]\nPATTERN=*x\nFORMAT-HTML=$$\n"); },
     {}, JobOutcome::Failed, u"~Error in processing file.\r\nError 5018, Error searching for pattern: *x", ""},
    {"an invalid pattern leaves an existing output as it was",
     [](const fs::path& d, engine::JobRequest& r) {
         Write(d / "out.html", "old");
         Write(d / "def.hlx", "[S]\nHEADER-HTML=<pre>\nPATTERN=a\nFORMAT-HTML=$$\nENTER-SECTION=T\n[T]\nPATTERN=*x\n");
         r.overwritemode = 1;
     },
     {}, JobOutcome::Failed, u"~Error in processing file.\r\nError 5018, Error searching for pattern: *x", "old"},
    {"output folder missing",
     [](const fs::path& d, engine::JobRequest& r) { r.destfile = (d / "none/out.html").u16string(); },
     {}, JobOutcome::Failed, u"~Unable to write output file (@/none/out.html).Error writing the file @/none/out.html", ""},
    {"output device full while formatting",
     [](const fs::path&, engine::JobRequest& r) { r.destfile = u"/dev/full"; r.overwritemode = 1; },
     {}, JobOutcome::Failed, u"~Unable to write output file (/dev/full).Error writing the file /dev/full", ""},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class ConversionJob : public ::testing::TestWithParam<Case> {};

TEST_P(ConversionJob, ShowsItsBoxesAndWritesWhatItShould) {
    const Case& c = GetParam();
    testsupport::TempDir dir;
    fs::create_directories(dir / "defs");
    Write(dir / "in.txt", "a<b");
    Write(dir / "def.hlx", kPlain);
    engine::JobRequest request;
    request.inputfilename = (dir / "in.txt").u16string();
    request.destfile = (dir / "out.html").u16string();
    request.hlxfile = (dir / "def.hlx").u16string();
    c.setUp(dir.path(), request);
    ui::ScopedScriptedServices scripted;
    scripted->answers.assign(c.answers.begin(), c.answers.end());
    RecordingHost host(dir.path());

    EXPECT_EQ(c.outcome, engine::RunConversion(host, request));

    std::u16string expected = c.box;
    for (auto at = expected.find(u'@'); at != std::u16string::npos; at = expected.find(u'@'))
        expected.replace(at, 1, dir.path().u16string());
    ASSERT_EQ(expected.empty() ? 0u : 1u, scripted->boxes.size());
    if (!expected.empty() && expected[0] == u'~') {
        EXPECT_EQ(0u, scripted->boxes[0].text.find(expected.substr(1))) << Utf8(scripted->boxes[0].text);
    } else if (!expected.empty()) {
        EXPECT_EQ(Utf8(expected), Utf8(scripted->boxes[0].text));
    }
    EXPECT_EQ(c.output, Read(dir / "out.html"));
    EXPECT_FALSE(host.shown);
    EXPECT_EQ(ui::MousePointer::Default, scripted->pointer);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConversionJob, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// Another writer put the output in place while this job formatted: in modes 0 and 2 its file
// stays and the job is refused as if the file had been there at the start; mode 1 replaces it.
TEST(ConversionJobRace, AnOutputThatAppearedMeanwhileIsReplacedOnlyInMode1) {
    for (LONG mode : {0, 2, 1}) {
        testsupport::TempDir dir;
        Write(dir / "in.txt", "a<b");
        Write(dir / "def.hlx", kPlain);
        ui::ScopedScriptedServices scripted;
        RecordingHost host(dir.path());
        host.onHide = [&] { Write(dir / "out.html", "theirs"); };
        engine::JobRequest request;
        request.inputfilename = (dir / "in.txt").u16string();
        request.destfile = (dir / "out.html").u16string();
        request.hlxfile = (dir / "def.hlx").u16string();
        request.overwritemode = mode;

        JobOutcome outcome = engine::RunConversion(host, request);

        if (mode == 1) {
            EXPECT_EQ(JobOutcome::Written, outcome);
            EXPECT_EQ("<pre>a<b>&lt;</b>b</pre>", Read(dir / "out.html"));
            continue;
        }
        EXPECT_EQ(JobOutcome::NotOverwritten, outcome) << mode;
        EXPECT_EQ("theirs", Read(dir / "out.html"));
        ASSERT_EQ(1u, scripted->boxes.size());
        EXPECT_EQ(Utf8(u"The output file already existed and overwrite was not allowed (" + request.destfile +
                       u"). The process was aborted"),
                  Utf8(scripted->boxes[0].text));
        EXPECT_EQ(ui::MousePointer::Default, scripted->pointer);
        EXPECT_EQ(3, std::distance(fs::directory_iterator(dir.path()), {}));  // no temporary file left
    }
}

// A cancel once formatting has begun writes the partial output with its footers; one before
// any input was formatted (here at the first processing of events, while the input is read)
// writes nothing and leaves the old output.
TEST(ConversionJobCancel, WritesThePartialOutputOnlyAfterFormattingBegan) {
    testsupport::TempDir dir;
    Write(dir / "in.txt", std::string(1 << 20, 'a'));
    Write(dir / "def.hlx", kPlain);
    RecordingHost host(dir.path());
    engine::JobRequest request;
    request.inputfilename = (dir / "in.txt").u16string();
    request.destfile = (dir / "out.html").u16string();
    request.hlxfile = (dir / "def.hlx").u16string();
    request.overwritemode = 1;
    ui::ScopedScriptedServices scripted;

    Write(dir / "out.html", "old");
    scripted->onPump = [] { gCancelled = true; };
    EXPECT_EQ(JobOutcome::Cancelled, engine::RunConversion(host, request));
    EXPECT_EQ("old", Read(dir / "out.html"));

    host.maximum = -1;
    scripted->onPump = [&host] { gCancelled = host.maximum >= 0; };  // from the first progress report on
    EXPECT_EQ(JobOutcome::Written, engine::RunConversion(host, request));
    std::string output = Read(dir / "out.html");
    EXPECT_LT(output.size(), (1u << 20) + 11);
    EXPECT_LT(11u, output.size());
    EXPECT_EQ("<pre>", output.substr(0, 5));
    EXPECT_EQ("</pre>", output.substr(output.size() - 6));
    EXPECT_EQ(1 << 20, host.maximum);
}

}  // namespace
