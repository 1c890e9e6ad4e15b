// Where the formatter's finished output goes: the caller's string, the caller's sink, or, on a
// thread that formats a chunk ahead, that chunk's buffer. Every piece goes through here, so one
// place decides.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/chunk_output.h"
#include "engine/output_buffer.h"
#include "engine/section_formatter.h"

namespace engine::detail {

class OutputRoute {
public:
    // Nowhere yet: a formatter of chunks ahead, routed to each chunk in turn with toChunk.
    OutputRoute() = default;
    explicit OutputRoute(std::u16string& text) : text_(&text) {}
    explicit OutputRoute(OutputSink& sink) : sink_(&sink) {}

    // The chunk that takes the output from now on; null when that chunk is done.
    void toChunk(ChunkOutput* chunk) { chunk_ = chunk; }
    // Units handed to the chunk so far.
    size_t chunkSize() const { return chunk_->size(); }

    void handOn(std::u16string_view piece) const {
        if (sink_) {
            sink_->write(piece);
        } else if (chunk_) {
            chunk_->append(piece);
        } else {
            text_->append(piece);
        }
    }

    // Where long escaped copies of the input go unescaped: to a sink that escapes on its way out
    // faster than it is handed escaped text; elsewhere nowhere (they are escaped with the rest).
    OutputBuffer::Drain escapedCopies() const {
        if (!sink_ || !sink_->escapesCopies()) return nullptr;
        return [sink = sink_](std::u16string_view text) { sink->writeEscaped(text); };
    }

private:
    std::u16string* text_ = nullptr;
    OutputSink* sink_ = nullptr;
    ChunkOutput* chunk_ = nullptr;
};

}  // namespace engine::detail
