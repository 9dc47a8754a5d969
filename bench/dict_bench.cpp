// TDictn::WordExists (binary search on the file, one pread per step) against
// std::binary_search over the same words held in memory. The file is hot in
// the page cache after the first pass, so this measures the system calls and
// normalisation, not the disk.

#include "dict/TDictn.h"
#include "dict/qt/QtResourceWordList.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using glypharo::QtResourceWordList;
using glypharo::TDictn;

constexpr std::size_t kQueries = 10000;

struct Bench {
    Bench()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "glypharo-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        folder = pattern;
        dict = std::make_unique<TDictn>(resource, nullptr, folder);
        if (!dict->isOpen())
            throw std::runtime_error("dictionary not open");

        const std::string list = resource.load().value();
        for (std::size_t at = 0; at + 15 <= list.size(); at += 15) {
            std::string word = list.substr(at + 1, 14);
            words.push_back(word.substr(0, word.find(' ')));
        }
        std::mt19937 random(1);
        std::uniform_int_distribution<std::size_t> pick(0, words.size() - 1);
        std::uniform_int_distribution<int> letter('A', 'Z');
        while (hits.size() < kQueries)
            hits.push_back(words[pick(random)]);
        while (misses.size() < kQueries) {
            std::string w = words[pick(random)];
            w[random() % w.size()] = static_cast<char>(letter(random));
            if (!std::binary_search(words.begin(), words.end(), w))
                misses.push_back(w);
        }
        for (const auto* from : {&hits, &misses}) {
            auto& to = (from == &hits) ? lowerhits : lowermisses;
            for (std::string w : *from) {
                std::transform(
                    w.begin(), w.end(), w.begin(), [](char c) { return static_cast<char>(c | 0x20); });
                to.push_back(w);
            }
        }
    }
    ~Bench()
    {
        dict.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    QtResourceWordList resource;
    std::unique_ptr<TDictn> dict;
    std::vector<std::string> words; // sorted, upper-case
    std::vector<std::string> hits, misses; // upper-case, for the in-memory search
    std::vector<std::string> lowerhits, lowermisses; // as the engine asks them
};

Bench& bench()
{
    static Bench b;
    return b;
}

void lookups(benchmark::State& state, const std::vector<std::string>& queries, bool expected)
{
    TDictn& dict = *bench().dict;
    std::size_t i = 0;
    for (auto _ : state) {
        const bool found = dict.WordExists(queries[i]);
        if (found != expected)
            state.SkipWithError("unexpected answer");
        benchmark::DoNotOptimize(found);
        i = (i + 1) % queries.size();
    }
}

void inmemory(benchmark::State& state, const std::vector<std::string>& queries, bool expected)
{
    const std::vector<std::string>& words = bench().words;
    std::size_t i = 0;
    for (auto _ : state) {
        const bool found = std::binary_search(words.begin(), words.end(), queries[i]);
        if (found != expected)
            state.SkipWithError("unexpected answer");
        benchmark::DoNotOptimize(found);
        i = (i + 1) % queries.size();
    }
}

void BM_WordExists_Words(benchmark::State& s)
{
    lookups(s, bench().lowerhits, true);
}
void BM_WordExists_NonWords(benchmark::State& s)
{
    lookups(s, bench().lowermisses, false);
}
void BM_InMemory_Words(benchmark::State& s)
{
    inmemory(s, bench().hits, true);
}
void BM_InMemory_NonWords(benchmark::State& s)
{
    inmemory(s, bench().misses, false);
}

BENCHMARK(BM_WordExists_Words);
BENCHMARK(BM_WordExists_NonWords);
BENCHMARK(BM_InMemory_Words);
BENCHMARK(BM_InMemory_NonWords);

} // namespace

BENCHMARK_MAIN();
