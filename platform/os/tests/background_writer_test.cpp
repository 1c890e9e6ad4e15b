#include "platform/os/background_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct Written {
    std::mutex mutex;
    std::vector<std::string> blocks;
    bool onOtherThread = false;
    size_t calls = 0;
    size_t failAt = SIZE_MAX;  // this call of the writer throws

    fileio::BackgroundWriter::Writer writer() {
        return [this, caller = std::this_thread::get_id()](std::string_view bytes) {
            std::lock_guard lock(mutex);
            if (calls++ == failAt) throw std::runtime_error("disk full");
            blocks.emplace_back(bytes);
            onOtherThread |= std::this_thread::get_id() != caller;
        };
    }
    std::string joined() {
        std::string all;
        for (const std::string& block : blocks) all += block;
        return all;
    }
};

// Appends "0", "1", ... "count-1" one piece at a time.
std::string AppendPieces(fileio::BackgroundWriter& out, int count) {
    std::string expected;
    for (int i = 0; i < count; ++i) {
        std::string piece = std::to_string(i) + ",";
        out.block().append(piece);
        expected += piece;
        out.handOnIfFull();
    }
    return expected;
}

TEST(BackgroundWriter, WritesEverythingInOrderAndStartsAThreadOnlyPastOneBlock) {
    struct Case {
        size_t blockBytes;
        int pieces;
        bool threaded;
    };
    for (const Case& c : {Case{4, 1, false}, Case{1, 2, true}, Case{7, 5000, true}, Case{64, 100000, true},
                          Case{fileio::BackgroundWriter::kBlockBytes, 1000, false}, Case{16, 0, false}}) {
        Written written;
        fileio::BackgroundWriter out(written.writer(), c.blockBytes);
        const std::string expected = AppendPieces(out, c.pieces);
        out.finish();
        EXPECT_EQ(expected, written.joined()) << c.blockBytes << " " << c.pieces;
        EXPECT_EQ(c.threaded, written.onOtherThread) << c.blockBytes << " " << c.pieces;
        for (size_t i = 0; i + 1 < written.blocks.size(); ++i) EXPECT_GE(written.blocks[i].size(), c.blockBytes);
    }
}

TEST(BackgroundWriter, AFailedWriteIsRaisedToTheCallerAndNothingAfterItIsWritten) {
    for (size_t failAt : {0, 1, 5}) {
        Written written;
        written.failAt = failAt;
        fileio::BackgroundWriter out(written.writer(), 8);
        EXPECT_THROW(
            {
                AppendPieces(out, 2000);
                out.finish();
            },
            std::runtime_error);
        EXPECT_THROW(out.finish(), std::runtime_error) << "the failure is raised again";
        EXPECT_EQ(failAt + 1, written.calls) << "no write after the failed one";
    }
}

TEST(BackgroundWriter, DroppedUnfinishedItStillWritesWhatWasHandedOn) {
    Written written;
    std::string expected;
    {
        fileio::BackgroundWriter out(written.writer(), 10);
        expected = AppendPieces(out, 300);
        expected.resize(expected.size() - out.block().size());
    }
    EXPECT_EQ(expected, written.joined());
}

}  // namespace
