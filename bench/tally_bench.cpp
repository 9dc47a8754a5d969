// Encode and decode throughput of the tally codec, next to LZ4 on the same
// data: 64 MiB of generated mixed text, and a typical tally file (a table of
// about 20 players). Counters: MB/s (bytes_per_second, uncompressed bytes)
// and "ratio" (compressed size / original size).
#include "tally/TLZR.h"
#include "tally/TallyTable.h"
#include "tally/Tlzrw1.h"

#include <benchmark/benchmark.h>
#include <lz4.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Words, numbers and punctuation, deterministic.
const Bytes& mixedText()
{
    static const Bytes text = [] {
        static const std::array<const char*, 24> words{"the", "tally", "of", "games", "and", "word", "GLYPH",
            "player", "wins", "round", "score", "letter", "tile", "row", "best", "session", "total",
            "neither", "won", "board", "chat", "host", "seat", "turn"};
        std::mt19937 random(20240601);
        std::string s;
        const std::size_t size = std::size_t(64) << 20;
        s.reserve(size + 64);
        while (s.size() < size) {
            const unsigned pick = random() % 16;
            if (pick < 11) {
                s += words[random() % words.size()];
            } else if (pick < 13) {
                s += std::to_string(random() % 100000);
            } else {
                static const char* const punct[] = {".", ",", ";", "!", "?", ":", "(", ")"};
                s += punct[random() % 8];
            }
            s += (random() % 12 == 0) ? "\r\n" : " ";
        }
        s.resize(size);
        return Bytes(s.begin(), s.end());
    }();
    return text;
}

const Bytes& tallyText()
{
    static const Bytes text = [] {
        glypharo::TallyTable table;
        table.setCell(3, 0, "QUIXOTIC");
        table.setCell(4, 0, "41");
        std::mt19937 random(7);
        for (int p = 1; p <= 20; ++p) {
            glypharo::TallyTable::Row row;
            row[0] = "Player" + std::to_string(p * 37);
            for (int c = 1; c < 9; ++c) {
                row[static_cast<std::size_t>(c)] = std::to_string(random() % (c < 5 ? 500 : 20));
            }
            table.addRow(row);
        }
        const std::string s = table.toText();
        return Bytes(s.begin(), s.end());
    }();
    return text;
}

const Bytes& input(int which)
{
    return which == 0 ? mixedText() : tallyText();
}

void finish(benchmark::State& state, std::size_t original, std::size_t packed)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * original));
    state.counters["ratio"] = double(packed) / double(original);
}

void BM_TallyEncode(benchmark::State& state)
{
    const Bytes& data = input(static_cast<int>(state.range(0)));
    std::size_t packed = 0;
    for (auto _ : state) {
        Bytes out = glypharo::Tlzrw1::compressBytes(data);
        packed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, data.size(), packed);
}

void BM_TallyDecode(benchmark::State& state)
{
    const Bytes& data = input(static_cast<int>(state.range(0)));
    const Bytes packed = glypharo::Tlzrw1::compressBytes(data);
    for (auto _ : state) {
        Bytes out = glypharo::Tlzrw1::decompressBytes(packed);
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, data.size(), packed.size());
}

// The block coder alone, piece by piece into reused buffers (no container,
// no allocation): the figure to set against LZ4's raw block calls.
void BM_TLZREncodePieces(benchmark::State& state)
{
    const Bytes& data = input(static_cast<int>(state.range(0)));
    glypharo::TLZR coder;
    Bytes out(glypharo::TLZR::kBufferSize);
    std::size_t packed = 0;
    for (auto _ : state) {
        packed = 0;
        for (std::size_t at = 0; at < data.size(); at += glypharo::TLZR::kPieceSize) {
            const std::size_t n = std::min(glypharo::TLZR::kPieceSize, data.size() - at);
            packed += 2 + coder.encode({data.data() + at, n}, out);
        }
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, data.size(), packed);
}

void BM_TLZRDecodePieces(benchmark::State& state)
{
    const Bytes& data = input(static_cast<int>(state.range(0)));
    glypharo::TLZR coder;
    std::vector<Bytes> blocks;
    std::size_t packed = 0;
    Bytes buffer(glypharo::TLZR::kBufferSize);
    for (std::size_t at = 0; at < data.size(); at += glypharo::TLZR::kPieceSize) {
        const std::size_t n = std::min(glypharo::TLZR::kPieceSize, data.size() - at);
        blocks.emplace_back(
            buffer.begin(), buffer.begin() + static_cast<long>(coder.encode({data.data() + at, n}, buffer)));
        packed += 2 + blocks.back().size();
    }
    for (auto _ : state) {
        for (const Bytes& block : blocks) {
            benchmark::DoNotOptimize(coder.decode(block, buffer));
        }
    }
    finish(state, data.size(), packed);
}

void BM_Lz4Encode(benchmark::State& state)
{
    const Bytes& data = input(static_cast<int>(state.range(0)));
    Bytes out(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(data.size()))));
    int packed = 0;
    for (auto _ : state) {
        packed = LZ4_compress_default(reinterpret_cast<const char*>(data.data()),
            reinterpret_cast<char*>(out.data()), static_cast<int>(data.size()), static_cast<int>(out.size()));
        benchmark::DoNotOptimize(out.data());
    }
    finish(state, data.size(), static_cast<std::size_t>(packed));
}

void BM_Lz4Decode(benchmark::State& state)
{
    const Bytes& data = input(static_cast<int>(state.range(0)));
    Bytes packed(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(data.size()))));
    const int size = LZ4_compress_default(reinterpret_cast<const char*>(data.data()),
        reinterpret_cast<char*>(packed.data()), static_cast<int>(data.size()),
        static_cast<int>(packed.size()));
    Bytes out(data.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(LZ4_decompress_safe(reinterpret_cast<const char*>(packed.data()),
            reinterpret_cast<char*>(out.data()), size, static_cast<int>(out.size())));
    }
    finish(state, data.size(), static_cast<std::size_t>(size));
}

// Argument 0: 64 MiB of mixed text; 1: a tally of 20 players.
#define GLYPHARO_TALLY_BENCH(fn) BENCHMARK(fn)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)
GLYPHARO_TALLY_BENCH(BM_TallyEncode);
GLYPHARO_TALLY_BENCH(BM_TallyDecode);
GLYPHARO_TALLY_BENCH(BM_TLZREncodePieces);
GLYPHARO_TALLY_BENCH(BM_TLZRDecodePieces);
GLYPHARO_TALLY_BENCH(BM_Lz4Encode);
GLYPHARO_TALLY_BENCH(BM_Lz4Decode);

} // namespace

BENCHMARK_MAIN();
