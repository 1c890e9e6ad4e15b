#include "engine/text_streams.h"

#include <algorithm>
#include <system_error>

#include "components/strings/html_escape.h"
#include "platform/automation/error_numbers.h"
#include "platform/os/file_errors.h"
#include "platform/os/file_io.h"
#include "platform/text/codepage.h"
#include "platform/text/utf8_text.h"

namespace engine {

namespace {

using automation::IsLeadSurrogate;

// Code pages whose bytes depend on the characters before them.
bool IsStateful(UINT codePage) {
    switch (codePage) {
    case 50220: case 50221: case 50222: case 50225: case 50227: case 50229: case 52936: case 65000: return true;
    default: return false;
    }
}

}  // namespace

std::u16string ReadAllText(int fd, std::u16string_view what, const fileio::StopRequest& stop) {
    try {
        return fileerrors::ReadTextToEndOrRaise(fd, {}, errsource::kProgram, stop);
    } catch (const ComError& cause) {
        throw ComError(cause.number(), errsource::kProgram,
                       DescriptionWithReason(u"Error reading " + std::u16string(what), cause));
    }
}

AnsiOutputSink::AnsiOutputSink(int fd)
    : AnsiOutputSink([fd](std::string_view bytes) {
          try {
              fileio::WriteAll(fd, bytes);
          } catch (const std::system_error& error) {
              throw fileerrors::ErrorForErrno(error.code().value(), {}, errsource::kProgram);
          }
      }) {}

AnsiOutputSink::AnsiOutputSink(ByteWriter writer)
    : codePage_(GetACP()), piecewise_(!IsStateful(codePage_)), utf8_(codePage_ == CP_UTF8), output_(std::move(writer)) {}

void AnsiOutputSink::write(std::u16string_view text) { put(text, false); }

void AnsiOutputSink::writeEscaped(std::u16string_view text) {
    if (!utf8_) return OutputSink::writeEscaped(text);
    put(text, true);
}

// Escaping leaves surrogates as they are, so a lead surrogate held back from one piece goes
// before the next whether that is escaped or not.
void AnsiOutputSink::put(std::u16string_view text, bool escaped) {
    if (text.empty()) return;
    if (!piecewise_) {
        held_ += text;
        return;
    }
    // A lead surrogate at the end waits for its partner in the next piece.
    size_t ready = IsLeadSurrogate(text.back()) ? text.size() - 1 : text.size();
    if (!held_.empty()) {
        held_ += text.substr(0, ready);
        convertAndWrite(held_, escaped);
        held_.clear();
    } else {
        convertAndWrite(text.substr(0, ready), escaped);
    }
    held_.assign(text.substr(ready));
}

void AnsiOutputSink::finish() {
    convertAndWrite(held_);
    held_.clear();
    output_.finish();
}

// Other code pages convert the text in one call (a stateful one must see it whole); 65001 writes
// straight into the block, a piece at a time so that the room asked for stays small.
void AnsiOutputSink::convertAndWrite(std::u16string_view text, bool escaped) {
    if (!utf8_) {
        bytes_.clear();
        text::AppendTextBytes(text, codePage_, bytes_);
        output_.block().append(bytes_);
        output_.handOnIfFull();
        return;
    }
    // The room a piece asks for (three bytes a unit, six escaped) fits within a block's slack.
    constexpr size_t kPiece = 4 * 1024;
    static_assert(strings::HtmlEscapeRoom(kPiece) <= fileio::BackgroundWriter::SlackOf(fileio::BackgroundWriter::kBlockBytes));
    while (!text.empty()) {
        size_t units = std::min(text.size(), kPiece);
        if (units < text.size() && IsLeadSurrogate(text[units - 1])) --units;  // a pair stays whole
        convertPiece(text.substr(0, units), escaped);
        text.remove_prefix(units);
        output_.handOnIfFull();
    }
}

void AnsiOutputSink::convertPiece(std::u16string_view text, bool escaped) {
    fileio::ByteBlock& block = output_.block();
    bool usedDefault = false;
    if (escaped) {
        block.commit(strings::EscapeHtmlIntoUtf8(text, block.room(strings::HtmlEscapeRoom(text.size())), usedDefault));
    } else {
        block.commit(text::PutUtf8Text(text, block.room(text.size() * 3), usedDefault));
    }
}

}  // namespace engine
