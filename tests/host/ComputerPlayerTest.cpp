#include "GameTestRig.h"

#include "host/ComputerPlayer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace glypharo::enginetest {
namespace {

// A board whose rows have the given first letters; rows listed in `finished`
// are done.
HostGameState board(const std::string& firsts, const std::string& finished = "")
{
    HostGameState s;
    s.rowcount = static_cast<int>(firsts.size());
    for (int r = 1; r <= s.rowcount; ++r) {
        s.row(r).letters[0] = letterindex(firsts[static_cast<std::size_t>(r - 1)]);
        s.row(r).finished = finished.find(static_cast<char>('0' + r)) == std::string::npos ? 0 : 1;
    }
    return s;
}

TEST(ComputerPlayer, SectionsSpanEachLettersWords)
{
    const ComputerPlayer bot({"a", "ab", "abc", "b", "cat", "cot", "cut", "zoo"});
    const std::vector<std::tuple<char, int, int>> cases{{'a', 0, 2}, {'b', 3, 3}, {'c', 4, 6}, {'z', 7, 7}};
    for (const auto& [letter, first, last] : cases) {
        const auto s = bot.computergetsection(letterindex(letter));
        EXPECT_EQ(s.first, first) << letter;
        EXPECT_EQ(s.last, last) << letter;
    }
    EXPECT_TRUE(bot.computergetsection(letterindex('d')).empty());
    EXPECT_TRUE(bot.computergetsection(0).empty());
    EXPECT_TRUE(bot.computergetsection(27).empty());
}

TEST(ComputerPlayer, RackPlacesAreTakenLowestFirstAndOnlyOnce)
{
    struct Case {
        std::vector<std::string> words;
        char first;
        std::string rack;
        std::optional<std::string> body;
    };
    const std::vector<Case> cases{
        {{"a"}, 'a', "xyz", "2+1"}, // the first letter alone
        {{"all"}, 'a', "lxl", "2+1+2+1+3+3"}, // a letter twice
        {{"alll"}, 'a', "lxl", std::nullopt}, // ... but not thrice
        {{"lol"}, 'l', "ooll", "2+1+2+1+3+3"}, // lowest free place per letter
        {{"qi", "quiz", "qua"}, 'q', "uiz", "2+1+2+1+3+2+4+3"}, // a q row has its own section
        {{"xu"}, 'x', "u", "2+1+2+1"}, {{"cat", "cot"}, 'c', "zzz", std::nullopt}, // nothing fits
        {{"a", "b"}, 'c', "cat", std::nullopt}, // no words for the letter
        {{"abcdefghijk"}, 'a', "bcdefghij", std::nullopt}, // longer than a row
    };
    for (const auto& c : cases) {
        const ComputerPlayer bot(c.words);
        fakes::ScriptedRandom random;
        random.push(0);
        const auto got = bot.computerfindword(2, 1, letterindex(c.first), rackOf(c.rack), random);
        EXPECT_EQ(got, c.body) << c.words.front();
    }
}

TEST(ComputerPlayer, SearchStartsAtARandomWordAndWrapsAround)
{
    // Every word fits, so the first one visited is taken.
    const ComputerPlayer bot({"ba", "bb", "bc", "bd", "be"});
    const Rack rack = rackOf("abcde");
    const std::vector<std::pair<int, std::string>> cases{
        {0, "2+1+2+2"}, // start at "ba": "bb" comes first
        {3, "2+1+2+5"}, // start at "bd": "be"
        {4, "2+1+2+1"}, // start at the last word: wrap to "ba"
        {5, "2+1+2+4"}, // beyond the section: start at first plus 2, "bd"
        {199, "2+1+2+4"}, // the same
    };
    for (const auto& [draw, body] : cases) {
        fakes::ScriptedRandom random;
        random.push(draw);
        EXPECT_EQ(bot.computerfindword(2, 1, letterindex('b'), rack, random), body) << draw;
        EXPECT_EQ(random.draws(), 1);
    }
}

TEST(ComputerPlayer, SmallSectionsAreSearchedWholeFromTheirFirstWord)
{
    const ComputerPlayer bot({"ba", "bb", "ca"});
    fakes::ScriptedRandom random;
    random.push(1);
    EXPECT_EQ(bot.computerfindword(2, 1, letterindex('b'), rackOf("ba"), random), "2+1+2+2");
    EXPECT_EQ(bot.computerfindword(2, 1, letterindex('b'), rackOf("b"), random), "2+1+2+1");
    EXPECT_EQ(bot.computerfindword(2, 1, letterindex('c'), rackOf("a"), random), "2+1+2+1");
    EXPECT_EQ(random.draws(), 0);
}

TEST(ComputerPlayer, RowsAreTriedCircularlyAfterARandomStartRow)
{
    // Rows: 1 a, 2 b, 3 c, 4 d; the rack fits every row's one word.
    const ComputerPlayer bot({"ax", "bx", "cx", "dx"});
    const Rack rack = rackOf("x");
    struct Case {
        int startdraw; // below(rowcount): start row is this plus 1
        std::string finished;
        std::string body;
    };
    const std::vector<Case> cases{
        {0, "", "3+2+2+1"}, // start row 1: row 2 first
        {3, "", "3+1+2+1"}, // start row 4: wraps to row 1
        {1, "34", "3+1+2+1"}, // start row 2: rows 3 and 4 are done
        {0, "134", "3+2+2+1"}, {1, "134", "3+2+2+1"}, // the start row itself comes last
        {2, "1234", "3+"}, // nothing open: pass
    };
    for (const auto& c : cases) {
        fakes::ScriptedRandom random;
        random.push(c.startdraw);
        const auto move = bot.computerplay(3, board("abcd", c.finished), rack, random);
        EXPECT_EQ(move.body, c.body) << c.startdraw << " " << c.finished;
        EXPECT_EQ(move.pass, c.body == "3+");
    }
}

TEST(ComputerPlayer, PassesWhenTheOnlyOpenRowHasNoBuildableWord)
{
    const ComputerPlayer bot({"cat", "cot", "dog"});
    fakes::ScriptedRandom random;
    const auto move = bot.computerplay(2, board("cd", "2"), rackOf("og"), random);
    EXPECT_TRUE(move.pass);
    EXPECT_EQ(move.body, "2+");
}

TEST(ComputerPlayer, EngineTakesTheComputersOneLetterWord)
{
    GameRig rig({"a"});
    rig.spell.add("a");
    rig.botspeed = 2000;
    rig.connect(7, "Spy");
    rig.scriptRows("a");
    rig.engine.startgame("Spy+50+30+");
    EXPECT_EQ(rig.computer.interval(), 2000);
    rig.engine.computertimerTimer();
    EXPECT_EQ(rig.lastTo(7), "CMD_roundend+");
    EXPECT_EQ(rig.out.to(7).at(rig.out.to(7).size() - 2), "CMD_hisword+2+1+a+1+1");
}

TEST(ComputerPlayer, RefusedComputerWordEndsByTimeOut)
{
    GameRig rig({"cat"});
    rig.connect(7, "Spy");
    rig.scriptRows("c");
    rig.engine.startgame("Spy+50+30+");
    rig.seats[2].tiles = rackOf("at");
    rig.engine.computertimerTimer();
    EXPECT_EQ(rig.spell.asked(), std::vector<std::string>{"cat"});
    EXPECT_EQ(rig.lastTo(7), "CMD_nextplayer+2+"); // nothing sent: seat 2 has no connection
    EXPECT_FALSE(rig.computer.isActive());
    rig.tickTurn(34);
    EXPECT_TRUE(rig.breaks.isActive());
}

} // namespace
} // namespace glypharo::enginetest
