#include "TestFiles.h"

#include "tally/Lzrw1Exceptions.h"
#include "tally/Tlzrw1.h"

#include <gtest/gtest.h>

#include <sstream>

namespace glypharo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempFolder;

Bytes container(std::uint32_t length, const std::vector<Bytes>& blocks)
{
    Bytes out{'W', 'R', 'Z', 'L'};
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
    }
    for (const Bytes& b : blocks) {
        out.push_back(static_cast<std::uint8_t>(b.size()));
        out.push_back(static_cast<std::uint8_t>(b.size() >> 8));
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

std::string errorOf(const Bytes& file)
{
    try {
        Tlzrw1::decompressBytes(file, "t.tld");
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(Tlzrw1, EmptyInputGivesTheElevenByteFile)
{
    const Bytes file = Tlzrw1::compressBytes({});
    EXPECT_EQ(file, (Bytes{'W', 'R', 'Z', 'L', 0, 0, 0, 0, 1, 0, 0x80}));
    EXPECT_TRUE(Tlzrw1::decompressBytes(file).empty());
}

TEST(Tlzrw1, FullPieceIsFollowedByTheEmptyPiece)
{
    const Bytes data = test::randomBytes(32768, 5);
    const Bytes file = Tlzrw1::compressBytes(data);
    ASSERT_EQ(file.size(), 8 + 2 + 32769 + 2 + 1u);
    EXPECT_EQ(file[8], 0x01);
    EXPECT_EQ(file[9], 0x80);
    EXPECT_EQ(file[10], 0x80);
    EXPECT_EQ((Bytes(file.end() - 3, file.end())), (Bytes{1, 0, 0x80}));
}

TEST(Tlzrw1, RoundTripsManySizesInMemoryFilesAndStreams)
{
    TempFolder folder;
    for (std::size_t n : {0u, 1u, 2u, 3u, 17u, 4095u, 4096u, 32767u, 32768u, 32769u, 65536u, 100000u}) {
        for (const Bytes& data : {test::randomBytes(n, 11), test::textBytes(n, 12)}) {
            const Bytes file = Tlzrw1::compressBytes(data);
            EXPECT_EQ(Tlzrw1::decompressBytes(file), data) << n;

            test::writeBytes(folder / "in", data);
            Tlzrw1 codec;
            codec.setInputFile((folder / "in").string());
            codec.setOutputFile((folder / "packed").string());
            EXPECT_EQ(codec.Compress(), file.size()) << n;
            EXPECT_EQ(test::readBytes(folder / "packed"), file) << n;
            codec.setInputFile((folder / "packed").string());
            codec.setOutputFile((folder / "out").string());
            EXPECT_EQ(codec.Decompress(), n);
            EXPECT_EQ(test::readBytes(folder / "out"), data) << n;
        }
    }
    std::istringstream in(std::string(100, 'q'));
    std::ostringstream out;
    Tlzrw1 codec;
    codec.setUseStream(true);
    codec.setInputStream(&in);
    codec.setOutputStream(&out);
    EXPECT_EQ(codec.Compress(), 8u + 2 + 7);
    EXPECT_EQ(out.str().substr(0, 4), "WRZL");
}

TEST(Tlzrw1, RefusesDamagedContainers)
{
    const std::string readError = "Lzrw1 : Error reading from input file : t.tld";
    const std::string mismatch
        = "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
    const Bytes abc{0x80, 'a', 'b', 'c'};
    Bytes lengthPastEnd = container(3, {});
    lengthPastEnd.insert(lengthPastEnd.end(), {0x10, 0x00, 0x80, 'a'});
    struct Case {
        const char* name;
        Bytes file;
        std::string error;
    } cases[] = {
        {"short identifier", {'W', 'R', 'Z'}, readError},
        {"other text", test::bytesOf("Hello, world"),
            "t.tld : Lzrw1 decompression : this file has no valid header !"},
        {"the other method", test::bytesOf("!HZL\0\0\0\0"),
            "t.tld : Lzrw1 decompression : this file uses the LZH method (!HZL), which this program cannot "
            "read !"},
        {"length field cut short", {'W', 'R', 'Z', 'L', 3, 0}, readError},
        {"no block", container(3, {}), readError},
        {"block length beyond the file", lengthPastEnd, readError},
        {"block longer than any piece", container(3, {Bytes(40000, 0x80)}),
            "LZRW1KH : corrupt compressed block : block longer than 32769 bytes"},
        {"more data than the header says", container(2, {abc}), mismatch},
        {"less data than the header says", container(5, {abc}), mismatch},
        {"corrupt block", container(3, {{0x40, 0x80, 0x00, 0x00, 0x10}}),
            "LZRW1KH : corrupt compressed block : copy reaches before the start of the piece"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.file), c.error) << c.name;
    }
    EXPECT_EQ(Tlzrw1::decompressBytes(container(3, {abc})), (Bytes{'a', 'b', 'c'}));
}

TEST(Tlzrw1, FailedFileOperationLeavesNoOutputFile)
{
    TempFolder folder;
    test::writeBytes(folder / "plain.txt", test::bytesOf("no header here"));
    test::writeBytes(folder / "cut.tld", container(100000, {Bytes(32769, 0x80)}));
    struct Case {
        const char* input;
        std::string error;
    } cases[] = {
        {"plain.txt",
            (folder / "plain.txt").string() + " : Lzrw1 decompression : this file has no valid header !"},
        {"cut.tld", "Lzrw1 : Error reading from input file : " + (folder / "cut.tld").string()},
        {"missing.tld",
            "Lzrw1 (de)compression : Failed to open input file : " + (folder / "missing.tld").string()},
    };
    for (const auto& c : cases) {
        Tlzrw1 codec;
        codec.setInputFile((folder / c.input).string());
        codec.setOutputFile((folder / "out.txt").string());
        try {
            codec.Decompress();
            ADD_FAILURE() << c.input;
        } catch (const ELzrw1Exception& e) {
            EXPECT_EQ(e.what(), c.error);
        }
        EXPECT_FALSE(std::filesystem::exists(folder / "out.txt")) << c.input;
    }
    Tlzrw1 codec;
    codec.setInputFile((folder / "missing.txt").string());
    codec.setOutputFile((folder / "out.tld").string());
    EXPECT_THROW(codec.Compress(), ELzrw1Exception);
    // Compressing a file onto itself must not empty it.
    codec.setInputFile((folder / "plain.txt").string());
    codec.setOutputFile((folder / "plain.txt").string());
    EXPECT_THROW(codec.Compress(), ELzrw1Exception);
    EXPECT_EQ(test::readBytes(folder / "plain.txt"), test::bytesOf("no header here"));
}

TEST(Tlzrw1, AdviseAndProgress)
{
    TempFolder folder;
    test::writeBytes(folder / "text", Bytes(5000, 'x'));
    test::writeBytes(folder / "noise", test::randomBytes(5000, 9));
    Tlzrw1 codec;
    codec.setCompressMode(TCompressMode::Auto);
    codec.setInputFile((folder / "text").string());
    EXPECT_EQ(codec.Advise(), TCompressMode::Fast);
    codec.setInputFile((folder / "noise").string());
    EXPECT_EQ(codec.Advise(), TCompressMode::Good);
    // Good is not offered: the file is written with the fast method.
    std::vector<std::string> progress;
    codec.setOnProgress([&](const std::string& text) { progress.push_back(text); });
    codec.setOutputFile((folder / "noise.tld").string());
    EXPECT_EQ(codec.Compress(), 8u + 2 + 5001);
    EXPECT_EQ(test::readBytes(folder / "noise.tld")[0], 'W');
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0], "(LZRW1/KH) Bytes in : 5000 Bytes out : 5011");
    EXPECT_EQ(progress[1], (folder / "noise").string() + " : Lzrw1 : successfully compressed at 100%");
}

} // namespace
} // namespace glypharo
