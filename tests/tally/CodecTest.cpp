#include "TestFiles.h"

#include "tally/Lzrw1Exceptions.h"
#include "tally/TLZR.h"

#include <gtest/gtest.h>

#include <numeric>

namespace glypharo {
namespace {

using test::randomBytes;
using test::textBytes;
using Bytes = std::vector<std::uint8_t>;

struct Item {
    enum Kind { Literal, Copy, Run } kind;
    std::size_t distance = 0;
    std::size_t count = 1;
};

// A literal, one-byte-at-a-time reading of a compressed block that also
// lists its items, to check the coder's output and its fast decoder.
Bytes referenceDecode(const Bytes& block, std::vector<Item>* items = nullptr)
{
    Bytes out;
    if (block.size() <= 1) {
        return out;
    }
    if (block[0] == 0x80) {
        return Bytes(block.begin() + 1, block.end());
    }
    std::size_t x = 3;
    unsigned control = block[1] * 256u + block[2];
    int bitsLeft = 16;
    while (x < block.size()) {
        if (bitsLeft == 0) {
            control = block[x] * 256u + block[x + 1];
            x += 2;
            bitsLeft = 16;
        }
        if ((control & 0x8000) == 0) {
            out.push_back(block[x++]);
            if (items) {
                items->push_back({Item::Literal});
            }
        } else {
            const std::size_t d = block[x] * 16u + (block[x + 1] >> 4);
            if (d == 0) {
                const std::size_t count = block[x + 1] * 256u + block[x + 2] + 16;
                out.insert(out.end(), count, block[x + 3]);
                x += 4;
                if (items) {
                    items->push_back({Item::Run, 0, count});
                }
            } else {
                const std::size_t count = (block[x + 1] & 15u) + 3;
                for (std::size_t i = 0; i < count; ++i) {
                    out.push_back(out[out.size() - d]);
                }
                x += 2;
                if (items) {
                    items->push_back({Item::Copy, d, count});
                }
            }
        }
        control = (control << 1) & 0xFFFF;
        --bitsLeft;
    }
    return out;
}

Bytes encode(const Bytes& piece)
{
    TLZR coder;
    Bytes out(piece.size() + TLZR::kSpare);
    out.resize(coder.encode(piece, out));
    return out;
}

Bytes decode(const Bytes& block, std::size_t room = TLZR::kBufferSize)
{
    TLZR coder;
    Bytes out(room);
    out.resize(coder.decode(block, out));
    return out;
}

TEST(TLZR, CodesKnownPiecesByteForByte)
{
    const Bytes abc = test::bytesOf("abcabcabcabcabcabcabcabcabcabc");
    struct Case {
        const char* name;
        Bytes piece;
        Bytes block;
    } cases[] = {
        {"empty piece", {}, {0x80}},
        {"one byte", {0x41}, {0x80, 0x41}},
        {"100 equal bytes: one run", Bytes(100, 'a'), {0x40, 0x80, 0x00, 0x00, 0x00, 84, 'a'}},
        {"three literals, copy 18 at 3, copy 9 at 18", abc,
            {0x40, 0x18, 0x00, 'a', 'b', 'c', 0x00, 0x3F, 0x01, 0x26}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encode(c.piece), c.block) << c.name;
        EXPECT_EQ(decode(c.block), c.piece) << c.name;
    }
}

TEST(TLZR, StoresPiecesThatDoNotShrink)
{
    for (std::size_t n : {2u, 3u, 17u, 1000u, 32768u}) {
        const Bytes piece = randomBytes(n, 7);
        const Bytes block = encode(piece);
        ASSERT_EQ(block.size(), n + 1) << n;
        EXPECT_EQ(block[0], 0x80) << n;
        EXPECT_TRUE(std::equal(piece.begin(), piece.end(), block.begin() + 1)) << n;
    }
}

// Repeats of a random block at a given period: copies can only reach back
// 4095 bytes, so a period of 4096 must give no copy at that distance.
TEST(TLZR, CopiesStayWithin4095BackAnd18Long)
{
    struct Case {
        std::size_t period;
        bool expectFar;
    } cases[] = {{4095, true}, {4096, false}, {5000, false}, {7, true}};
    for (const auto& c : cases) {
        const Bytes unit = randomBytes(c.period, 3);
        Bytes piece;
        while (piece.size() + c.period <= TLZR::kPieceSize) {
            piece.insert(piece.end(), unit.begin(), unit.end());
        }
        std::vector<Item> items;
        const Bytes block = encode(piece);
        ASSERT_EQ(referenceDecode(block, &items), piece) << c.period;
        bool far = false;
        for (const Item& item : items) {
            if (item.kind == Item::Copy) {
                EXPECT_GE(item.distance, 1u);
                EXPECT_LE(item.distance, 4095u);
                EXPECT_GE(item.count, 3u);
                EXPECT_LE(item.count, 18u);
                far = far || item.distance == c.period;
            } else if (item.kind == Item::Run) {
                EXPECT_GE(item.count, 16u);
                EXPECT_LE(item.count, 4095u);
            }
        }
        EXPECT_EQ(far, c.expectFar) << c.period;
    }
}

TEST(TLZR, RoundTripsAndAgreesWithReferenceDecoder)
{
    Bytes runs;
    for (int i = 0; runs.size() < 30000; ++i) {
        runs.insert(runs.end(), static_cast<std::size_t>(i % 5000), static_cast<std::uint8_t>(i));
        runs.push_back('x');
    }
    runs.resize(30000);
    const Bytes sources[] = {textBytes(TLZR::kPieceSize, 1), randomBytes(TLZR::kPieceSize, 2), runs};
    for (std::size_t s = 0; s < std::size(sources); ++s) {
        for (std::size_t n :
            {0u, 1u, 2u, 3u, 4u, 17u, 18u, 19u, 4095u, 4096u, 20000u, 30000u, 32767u, 32768u}) {
            const Bytes piece(
                sources[s].begin(), sources[s].begin() + static_cast<long>(std::min(n, sources[s].size())));
            const Bytes block = encode(piece);
            EXPECT_LE(block.size(), piece.size() + 1);
            EXPECT_EQ(referenceDecode(block), piece) << "source " << s << " n " << n;
            // Exact-size output buffer: no wide-copy shortcuts, same bytes.
            EXPECT_EQ(decode(block, TLZR::kPieceSize), piece) << "source " << s << " n " << n;
            EXPECT_EQ(decode(block), piece) << "source " << s << " n " << n;
        }
    }
}

TEST(TLZR, DecodesOverlappingCopiesOneByteAtATime)
{
    // 'a', then a copy of 18 from one back, then 'b', then a copy of 10 at 2.
    const Bytes block{0x40, 0x50, 0x00, 'a', 0x00, 0x1F, 'b', 0x00, 0x27};
    Bytes expected(19, 'a');
    expected.push_back('b');
    for (int i = 0; i < 10; ++i) {
        expected.push_back(i % 2 == 0 ? 'a' : 'b');
    }
    EXPECT_EQ(decode(block), expected);
}

TEST(TLZR, RefusesCorruptBlocks)
{
    Bytes tooLongRuns{0x40, 0xFF, 0x80};
    for (int i = 0; i < 9; ++i) {
        tooLongRuns.insert(tooLongRuns.end(), {0x00, 0x0F, 0xFF, 'r'});
    }
    Bytes fullThenOne{0x40, 0xFF, 0xFF};
    for (int i = 0; i < 8; ++i) {
        fullThenOne.insert(fullThenOne.end(), {0x00, 0x0F, 0xF0, 'r'}); // 8 x 4096
    }
    for (int i = 0; i < 8; ++i) {
        fullThenOne.insert(fullThenOne.end(), {0x00, 0x13}); // copy 6 at 1
    }
    Bytes storedTooLong(TLZR::kPieceSize + 2, 'x');
    storedTooLong[0] = 0x80;
    struct Case {
        const char* name;
        Bytes block;
    } cases[] = {
        {"copy before the start", {0x40, 0x40, 0x00, 'a', 0x00, 0x20}},
        {"copy on an empty piece", {0x40, 0x80, 0x00, 0x00, 0x10}},
        {"copy cut short", {0x40, 0x80, 0x00, 0x05}},
        {"run cut short", {0x40, 0x80, 0x00, 0x00, 0x00, 0x10}},
        {"control word cut short", {0x40, 0x80}},
        {"runs past 32768 bytes", tooLongRuns},
        {"copies past 32768 bytes", fullThenOne},
        {"stored piece past 32768 bytes", storedTooLong},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(decode(c.block), ELzrw1KHCompressor) << c.name;
    }
    Bytes literals{0x40, 0x00, 0x00};
    literals.insert(literals.end(), 16, 'l');
    literals.push_back(0x00); // a second control word with only one byte
    EXPECT_THROW(decode(literals), ELzrw1KHCompressor);
}

} // namespace
} // namespace glypharo
