#include "GameTestRig.h"

#include "protocol/GameMessages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace glypharo::enginetest {
namespace {

// A CMD_myword body as the client sends it: the first `tiles` rack places in
// order, then empty groups up to nine.
std::string clientWord(int seat, int row, int tiles)
{
    std::string body = std::to_string(seat) + '+' + std::to_string(row);
    for (int g = 1; g <= 9; ++g)
        body += '+' + std::to_string(g + 1) + '+' + std::to_string(g <= tiles ? g : 0);
    return body;
}

TEST(GameEngineRounds, RowsFollowTheSeatsInTheRound)
{
    struct Case {
        std::vector<int> connected;
        int rows;
        std::string flags; // in-round flag of seats 1..6
    };
    const std::vector<Case> cases{
        {{}, 1, "010000"}, // nobody: "Klot" alone
        {{2}, 1, "010000"},
        {{1}, 4, "110000"},
        {{1, 3}, 6, "111000"},
        {{1, 3, 4}, 4, "111100"},
        {{1, 4, 5, 6}, 5, "110111"},
        {{1, 2, 3, 4, 5, 6}, 6, "111111"},
    };
    for (const auto& c : cases) {
        GameRig rig;
        rig.connect(7, "Spy"); // sees every broadcast
        for (int s : c.connected)
            rig.connect(s, "P" + std::to_string(s));
        rig.engine.startgame("Spy+5+60+");
        EXPECT_EQ(rig.engine.state().rowcount, c.rows);
        const std::string roundstart = rig.out.to(7).at(1);
        std::string expected = "CMD_roundstart+1";
        for (int s = 1; s <= 6; ++s)
            expected += "+p+" + std::to_string(s) + '+' + c.flags[static_cast<std::size_t>(s - 1)];
        for (int r = 1; r <= c.rows; ++r)
            expected += "+w+" + std::to_string(r) + '+' + std::to_string(rig.engine.state().row(r).first());
        EXPECT_EQ(roundstart, expected) << c.rows;
        for (int r = 1; r <= 6; ++r)
            EXPECT_EQ(rig.engine.state().row(r).open(), r <= c.rows);
    }
}

TEST(GameEngineRounds, StartFieldsFallBackTo5And60)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Ann+100+30+", "CMD_startgame+Ann+100+30+"},
        {"Ann+abc+30+", "CMD_startgame+Ann+5+30+"},
        {"Ann+100+ 30+", "CMD_startgame+Ann+100+60+"},
        {"Ann++", "CMD_startgame+Ann+5+60+"},
        {"Ann", "CMD_startgame+Ann+5+60+"},
        {"Ann+99999999999+0x10+", "CMD_startgame+Ann+5+60+"},
    };
    for (const auto& [body, sent] : cases) {
        GameRig rig;
        rig.connect(1, "Ann");
        rig.engine.startgame(body);
        EXPECT_EQ(rig.out.to(1).at(0), sent) << body;
    }
}

// The host's player alone against "Klot" over four rows c, d, t, m.
class SoloGame : public ::testing::Test {
protected:
    SoloGame()
    {
        rig.spell.add("cat");
        rig.spell.add("dog");
        rig.spell.add("tan");
        rig.spell.add("man");
        rig.connect(1, "Ann");
        rig.scriptRows("cdtm");
        rig.engine.startgame("Ann+100+30+");
    }
    // Seat 1 lays `word` (after the row's first letter) from a rack built
    // for it.
    void play(int row, const std::string& word)
    {
        rig.seats[1].tiles = rackOf(word.substr(1));
        rig.engine.myword(clientWord(1, row, static_cast<int>(word.size()) - 1));
    }
    std::size_t sentCount() const { return rig.out.sent.size(); }

    GameRig rig;
};

TEST_F(SoloGame, StartSendsRoundThenTilesBeforeTurn)
{
    const auto got = rig.out.to(1);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], "CMD_startgame+Ann+100+30+");
    EXPECT_EQ(got[1], "CMD_roundstart+1+p+1+1+p+2+1+p+3+0+p+4+0+p+5+0+p+6+0+w+1+3+w+2+4+w+3+20+w+4+13");
    EXPECT_EQ(got[2], gamemsg::mytiles(1, rig.seats[1].tiles));
    EXPECT_EQ(got[3], "CMD_nextplayer+1+");
    EXPECT_TRUE(rig.turn.isActive());
    EXPECT_FALSE(rig.computer.isActive());
}

