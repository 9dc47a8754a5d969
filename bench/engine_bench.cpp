// Times the computer player's move search (computerplay) on seeded boards:
// six open rows with drawn first letters and a freshly dealt rack, as at the
// start of a round of six. Prints median, p99 and worst over 10,000 moves,
// then the same for racks of x alone, where almost every candidate fails and
// whole sections are searched (only a one-letter word can still be found).

#include "host/ComputerPlayer.h"
#include "host/HostGameState.h"
#include "protocol/Letters.h"
#include "protocol/Random.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace glypharo;
using Clock = std::chrono::steady_clock;

std::vector<std::string> loadWords(const char* path)
{
    std::vector<std::string> words;
    std::ifstream in(path);
    for (std::string w; std::getline(in, w);) {
        if (!w.empty())
            words.push_back(w);
    }
    return words;
}

HostGameState sixRows(RandomSource& random)
{
    HostGameState s;
    s.rowcount = 6;
    for (int r = 1; r <= 6; ++r) {
        s.row(r).letters[0] = firstletter(random);
        s.row(r).finished = 0;
    }
    return s;
}

struct Figures {
    double median, p99, worst;
    double worstRetimed; // the slowest move run again, best of 50
    int words;
};

template <typename MakeRack> Figures measure(const ComputerPlayer& bot, int moves, MakeRack makeRack)
{
    EngineRandom random(12345);
    std::vector<double> us;
    us.reserve(static_cast<std::size_t>(moves));
    int words = 0;
    Rack rack{};
    HostGameState worstBoard;
    Rack worstRack{};
    EngineRandom worstRandom = random;
    double worst = -1;
    for (int i = 0; i < moves; ++i) {
        const HostGameState board = sixRows(random);
        makeRack(rack, random);
        const EngineRandom before = random;
        const auto start = Clock::now();
        const auto move = bot.computerplay(2, board, rack, random);
        const auto stop = Clock::now();
        words += move.pass ? 0 : 1;
        us.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        if (us.back() > worst) {
            worst = us.back();
            worstBoard = board;
            worstRack = rack;
            worstRandom = before;
        }
    }
    // On a shared machine a single slow sample is often a preemption; timing
    // the same move again shows the search's own cost.
    double retimed = worst;
    for (int i = 0; i < 50; ++i) {
        EngineRandom again = worstRandom;
        const auto start = Clock::now();
        bot.computerplay(2, worstBoard, worstRack, again);
        retimed = std::min(retimed, std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(us.begin(), us.end());
    const auto at
        = [&](double q) { return us[static_cast<std::size_t>(q * static_cast<double>(us.size() - 1))]; };
    return {at(0.5), at(0.99), us.back(), retimed, words};
}

void print(const char* what, const Figures& f, int moves)
{
    std::printf(
        "%-18s median %6.2f us  p99 %6.2f us  worst %9.2f us (again: %6.2f us)  %d of %d found a word\n",
        what, f.median, f.p99, f.worst, f.worstRetimed, f.words, moves);
}

} // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : GLYPHARO_COMPUTER_WORDS;
    auto words = loadWords(path);
    if (words.empty()) {
        std::fprintf(stderr, "no words in %s\n", path);
        return 1;
    }
    const ComputerPlayer bot(std::move(words));
    constexpr int kMoves = 10000;
    measure(bot, 1000, [](Rack& r, RandomSource& rnd) { dealrack(r, rnd); }); // warm-up
    std::printf("computer word list: %zu words\n", bot.words().size());
    print("dealt racks", measure(bot, kMoves, [](Rack& r, RandomSource& rnd) { dealrack(r, rnd); }), kMoves);
    print("racks of x only", measure(bot, kMoves, [](Rack& r, RandomSource&) { r.fill(24); }), kMoves);
    return 0;
}
