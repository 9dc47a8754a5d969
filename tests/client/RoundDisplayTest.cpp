#include "ClientHarness.h"

#include <gtest/gtest.h>

namespace glypharo::testing {
namespace {

TEST(RoundDisplay, StartOfAGame)
{
    ClientHarness h;
    h.login(1, "Host", true);
    h.receive(gamemsg::startgame("Host", 50, 60));
    EXPECT_EQ(h.st().playtoscore, "Play To Score: 50");
    EXPECT_EQ(h.st().timeperturn, "Time Per Turn: 60");
    EXPECT_EQ(h.st().timerTag, 60);
    EXPECT_EQ(h.st().timerBarTag, 7);
    EXPECT_FALSE(h.st().buttonStart);
    EXPECT_EQ(h.st().seat(2).name, "Klot");
    EXPECT_EQ(h.obs.chat.back().first, "0+You have started a game.");
    EXPECT_EQ(h.st().slot(3, 2).face, kNoFace) << "the title goes";

    ClientHarness other;
    other.login(3, "Cy");
    other.receive(gamemsg::startgame("Host", 50, 90));
    EXPECT_EQ(other.obs.chat.back().first, "0+Host has started a game.");
    EXPECT_EQ(other.st().timerBarTag, 4);
}

TEST(RoundDisplay, ZeroOrNegativeTurnTimeDoesNotDivideByZero)
{
    for (int seconds : {0, -5}) {
        ClientHarness h;
        h.login(2, "Ann");
        h.receive({gamemsg::startgame("Host", 50, seconds), gamemsg::nextplayer(2)});
        EXPECT_EQ(h.st().timerBarTag, 0);
        EXPECT_EQ(h.st().timerTag, seconds);
        h.model.turntimerTimer();
        EXPECT_EQ(h.st().status, "Time Up!");
        h.receive(gamemsg::gamestats(50, seconds, 10, 1, 1, {}));
        EXPECT_EQ(h.st().timerBarTag, 0);
    }
}

TEST(RoundDisplay, RowsBeyondTheRoundStayLocked)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound(4);
    EXPECT_EQ(h.st().roundnum, "Round: 1");
    EXPECT_EQ(h.st().slot(2, 1).tag, 2);
    EXPECT_EQ(h.st().slot(2, 1).face, 2);
    EXPECT_EQ(h.st().slot(2, 2).face, kBlankFace);
    EXPECT_EQ(h.st().slot(2, 3).tag, 0);
    EXPECT_EQ(h.st().slot(5, 1).tag, kLockedSlot);
    h.myTurn();
    for (int row : {5, 6}) {
        h.lay(1, row, 2);
        EXPECT_EQ(h.st().status, "There is already a word there");
        h.model.tile_1Click(1);
    }
}

TEST(RoundDisplay, OwnWordInUpperCaseOthersAsSent)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.seatOther(3, "Cy");
    h.startRound();
    h.myTurn();
    h.lay(1, 1, 2);
    h.receive(gamemsg::hisword(2, 1, "ab", 12, 12, {{2, 2}}));
    EXPECT_EQ(h.st().status, "You created the word: AB for 12 points.");
    EXPECT_EQ(h.st().seat(2).score, "12");
    EXPECT_EQ(h.st().seat(2).bonus, "+12");
    EXPECT_EQ(h.st().slot(1, 2).tag, kLockedSlot);
    EXPECT_EQ(h.st().slot(1, 2).face, 2);
    EXPECT_EQ(h.st().slot(1, 3).face, kNoFace);
    EXPECT_EQ(h.st().tile(2).face, kNoFace);
    ASSERT_EQ(h.tally.words.size(), 1u);
    EXPECT_EQ(h.tally.words[0].word, "AB");
    EXPECT_EQ(h.tally.words[0].points, 12);
    EXPECT_EQ(h.tally.words[0].column, 3);
    EXPECT_EQ(h.obs.sounds.back(), "goodword");
    EXPECT_FALSE(h.turntimer.isActive());

    h.receive(gamemsg::hisword(3, 2, "bad", 7, 7, {{2, 1}, {3, 4}}));
    EXPECT_EQ(h.st().status, "Cy created the word: bad for 7 points.");
    EXPECT_EQ(h.st().seat(2).bonus, "") << "the earlier bonus goes";
    EXPECT_EQ(h.st().seat(3).bonus, "+7");

