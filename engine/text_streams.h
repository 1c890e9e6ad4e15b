// Text in and out through the system ANSI code page, for programs that format a stream: reading
// all of a file descriptor, and an output sink that converts and writes the formatter's text as
// it comes, so that the output is never held whole.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "engine/section_formatter.h"
#include "platform/os/background_writer.h"
#include "platform/os/file_io.h"

namespace engine {

// All that can be read from fd, up to its end, as text of the ANSI code page. A read failure
// raises ComError with the file services' number for it (57 device I/O error, 7 beyond what a
// String can hold, ...) and a description naming `what` ("the standard input"). When a signal
// interrupts the read, stop decides whether to abandon it (fileio::ReadStopped).
std::u16string ReadAllText(int fd, std::u16string_view what, const fileio::StopRequest& stop = {});

// Converts text to the ANSI code page and writes it to fd (or hands the bytes to a writer), in
// blocks of 128 KB written on a thread of their own (fileio::BackgroundWriter). A surrogate
// pair split between two pieces is kept together; for a code page whose conversion depends on
// what came before (ISO-2022, UTF-7 and the like) the text is gathered and converted once at the
// end, so the bytes are always those of converting the whole text at once. A write failure
// raises ComError (61 disk full, 57 device I/O error, ...) at the next write or at finish; a
// writer's failures pass on as they are.
class AnsiOutputSink : public OutputSink {
public:
    using ByteWriter = std::function<void(std::string_view)>;

    explicit AnsiOutputSink(int fd);
    explicit AnsiOutputSink(ByteWriter writer);
    void write(std::u16string_view text) override;
    // In code page 65001, escaped on the way out (no escaped copy in UTF-16).
    void writeEscaped(std::u16string_view text) override;
    bool escapesCopies() const override { return utf8_; }
    // Converts and writes what is still held back, and waits until all is written. Call once,
    // after the last write.
    void finish();

private:
    void put(std::u16string_view text, bool escaped);
    void convertAndWrite(std::u16string_view text, bool escaped = false);
    void convertPiece(std::u16string_view text, bool escaped);

    unsigned codePage_;
    bool piecewise_;
    bool utf8_;
    std::u16string held_;
    std::string bytes_;  // converted by another code page, on its way into the block
    fileio::BackgroundWriter output_;
};

}  // namespace engine