TEST_F(SoloGame, AcceptedWordScoresAndNextTurnFollowsAfterThreeSeconds)
{
    play(1, "cat");
    EXPECT_EQ(rig.lastTo(1), "CMD_hisword+1+1+cat+5+5+2+1+3+20");
    EXPECT_EQ(rig.seats[1].score, 5);
    EXPECT_FALSE(rig.turn.isActive());
    EXPECT_EQ(rig.engine.currentSeat(), 0);
    const auto before = sentCount();
    rig.tickBreaks(2);
    EXPECT_EQ(sentCount(), before);
    rig.tickBreaks(1);
    EXPECT_EQ(rig.lastTo(1), "CMD_nextplayer+2+");
    EXPECT_TRUE(rig.computer.isActive());
    EXPECT_EQ(rig.computer.interval(), 1000);
}

TEST_F(SoloGame, RefusedWordStaysVisibleWhileTheTurnGoesOn)
{
    play(1, "cxz");
    EXPECT_EQ(rig.lastTo(1), "CMD_invalid+1+1+");
    EXPECT_EQ(rig.seats[1].score, 0);
    EXPECT_TRUE(rig.turn.isActive());
    rig.engine.sendCatchUp(1);
    const std::string words = rig.lastTo(1);
    EXPECT_NE(words.find("+f+1+0+0+w+1+1+3+w+1+2+24+w+1+3+26+w+1+4+0+"), std::string::npos) << words;
    EXPECT_NE(words.find("+f+5+0+1+"), std::string::npos);
    // The next attempt overwrites the refused letters.
    play(1, "cat");
    EXPECT_EQ(rig.lastTo(1), "CMD_hisword+1+1+cat+5+5+2+1+3+20");
    EXPECT_EQ(rig.engine.state().row(1).letters[3], kNoLetter);
}

TEST_F(SoloGame, FinishedRowIsRefusedWithReason2)
{
    play(1, "cat");
    ASSERT_TRUE(rig.runToTurnOf(1)); // "Klot" has no words and passes
    play(1, "cat");
    EXPECT_EQ(rig.lastTo(1), "CMD_invalid+1+2+");
    EXPECT_EQ(rig.seats[1].score, 5);
    EXPECT_TRUE(rig.turn.isActive());
}

TEST_F(SoloGame, PassGivesTheNextTurnOneSecondLater)
{
    rig.engine.ipass("1+");
    EXPECT_EQ(rig.lastTo(1), "CMD_hepass+1+");
    EXPECT_FALSE(rig.turn.isActive());
    rig.tickBreaks(1);
    EXPECT_EQ(rig.lastTo(1), "CMD_nextplayer+2+");
    // "Klot" passes one bot-speed tick into its turn.
    rig.engine.computertimerTimer();
    EXPECT_EQ(rig.lastTo(1), "CMD_hepass+2+");
}

TEST_F(SoloGame, TimeOutAfterTurnSecondsPlusFourThenThreeSecondPause)
{
    rig.tickTurn(10);
    rig.engine.sendCatchUp(1);
    EXPECT_EQ(rig.out.to(1).at(4), "CMD_gamestats+100+30+20+1+1+1+0+2+0+3+0+4+0+5+0+6+0");
    const auto before = sentCount();
    rig.tickTurn(23);
    EXPECT_TRUE(rig.turn.isActive());
    rig.tickTurn(1);
    EXPECT_FALSE(rig.turn.isActive());
    EXPECT_EQ(sentCount(), before); // clients run their own clocks
    rig.engine.sendCatchUp(1);
    EXPECT_EQ(rig.out.to(1).at(6), "CMD_gamestats+100+30+-4+0+1+1+0+2+0+3+0+4+0+5+0+6+0");
    rig.tickBreaks(2);
    EXPECT_EQ(rig.out.to(1).size(), 8u);
    rig.tickBreaks(1);
    EXPECT_EQ(rig.lastTo(1), "CMD_nextplayer+2+");
}

