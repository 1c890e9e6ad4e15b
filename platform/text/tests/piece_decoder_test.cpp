// Bytes decoded in pieces give the text of decoding them joined, wherever the pieces are cut.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/automation/error.h"
#include "platform/text/codepage.h"
#include "platform/text/piece_decoder.h"

namespace {

std::u16string DecodeInPieces(const std::string& bytes, UINT codePage, const std::vector<size_t>& cuts) {
    text::PieceDecoder decoder(codePage);
    std::u16string out;
    size_t from = 0;
    for (size_t cut : cuts) {
        decoder.decode(std::string_view(bytes).substr(from, cut - from), out);
        from = cut;
    }
    decoder.decode(std::string_view(bytes).substr(from), out);
    decoder.finish(out);
    return out;
}

TEST(PieceDecoder, EveryCutGivesTheTextOfTheWhole) {
    std::mt19937 random(11);
    std::string noise;
    for (int i = 0; i < 64; ++i) noise += char(random() % 256);
    const std::string samples[] = {
        "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z",  // sequences of every length
        "\xF0\x80\xC3\xA9\xE2\x82\xE2\x82\xAC",    // cut sequences followed by lead bytes
        "\x80\x80\x80\x80\xBF\xF4\x90\x80\x80\xED\xA0\x80",  // stray continuations, out of range
        "\x82\xA0\x88\x9F\x81\x40\x83\x41",        // Shift-JIS pairs
        noise,
    };
    for (UINT codePage : {65001u, 1252u, 932u}) {
        for (const std::string& bytes : samples) {
            const std::u16string whole = text::BytesToText(bytes, codePage);
            std::vector<size_t> everyByte;
            for (size_t cut = 0; cut <= bytes.size(); ++cut) {
                EXPECT_EQ(DecodeInPieces(bytes, codePage, {cut}), whole) << codePage << " cut at " << cut;
                everyByte.push_back(cut);
            }
            EXPECT_EQ(DecodeInPieces(bytes, codePage, everyByte), whole) << codePage << " a byte at a time";
        }
    }
}

TEST(PieceDecoder, UnavailableCodePageRaisesInvalidProcedureCall) {
    try {
        text::PieceDecoder decoder(12345);
        FAIL() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.number(), 5);
    }
}

}  // namespace
