#include "engine/chunk_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <new>
#include <string>
#include <thread>

using engine::detail::ChunkGuesser;
using engine::detail::ChunkPlan;
using engine::detail::ChunkPool;
using engine::detail::ChunkRun;

namespace {

TEST(ChunkPlan, ChunksBeginAtLineStartsAtLeastTheirSizeApart) {
    struct Case {
        std::u16string text;
        uint32_t from;
        uint32_t units;
        std::vector<uint32_t> begins;
    };
    const Case cases[] = {
        {u"ab\ncd\nef\ngh", 0, 3, {0, 3, 6, 9}},
        {u"ab\ncd\nef\ngh", 0, 4, {0, 6}},  // the line start after 4 is at 6; then at least 10: none
        {u"abcdefgh\nij", 0, 2, {0, 9}},        // a long line is one chunk
        {u"abcdefgh", 0, 2, {0}},               // no line start at all
        {u"ab\ncd\n", 0, 2, {0, 3}},            // none at the very end
        {u"ab\ncd\nef\n", 4, 1, {4, 6}},        // from a position inside the text
    };
    for (const Case& c : cases) {
        ChunkPlan plan(c.text, c.from, c.units);
        std::vector<uint32_t> begins;
        for (size_t k = 0; k < plan.count(); ++k) begins.push_back(plan.begin(k));
        EXPECT_EQ(c.begins, begins) << "units " << c.units;
        EXPECT_EQ(c.text.size(), plan.begin(plan.count()));
    }
}

// Notes what it was asked to format, and on which thread.
class NotingGuesser : public ChunkGuesser {
public:
    void guess(uint32_t from, uint32_t stopAt, const std::atomic<bool>&, ChunkRun& run) override {
        run.output.append(std::u16string{char16_t(from), char16_t(stopAt)});
    }
};

std::u16string Text(const engine::detail::ChunkOutput& output, size_t from = 0) {
    std::u16string text;
    output.forEachPiece(from, [&](std::u16string_view piece) { text += piece; });
    return text;
}

std::u16string Lines(size_t count) {
    std::u16string text;
    for (size_t i = 0; i < count; ++i) text += u"line\n";
    return text;
}

// Output held in pages: appends that cross pages, read back from any point, and pages used again
// by later outputs once the earlier ones are gone.
TEST(ChunkOutput, HoldsWhatWasAppendedAcrossPages) {
    constexpr size_t kPage = engine::detail::OutputPages::kPageUnits;
    engine::detail::OutputPages pages;
    for (int round = 0; round < 2; ++round) {
        engine::detail::ChunkOutput output(pages);
        std::u16string expected;
        for (size_t length : {size_t(0), size_t(3), kPage - 3, size_t(1), kPage + 5, 2 * kPage}) {
            std::u16string piece(length, u'a');
            for (size_t i = 0; i < length; ++i) piece[i] = char16_t(u'a' + (expected.size() + i) % 26);
            output.append(piece);
            expected += piece;
        }
        ASSERT_EQ(expected.size(), output.size());
        for (size_t from : {size_t(0), size_t(2), kPage, kPage + 1, expected.size() - 1, expected.size()})
            EXPECT_EQ(expected.substr(from), Text(output, from)) << "from " << from << ", round " << round;
    }
}

TEST(ChunkPool, GivesEveryChunkInOrderFromEitherThread) {
    const std::u16string text = Lines(40);
    ChunkPlan plan(text, 0, 5);
    ChunkPool pool(plan, [] { return std::make_unique<NotingGuesser>(); });
    for (size_t k = 0; k < plan.count(); ++k) {
        std::optional<ChunkRun> run = pool.take(k, [] { return true; });
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(k, run->index);
        EXPECT_TRUE(run->usable);
        EXPECT_EQ((std::u16string{char16_t(plan.begin(k)), char16_t(plan.begin(k + 1))}), Text(run->output));
    }
}

// A guess on the helper thread that waits until it is let go.
class HeldGuesser : public NotingGuesser {
public:
    HeldGuesser(const std::atomic<bool>& letGo, std::thread::id caller) : letGo_(letGo), caller_(caller) {}
    void guess(uint32_t from, uint32_t stopAt, const std::atomic<bool>& abandoned, ChunkRun& run) override {
        while (std::this_thread::get_id() != caller_ && !letGo_) std::this_thread::yield();
        NotingGuesser::guess(from, stopAt, abandoned, run);
    }

private:
    const std::atomic<bool>& letGo_;
    std::thread::id caller_;
};

// A helper that cannot start leaves every chunk to the calling thread; a caller that stops
// waiting gets nothing, and the pool then ends with the helper's chunk in hand.
TEST(ChunkPool, CallerCarriesOnWithoutTheHelperAndStopsWhenAsked) {
    const std::u16string text = Lines(40);
    ChunkPlan plan(text, 0, 5);
    const std::thread::id caller = std::this_thread::get_id();
    ChunkPool alone(plan, [caller]() -> std::unique_ptr<ChunkGuesser> {
        if (std::this_thread::get_id() != caller) throw std::bad_alloc();
        return std::make_unique<NotingGuesser>();
    });
    for (size_t k = 0; k < plan.count(); ++k) {
        std::optional<ChunkRun> run = alone.take(k, [] { return true; });
        ASSERT_TRUE(run.has_value());
        EXPECT_TRUE(run->usable);
    }
    std::atomic<bool> letGo{false};
    {
        ChunkPool stopped(plan, [&letGo, caller] { return std::make_unique<HeldGuesser>(letGo, caller); });
        EXPECT_FALSE(stopped.take(0, [] { return false; }).has_value());
        letGo = true;
    }
}

}  // namespace