    h.myTurn();
    h.lay(1, 3, 2);
    h.receive(gamemsg::hisword(2, 3, "ca", 20, 8, {{2, 1}}));
    EXPECT_EQ(h.tally.words.size(), 1u) << "8 points do not beat the best word of 12";
}

TEST(RoundDisplay, ScoreAndBonusArePlacedAfterTheName)
{
    ClientHarness h;
    h.model.setTextWidth([](const std::string& text, bool) { return static_cast<int>(text.size()) * 10; });
    h.login(2, "Ann");
    h.startRound();
    EXPECT_EQ(h.st().seat(2).scoreLeft, kNameLeft + 30 + 4);
    h.receive(gamemsg::hisword(2, 1, "ab", 125, 12, {{2, 2}}));
    EXPECT_EQ(h.st().seat(2).scoreLeft, kNameLeft + 30 + 4);
    EXPECT_EQ(h.st().seat(2).bonusLeft, kNameLeft + 30 + 4 + 30 + 4);
}

TEST(RoundDisplay, InvalidGivesTheTurnBackWithTheLettersKept)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound();
    h.myTurn();
    h.model.turntimerTimer();
    h.lay(1, 1, 2);
    h.model.button_submitClick();
    ASSERT_EQ(h.st().currentPlayer, 0);
    const std::pair<int, const char*> reasons[] = {{2, "Cannot make a word there"}, {1, "Invalid Word"}};
    for (const auto& [reason, text] : reasons) {
        h.receive(gamemsg::invalid(2, reason));
        EXPECT_EQ(h.st().status, text);
        EXPECT_EQ(h.obs.sounds.back(), "invalid");
        EXPECT_EQ(h.st().currentPlayer, 2);
        EXPECT_TRUE(h.st().turnButtons);
        EXPECT_EQ(h.st().slot(1, 2).tag, 1);
        EXPECT_EQ(h.st().currentRow, 1);
        EXPECT_EQ(h.st().secondsLeft, 59) << "the countdown goes on";
        EXPECT_TRUE(h.turntimer.isActive());
    }
    h.receive(gamemsg::invalid(2, 3));
    EXPECT_EQ(h.st().status, "Invalid Word") << "an unknown reason keeps the status";
    h.lay(2, 1, 3);
    EXPECT_EQ(h.st().currentColumn, 3);
}

TEST(RoundDisplay, WaitingSeatTakesItsComputerName)
{
    const std::pair<int, const char*> cases[]
        = {{2, "Klot"}, {3, "Klick"}, {4, "Kling"}, {5, "Klick"}, {6, "Krazy"}};
    for (const auto& [seat, name] : cases) {
        ClientHarness h;
        h.login(1, "Host", true);
        h.receive(gamemsg::nextplayer(seat));
        EXPECT_EQ(h.st().seat(seat).name, name);
        EXPECT_EQ(h.st().status, std::string(name) + "'s turn.");
        EXPECT_EQ(h.st().turnMarkerTop, kNameTop[static_cast<std::size_t>(seat - 1)] - 4);
        EXPECT_FALSE(h.st().turnButtons);
    }
}

TEST(RoundDisplay, OwnTurnSoundFollowsTheOption)
{
    for (int option : {0, 1}) {
        ClientHarness h;
        h.login(2, "Ann");
        h.model.options().turnSound = option;
        h.receive(gamemsg::nextplayer(2));
        EXPECT_EQ(h.st().status, "Your Turn.");
        EXPECT_EQ(h.obs.sounds.back(), option == 1 ? "turnnew" : "turn");
        EXPECT_TRUE(h.st().turnButtons);
    }
}

TEST(RoundDisplay, PassAndRoundEnd)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.seatOther(4, "Di");
    h.startRound();
    h.myTurn();
    h.receive(gamemsg::hepass(2));
    EXPECT_EQ(h.st().status, "You passed.");
    EXPECT_EQ(h.st().tile(1).face, kNoFace);
    EXPECT_FALSE(h.turntimer.isActive());
    h.receive(gamemsg::hepass(4));
    EXPECT_EQ(h.st().status, "Di passed.");
    EXPECT_EQ(h.obs.sounds.back(), "pass");
    h.receive(gamemsg::roundend());
    EXPECT_EQ(h.st().status, "Round Over.. Please Wait.");
}