TEST_F(SoloGame, LastRowEndsTheRoundAndTheNextStartsFifteenSecondsLater)
{
    const std::vector<std::pair<int, std::string>> words{{1, "cat"}, {2, "dog"}, {3, "tan"}, {4, "man"}};
    for (const auto& [row, word] : words) {
        ASSERT_TRUE(rig.runToTurnOf(1));
        play(row, word);
    }
    auto got = rig.out.to(1);
    EXPECT_EQ(got[got.size() - 2], "CMD_hisword+1+4+man+20+5+2+1+3+14");
    EXPECT_EQ(got.back(), "CMD_roundend+");
    EXPECT_EQ(rig.engine.currentSeat(), 1);

    // The finisher is still named, but has no turn in the pause.
    const auto before = sentCount();
    rig.engine.ipass("1+");
    play(1, "cat");
    rig.engine.regiveTurn();
    EXPECT_EQ(sentCount(), before);

    rig.scriptRows("cdtm");
    rig.tickBreaks(14);
    EXPECT_EQ(sentCount(), before);
    rig.tickBreaks(1);
    got = rig.out.to(1);
    EXPECT_EQ(got[got.size() - 3].rfind("CMD_roundstart+2+", 0), 0u);
    EXPECT_EQ(got.back(), "CMD_nextplayer+1+");
}

TEST(GameEngineWinner, OnlyASingleLeaderAboveThePlayToScoreWins)
{
    struct Case {
        int ann; // before the last word, which is worth 5
        int klot;
        int seat5; // not in the round; counts all the same
        std::string result;
    };
    const std::vector<Case> cases{
        {95, 0, 0, ""},
        {96, 0, 0, "CMD_winner+Ann+"},
        {96, 101, 0, ""},
        {96, 102, 0, "CMD_winner+Klot+"},
        {0, 0, 150, "CMD_winner++"},
        {96, 0, 101, ""},
    };
    for (const auto& c : cases) {
        GameRig rig;
        rig.spell.add("man");
        rig.connect(1, "Ann");
        rig.scriptRows("mmmm");
        rig.engine.startgame("Ann+100+30+");
        for (int row = 1; row <= 4; ++row) {
            ASSERT_TRUE(rig.runToTurnOf(1));
            if (row == 4) {
                rig.seats[1].score = c.ann;
                rig.seats[2].score = c.klot;
                rig.seats[5].score = c.seat5;
            }
            rig.seats[1].tiles = rackOf("an");
            rig.engine.myword(clientWord(1, row, 2));
        }
        const auto got = rig.out.to(1);
        EXPECT_EQ(got[got.size() - (c.result.empty() ? 1 : 2)], "CMD_roundend+");
        if (c.result.empty()) {
            EXPECT_TRUE(rig.engine.gameInProgress());
            EXPECT_TRUE(rig.breaks.isActive());
            continue;
        }
        EXPECT_EQ(got.back(), c.result);
        EXPECT_FALSE(rig.engine.gameInProgress());
        EXPECT_FALSE(rig.breaks.isActive() || rig.turn.isActive() || rig.computer.isActive());
        rig.engine.ipass("1+"); // the game is over
        EXPECT_EQ(rig.out.to(1).size(), got.size());
    }
}

TEST(GameEngineComputer, WatchingDuringTheTurnHandsItToAComputerAtOnce)
{
    GameRig bot({"cat"});
    bot.spell.add("cat");
    bot.botspeed = 500;
    bot.connect(1, "Ann");
    bot.scriptRows("cccc");
    bot.engine.startgame("Ann+100+30+");
    bot.tickTurn(12);
    const Rack first = bot.seats[1].tiles;
    bot.seats[1].watching = true; // as TServer sets it on CMD_justwatch
    bot.engine.regiveTurn();
    auto got = bot.out.to(1);
    EXPECT_EQ(got[got.size() - 2], gamemsg::mytiles(1, bot.seats[1].tiles));
    EXPECT_EQ(got.back(), "CMD_nextplayer+1+");
    EXPECT_NE(bot.seats[1].tiles, first);
    EXPECT_TRUE(bot.computer.isActive());
    EXPECT_EQ(bot.computer.interval(), 500);
    bot.engine.sendCatchUp(1); // a fresh clock
    got = bot.out.to(1);
    EXPECT_EQ(got[got.size() - 2], "CMD_gamestats+100+30+30+1+1+1+0+2+0+3+0+4+0+5+0+6+0");

    bot.seats[1].tiles = rackOf("at");
    bot.engine.computertimerTimer();
    EXPECT_EQ(bot.lastTo(1).rfind("CMD_hisword+1+", 0), 0u);
    EXPECT_EQ(bot.seats[1].score, 5);
}

