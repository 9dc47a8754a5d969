#include "dict/WordChecker.h"
#include "fakes/ManualTimer.h"
#include "host/GameEngine.h"
#include "host/SeatTable.h"
#include "protocol/FieldReader.h"
#include "protocol/Letters.h"
#include "protocol/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace glypharo::enginetest {
namespace {

// The shipped computer list when the checkout has it; a compact stand-in
// otherwise. A first letter without buildable words would stall a round of
// computers for ever, so every letter gets a few short words.
std::vector<std::string> computerWords()
{
    const auto path = std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "resources" / "words"
        / "computer.txt";
    std::vector<std::string> words;
    std::ifstream in(path);
    for (std::string w; std::getline(in, w);) {
        if (!w.empty())
            words.push_back(w);
    }
    if (words.empty()) {
        words = {"a", "ad", "age", "and", "bad", "bag", "bed", "can", "cat", "day", "dog", "ear", "egg",
            "fan", "fit", "gas", "get", "had", "hat", "ice", "ink", "jam", "jet", "key", "kit", "lap", "leg",
            "man", "map", "net", "nut", "oak", "oil", "pan", "pet", "quit", "quiz", "rag", "red", "sad",
            "sun", "tan", "ten", "up", "use", "van", "vet", "was", "wet", "yes", "yet", "zip", "zoo"};
    }
    for (const char* w : {"xi", "xu", "xenon", "xylem", "zoo", "quiz", "jam", "key", "yes", "vet"}) {
        if (std::find(words.begin(), words.end(), w) == words.end())
            words.emplace_back(w);
    }
    std::sort(words.begin(), words.end());
    return words;
}

// Accepts all but every ninth longer word of the list, so refusals and
// time-outs happen too.
class ListChecker : public WordChecker {
public:
    explicit ListChecker(const std::vector<std::string>& words)
    {
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (i % 9 != 4 || words[i].size() < 4)
                words_.insert(words[i]);
        }
    }
    bool WordExists(const std::string& word) override { return words_.count(word) != 0; }

private:
    std::set<std::string> words_;
};

// Every seat of 1..6 sees every broadcast; seat 1's copy is enough.
class SeatOneOutbox : public Outbox {
public:
    void send(int seat, const std::string& message) override
    {
        if (seat == 1)
            sent.push_back(message);
    }
    void close(int) override { }
    std::vector<std::string> sent;
};

struct Hisword {
    int seat = 0;
    std::string word;
    int score = 0;
    int points = 0;
};

std::optional<Hisword> readHisword(const std::string& message)
{
    const auto [command, body] = splitMessage(message);
    if (command != "CMD_hisword")
        return std::nullopt;
    FieldReader r(body);
    Hisword h;
    h.seat = r.number().value_or(0);
    r.field();
    h.word = std::string(r.field().value_or(""));
    h.score = r.number().value_or(-1);
    h.points = r.number().value_or(-1);
    return h;
}

// Six computer players (connected seats that all watch) play seeded games to
// a winner by ticking the timers.
TEST(GameSoak, SixComputersPlayAThousandGamesToAWinner)
{
    const auto words = computerWords();
    ListChecker spell(words);
    SeatTable seats;
    SeatOneOutbox out;
    fakes::ManualTimer turn, breaks, computer;
    EngineRandom random(1);
    GameEngine engine(seats, out, turn, breaks, computer, random, spell, words, [] { return 500; });
    for (int s = 1; s <= 6; ++s) {
        seats[s].connected = true;
        seats[s].name = "P" + std::to_string(s);
    }
    seats.highestseat = 6;

    constexpr int kGames = 1000;
    constexpr int kStepBound = 20000;
    int refused = 0;
    for (int game = 0; game < kGames; ++game) {
        random.seed(static_cast<std::uint32_t>(game) + 1);
        out.sent.clear();
        engine.startgame("P1+50+3+");
        // The start clears the watch flags; the players switch back to
        // watching, which hands the open turn to a computer.
        for (int s = 1; s <= 6; ++s)
            seats[s].watching = true;
        engine.regiveTurn();

        int steps = 0;
        while (engine.gameInProgress() && steps < kStepBound) {
            ++steps;
            if (computer.isActive())
                engine.computertimerTimer();
            else if (breaks.isActive())
                engine.timer_breaksTimer();
            else if (turn.isActive())
                engine.timer_turnTimer();
            else
                break;
        }
        ASSERT_FALSE(engine.gameInProgress()) << "game " << game << " after " << steps << " steps";
        ASSERT_EQ(out.sent.back().rfind("CMD_winner+P", 0), 0u) << game;

        std::array<int, 7> sums{};
        for (const auto& m : out.sent) {
            if (m.rfind("CMD_invalid", 0) == 0)
                ++refused;
            const auto h = readHisword(m);
            if (!h)
                continue;
            ASSERT_TRUE(h->seat >= 1 && h->seat <= 6) << m;
            ASSERT_TRUE(spell.WordExists(h->word)) << m;
            ASSERT_EQ(h->points, scoreword(h->word)) << m;
            sums[static_cast<std::size_t>(h->seat)] += h->points;
            ASSERT_EQ(h->score, sums[static_cast<std::size_t>(h->seat)]) << m;
        }
        for (int s = 1; s <= 6; ++s)
            ASSERT_EQ(seats[s].score, sums[static_cast<std::size_t>(s)]) << "game " << game << " seat " << s;
    }
    // Seat 1 hears its own refusals only; some must have come up.
    EXPECT_GT(refused, 0);
}

} // namespace
} // namespace glypharo::enginetest