TEST(RoundDisplay, WinnerBannerAndTally)
{
    struct Case {
        int seat;
        const char* winner;
        const char* banner;
        std::vector<std::string> games;
    };
    const Case cases[] = {
        {2, "Ann", "You have Won the Game!", {"addtomine"}},
        {2, "Cy", "Cy has Won the Game!", {"Cy"}},
        {7, "Ann", "Ann has Won the Game!", {}},
    };
    for (const auto& c : cases) {
        ClientHarness h;
        h.login(c.seat, "Ann");
        h.receive({gamemsg::roundend(), gamemsg::winner(c.winner)});
        EXPECT_EQ(h.st().winner1, c.banner);
        EXPECT_TRUE(h.st().panelWinner);
        EXPECT_EQ(h.st().status, "Game Over!");
        EXPECT_EQ(h.obs.chat.back().first, std::string("0+") + c.banner);
        EXPECT_EQ(h.obs.sounds.back(), "gameover");
        EXPECT_EQ(h.tally.games, c.games);
        EXPECT_FALSE(h.st().buttonStart) << "only the host gets the start button back";
    }
    ClientHarness host;
    host.login(1, "Host", true);
    host.receive(gamemsg::winner("Host"));
    EXPECT_TRUE(host.st().buttonStart);
    host.receive(gamemsg::startgame("Host", 50, 60));
    EXPECT_FALSE(host.st().panelWinner);
}

TEST(RoundDisplay, CatchUpOfAGameInProgress)
{
    ClientHarness h;
    h.login(3, "Cy");
    h.receive(gamemsg::gamestats(40, 30, 12, 1, 2, {5, 0, 0, 0, 0, 0}));
    EXPECT_EQ(h.st().playtoscore, "Play To Score: 40");
    EXPECT_EQ(h.st().roundnum, "Round: 2");
    EXPECT_EQ(h.st().timeperturn, "Time Per Turn: 30");
    EXPECT_EQ(h.st().timerBarTag, 14);
    EXPECT_EQ(h.st().secondsLeft, 12);
    EXPECT_EQ(h.st().currentPlayer, 1);
    EXPECT_EQ(h.st().seat(1).score, "5");
    EXPECT_TRUE(h.turntimer.isActive());
    h.model.turntimerTimer();
    EXPECT_EQ(h.st().timerText, "Time: 0:11");

    std::array<gamemsg::RowSnapshot, 6> rows{};
    rows[0].finished = true;
    rows[0].letters = {3, 1, 20, 0, 0, 0, 0, 0, 0, 0};
    rows[1].finished = false;
    rows[1].letters = {4, 15, 0, 0, 0, 0, 0, 0, 0, 0};
    h.receive(gamemsg::thewords(rows));
    EXPECT_EQ(h.st().slot(1, 3).tag, kLockedSlot);
    EXPECT_EQ(h.st().slot(1, 3).face, 20);
    EXPECT_EQ(h.st().slot(1, 4).face, kNoFace);
    EXPECT_EQ(h.st().slot(2, 2).tag, 15) << "a letter of an open row occupies its slot";
    EXPECT_EQ(h.st().slot(2, 3).tag, 0);
    EXPECT_EQ(h.st().slot(2, 3).face, kBlankFace);
}

TEST(RoundDisplay, CatchUpBetweenTurnsIsTimeUpAtTheFirstTick)
{
    for (int left : {0, -4}) {
        ClientHarness h;
        h.login(3, "Cy");
        h.receive(gamemsg::gamestats(40, 30, left, 0, 2, {}));
        EXPECT_TRUE(h.turntimer.isActive());
        h.model.turntimerTimer();
        EXPECT_EQ(h.st().status, "Time Up!");
        EXPECT_EQ(h.st().timerText, "Time: 0:00");
        EXPECT_FALSE(h.turntimer.isActive());
    }
}

TEST(RoundDisplay, CatchUpNeverHandsTheTurnToASpectator)
{
    ClientHarness h;
    h.login(8, "Spy");
    h.receive(gamemsg::gamestats(40, 30, 20, 8, 2, {}));
    EXPECT_EQ(h.st().currentPlayer, 0);
}

} // namespace
} // namespace glypharo::testing
