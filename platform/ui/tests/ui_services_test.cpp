#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

#include "platform/ui/console_ui.h"
#include "platform/ui/scripted_ui.h"

using namespace ui;

TEST(MessageBoxButtons, AnswersFollowTheStyle) {
    EXPECT_EQ(ButtonCount(vbOKOnly | vbExclamation), 1);
    EXPECT_EQ(ButtonCount(vbYesNoCancel), 3);
    EXPECT_EQ(DefaultAnswer(vbYesNo), vbYes);
    EXPECT_EQ(DefaultAnswer(vbYesNo | vbDefaultButton2), vbNo);
    EXPECT_EQ(DefaultAnswer(vbAbortRetryIgnore | vbDefaultButton3), vbIgnore);
    EXPECT_EQ(UnattendedAnswer(vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(UnattendedAnswer(vbOKCancel), vbCancel);
    EXPECT_EQ(UnattendedAnswer(vbAbortRetryIgnore), vbAbort);
    EXPECT_EQ(UnattendedAnswer(vbExclamation), vbOK);
}

TEST(ScriptedServices, RecordsBoxesAndAnswersFromTheQueue) {
    ScopedScriptedServices scripted;
    scripted->answers.push_back(vbNo);
    EXPECT_EQ(MsgBox(u"Replace?", vbYesNo | vbQuestion, u"Lumivar"), vbNo);
    EXPECT_EQ(MsgBox(u"Again?", vbYesNo), vbYes);  // queue empty: default button
    ASSERT_EQ(scripted->boxes.size(), 2u);
    EXPECT_EQ(scripted->boxes[0].text, u"Replace?");
    EXPECT_EQ(scripted->boxes[0].style, uint32_t(vbYesNo | vbQuestion));
    EXPECT_EQ(scripted->boxes[0].title, u"Lumivar");
}

TEST(ScriptedServices, InstallsAndRestoresThePreviousBackEnd) {
    Services* before = &Current();
    {
        ScopedScriptedServices scripted;
        EXPECT_EQ(&Current(), &*scripted);
        {
            ScopedScriptedServices inner;
            EXPECT_EQ(&Current(), &*inner);
        }
        EXPECT_EQ(&Current(), &*scripted);
    }
    EXPECT_EQ(&Current(), before);
}

TEST(EventPump, PumpsAtMostOncePerInterval) {
    ScopedScriptedServices scripted;
    int hooked = 0;
    scripted->onPump = [&] { ++hooked; };
    EventPump pump(std::chrono::hours(1));
    for (int i = 0; i < 1000; ++i) pump.maybePump();
    EXPECT_EQ(scripted->pumps, 1);
    pump.pumpNow();
    EXPECT_EQ(scripted->pumps, 2);
    EXPECT_EQ(hooked, 2);
}

namespace {
struct MemoryStreams {
    explicit MemoryStreams(const char* input) {
        in = fmemopen(const_cast<char*>(input), strlen(input), "r");
        err = open_memstream(&errText, &errSize);
    }
    ~MemoryStreams() {
        fclose(in);
        fclose(err);
        free(errText);
    }
    std::string written() { fflush(err); return std::string(errText, errSize); }
    FILE* in;
    FILE* err;
    char* errText = nullptr;
    size_t errSize = 0;
};
}  // namespace

TEST(ConsoleServices, AsksAPersonUntilTheReplyNamesAButton) {
    MemoryStreams io("maybe\nn\n");
    ConsoleServices console(io.in, io.err, true);
    EXPECT_EQ(console.messageBox(u"Overwrite the file?", vbYesNoCancel, u"Lumivar"), vbNo);
    std::string shown = io.written();
    EXPECT_NE(shown.find("Lumivar: Overwrite the file?"), std::string::npos);
    EXPECT_NE(shown.find("[Yes/No/Cancel]"), std::string::npos);
}

TEST(ConsoleServices, WithoutAPersonQuestionsAreAnsweredNo) {
    MemoryStreams io("y\n");
    ConsoleServices console(io.in, io.err, false);
    EXPECT_EQ(console.messageBox(u"Overwrite?", vbYesNo, {}), vbNo);
    EXPECT_EQ(console.messageBox(u"Note", vbOKOnly | vbInformation, {}), vbOK);
    EXPECT_FALSE(console.fileDialog({}));
    EXPECT_NE(io.written().find("Note"), std::string::npos);
}

TEST(ConsoleServices, EndOfInputCountsAsNobodyAnswering) {
    MemoryStreams io("");
    ConsoleServices console(io.in, io.err, true);
    EXPECT_EQ(console.messageBox(u"Retry?", vbRetryCancel, {}), vbCancel);
}

TEST(ConsoleServices, InterruptReachesTheCancelHandlerAtTheNextPump) {
    MemoryStreams io("");
    ConsoleServices console(io.in, io.err, false);
    int cancels = 0;
    ConsoleServices::catchInterrupt([&] { ++cancels; });
    console.processPendingEvents();
    EXPECT_EQ(cancels, 0);
    std::raise(SIGINT);
    console.processPendingEvents();
    console.processPendingEvents();
    EXPECT_EQ(cancels, 1);
    ConsoleServices::catchInterrupt(nullptr);
    std::signal(SIGINT, SIG_DFL);
}
