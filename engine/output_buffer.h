// The formatter's output on its way out: appends and HTML escaping write straight into one
// growing block of units, which is handed on (to a sink or the caller's string) in pieces: when
// the formatter flushes it, and while a long text is escaped, so that the block stays small
// however long one match is. Escaped copies of adjoining stretches of the input (most steps
// copy their match) are gathered and escaped together when anything else is written; a long
// one may go to a drain of its own unescaped, for the sink to escape.
#pragma once

#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

#include "components/strings/html_escape.h"

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
        char16_t* end = reserve(text.size());
        std::memcpy(end, text.data(), text.size() * sizeof(char16_t));
        size_ += text.size();
    }
    void append(char16_t unit) {
        writeCopy();
        *reserve(1) = unit;
        ++size_;
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
    size_t roughSize() const { return size_ + copy_.size(); }
    size_t size() {
        writeCopy();
        return size_;
    }
    // Hands the units held to the drain.
    void flush() {
        writeCopy();
        drainHeld();
    }

private:
    void writeCopy() {
        if (copy_.empty()) return;
        const std::u16string_view text = copy_;
        copy_ = {};
        constexpr size_t kLongCopy = 1024;  // a call of its own costs nothing against escaping this much
        if (escapedDrain_ && text.size() >= kLongCopy) {
            if (size_) drainHeld();
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
            if (size_ >= limit_) drainHeld();
        }
        appendEscapedPiece(text);
    }
    void appendEscapedPiece(std::u16string_view text) {
        char16_t* end = strings::EscapeHtmlInto(text, reserve(strings::HtmlEscapeRoom(text.size())));
        size_ = size_t(end - data_.get());
    }

    void drainHeld() {
        drain_(std::u16string_view(data_.get(), size_));
        size_ = 0;
    }

    // Room for `more` units after the end; returns where the end is.
    char16_t* reserve(size_t more) {
        if (capacity_ - size_ < more) grow(more);
        return data_.get() + size_;
    }
    void grow(size_t more) {
        size_t capacity = std::max(capacity_ * 2, size_ + more);
        capacity = std::max<size_t>(capacity, 1024);
        std::unique_ptr<char16_t[]> data(new char16_t[capacity]);
        if (size_) std::memcpy(data.get(), data_.get(), size_ * sizeof(char16_t));
        data_ = std::move(data);
        capacity_ = capacity;
    }

    Drain drain_;
    Drain escapedDrain_;
    size_t limit_;
    std::unique_ptr<char16_t[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
    std::u16string_view copy_;  // escaped copy still to write
};

// Templates fill in views of the formatter's input, which stays in place.
inline void AppendEncodedHTML(OutputBuffer& out, std::u16string_view text) { out.copyEscaped(text); }

}  // namespace engine::detail
