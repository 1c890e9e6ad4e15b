#include "platform/ui/console_ui.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <mutex>

#include "platform/automation/ascii.h"
#include "platform/text/codepage.h"

namespace ui {

namespace {

std::atomic<bool> gInterrupted{false};

struct CancelHandler {
    std::mutex lock;
    std::function<void()> onCancel;
};

CancelHandler& cancelHandler() {
    static CancelHandler handler;
    return handler;
}

extern "C" void onInterrupt(int) { gInterrupted.store(true); }

const char16_t* buttonName(MsgBoxResult answer) {
    switch (answer) {
    case vbOK: return u"OK";
    case vbCancel: return u"Cancel";
    case vbAbort: return u"Abort";
    case vbRetry: return u"Retry";
    case vbIgnore: return u"Ignore";
    case vbYes: return u"Yes";
    case vbNo: return u"No";
    }
    return u"OK";
}

// The button whose name the reply begins with (letters compared without case), if any.
std::optional<MsgBoxResult> matchReply(uint32_t style, const std::u16string& reply) {
    size_t start = reply.find_first_not_of(u" \t");
    if (start == std::u16string::npos) return DefaultAnswer(style);
    for (int i = 0; i < ButtonCount(style); ++i) {
        MsgBoxResult answer = ButtonAnswer(style, i);
        if (automation::AsciiLower(reply[start]) == automation::AsciiLower(buttonName(answer)[0])) return answer;
    }
    return std::nullopt;
}

std::u16string buttonList(uint32_t style) {
    std::u16string list;
    for (int i = 0; i < ButtonCount(style); ++i) {
        if (i) list += u'/';
        list += buttonName(ButtonAnswer(style, i));
    }
    return list;
}

}  // namespace

ConsoleServices::ConsoleServices() : ConsoleServices(stdin, stderr, isatty(STDIN_FILENO) != 0) {}

ConsoleServices::ConsoleServices(FILE* in, FILE* err, bool interactive) : in_(in), err_(err), interactive_(interactive) {}

std::optional<std::u16string> ConsoleServices::askLine(const std::u16string& prompt) {
    std::fputs(text::TextToAnsi(prompt).c_str(), err_);
    std::fflush(err_);
    std::string line;
    int c;
    while ((c = std::fgetc(in_)) != EOF && c != '\n') line += char(c);
    if (c == EOF && line.empty()) return std::nullopt;
    return text::AnsiToText(line);
}

MsgBoxResult ConsoleServices::messageBox(const std::u16string& text, uint32_t style, const std::u16string& title) {
    std::u16string shown = title.empty() ? text : title + u": " + text;
    std::fputs((text::TextToAnsi(shown) + "\n").c_str(), err_);
    std::fflush(err_);
    if (ButtonCount(style) == 1) return ButtonAnswer(style, 0);
    if (!interactive_) return UnattendedAnswer(style);
    while (true) {
        auto reply = askLine(u"[" + buttonList(style) + u"] ");
        if (!reply) return UnattendedAnswer(style);
        if (auto answer = matchReply(style, *reply)) return *answer;
    }
}

std::optional<std::u16string> ConsoleServices::fileDialog(const FileDialogRequest& request) {
    if (!interactive_) return std::nullopt;
    auto reply = askLine(request.title + u" (" + request.initialDir + u"): ");
    if (!reply || reply->empty()) return std::nullopt;
    return reply;
}

std::optional<std::u16string> ConsoleServices::browseFolder(const std::u16string& title, const std::u16string& initialDir) {
    if (!interactive_) return std::nullopt;
    auto reply = askLine(title + u" (" + initialDir + u"): ");
    if (!reply || reply->empty()) return std::nullopt;
    return reply;
}

void ConsoleServices::processPendingEvents() {
    if (!gInterrupted.exchange(false)) return;
    std::function<void()> onCancel;
    {
        std::lock_guard guard(cancelHandler().lock);
        onCancel = cancelHandler().onCancel;
    }
    if (onCancel) onCancel();
}

void ConsoleServices::catchInterrupt(std::function<void()> onCancel) {
    {
        std::lock_guard guard(cancelHandler().lock);
        cancelHandler().onCancel = std::move(onCancel);
    }
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace ui