TEST_F(SoloGame, GivingTheTurnAnewBetweenTurnsChangesNothing)
{
    rig.engine.ipass("1+");
    const auto before = sentCount();
    rig.engine.regiveTurn();
    EXPECT_EQ(sentCount(), before);
    EXPECT_FALSE(rig.turn.isActive());
}

TEST(GameEngineComputer, AMoveArmedForATurnThatTimedOutIsDropped)
{
    GameRig rig({"cat"});
    rig.spell.add("cat");
    rig.connect(7, "Spy");
    rig.scriptRows("c");
    rig.engine.startgame("Spy+5+-10+"); // a turn shorter than the bot delay
    ASSERT_TRUE(rig.computer.isActive());
    rig.engine.timer_turnTimer();
    EXPECT_FALSE(rig.computer.isActive());
    const auto before = rig.out.sent.size();
    rig.engine.computertimerTimer();
    EXPECT_EQ(rig.out.sent.size(), before);
}

// Each of these leaves everything as it was: no letters, no score, no answer.
TEST_F(SoloGame, MalformedOrImpossibleMovesAreIgnored)
{
    const std::vector<std::string> bodies{
        "1+0+2+1+3+2", // row 0
        "1+7+2+1+3+2", // row beyond six
        "1+5+2+1+3+2", // row not in play this round
        "1+1+2+10+3+2", // tile beyond the rack
        "1+1+2+-1+3+2", // negative tile
        "1+1+2+1+3+1", // the same rack place twice
        "1+1+2+1+3+2+4+0+5+0+6+0+7+0+8+0+9+0+10+0+11+0", // ten groups
        "1+x+2+1+3+2", // row not a number
        "1+1+2+1+3+b", // tile not a number
        "1+1+2+1+3", // group cut short
        "x+1+2+1+3+2", // seat not a number
        "2+1+2+1+3+2", // not this seat's turn
    };
    rig.seats[1].tiles = rackOf("at");
    rig.engine.sendCatchUp(1);
    const std::string shown = rig.lastTo(1);
    for (const auto& body : bodies) {
        const auto before = sentCount();
        rig.engine.myword(body);
        EXPECT_EQ(sentCount(), before) << body;
        rig.engine.sendCatchUp(1);
        EXPECT_EQ(rig.lastTo(1), shown) << body;
    }
    for (const auto* body : {"x+", "+", "2+", ""}) {
        rig.engine.ipass(body);
        EXPECT_TRUE(rig.turn.isActive()) << body;
    }
    EXPECT_EQ(rig.seats[1].score, 0);
    // The same rack and row do make a word when asked properly.
    rig.engine.myword("1+1+2+1+3+2");
    EXPECT_EQ(rig.lastTo(1), "CMD_hisword+1+1+cat+5+5+2+1+3+20");
}

TEST(GameEngineComputer, MovesOutsideAnyGameAreIgnored)
{
    GameRig rig;
    rig.connect(1, "Ann");
    // Before the first game nobody is in a round: a pass "from seat 0" must
    // not go looking for a next player.
    for (const auto* body : {"0+", "1+"})
        rig.engine.ipass(body);
    rig.engine.myword("0+1");
    rig.engine.regiveTurn();
    EXPECT_TRUE(rig.out.sent.empty());
    EXPECT_FALSE(rig.turn.isActive() || rig.breaks.isActive() || rig.computer.isActive());
}

TEST_F(SoloGame, AStartMessageDuringAGameStartsOver)
{
    play(1, "cat");
    rig.scriptRows("dddd");
    rig.engine.startgame("Ann+50+20+");
    EXPECT_EQ(rig.seats[1].score, 0);
    EXPECT_EQ(rig.engine.state().round, 1);
    EXPECT_EQ(rig.lastTo(1), "CMD_nextplayer+1+");
    EXPECT_FALSE(rig.breaks.isActive());
    EXPECT_TRUE(rig.turn.isActive());
}

} // namespace
} // namespace glypharo::enginetest
