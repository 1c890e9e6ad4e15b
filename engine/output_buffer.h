// The formatter's output on its way out: appends and HTML escaping write straight into one
// growing block of units, which is handed on (to a sink or the caller's string) in pieces: when
// the formatter flushes it, and while a long text is escaped, so that the block stays small
// however long one match is. Escaped copies of adjoining stretches of the input (most steps
// copy their match) are gathered and escaped together when anything else is written; a long
// one may go to a drain of its own unescaped, for the sink to escape.
#pragma once

#include <functional>
#include <string_view>

#include "components/strings/html_escape.h"
#include "platform/text/growing_block.h"

namespace engine::detail {

class OutputBuffer {
public:
    using Drain = std::function<void(std::u16string_view)>;

    // drain takes the units held when they reach `limit` during escaping, and at every flush.
    // escapedDrain, when given, takes long escaped copies unescaped, after the units before them
    // (for a sink that escapes on its way out).
    OutputBuffer(Drain drain, size_t limit, Drain escapedDrain = nullptr)
        : drain_(std::move(drain)), escapedDrain_(std::move(escapedDrain)), limit_(limit) {}

    void append(std::u16string_view text) {
        if (text.empty()) return;
        writeCopy();
        held_.append(text);
    }
    void append(char16_t unit) {
        writeCopy();
        char16_t* end = held_.room(1);
        *end = unit;
        held_.commit(end + 1);
    }

    // Appends the text escaped for HTML (strings::EncodeHTML). The text must stay where it is
    // until the next call: the escaping waits, so that it is done once for text that the next
    // copy continues.
    void copyEscaped(std::u16string_view text) {
        if (text.empty()) return;
        if (text.data() != copy_.data() + copy_.size() || copy_.size() >= limit_) {
            writeCopy();
            copy_ = text;
        } else {
            copy_ = std::u16string_view(copy_.data(), copy_.size() + text.size());
        }
    }

    // The units held, with the waiting copy counted unescaped.
    size_t roughSize() const { return held_.size() + copy_.size(); }
    size_t size() {
        writeCopy();
        return held_.size();
    }
    // Hands the units held to the drain.
    void flush() {
        writeCopy();
        drainHeld();
    }

private:
    // Most calls find no copy waiting: that test stays inline, apart from the work.
    void writeCopy() {
        if (!copy_.empty()) writeWaitingCopy();
    }
    void writeWaitingCopy() {
        const std::u16string_view text = copy_;
        copy_ = {};
        constexpr size_t kLongCopy = 1024;  // a call of its own costs nothing against escaping this much
        if (escapedDrain_ && text.size() >= kLongCopy) {
            if (!held_.empty()) drainHeld();
            escapedDrain_(text);
        } else {
            escape(text);
        }
    }
    void escape(std::u16string_view text) {
        constexpr size_t kPiece = 4096;  // escaped a piece at a time, so the room asked for stays small
        while (text.size() > kPiece) {
            appendEscapedPiece(text.substr(0, kPiece));
            text.remove_prefix(kPiece);
            if (held_.size() >= limit_) drainHeld();
        }
        appendEscapedPiece(text);
    }
    void appendEscapedPiece(std::u16string_view text) {
        held_.commit(strings::EscapeHtmlInto(text, held_.room(strings::HtmlEscapeRoom(text.size()))));
    }

    void drainHeld() {
        drain_(held_.view());
        held_.clear();
    }

    Drain drain_;
    Drain escapedDrain_;
    size_t limit_;
    text::GrowingBlock<char16_t> held_;
    std::u16string_view copy_;  // escaped copy still to write
};

// Templates fill in views of the formatter's input, which stays in place.
inline void AppendEncodedHTML(OutputBuffer& out, std::u16string_view text) { out.copyEscaped(text); }

}  // namespace engine::detail
