#include "ClientHarness.h"

#include "client/BoardModel.h"

#include <gtest/gtest.h>

namespace glypharo::testing {
namespace {

// Click sequences on the board of a round that plays rows 1 to 4, seat 2 to
// act. Each click is a tile pick-up (tile > 0) followed by a slot click, or a
// bare slot click (tile 0).
struct Click {
    int tile;
    int row;
    int col;
};

TEST(BoardModel, LayingRulesAndRefusals)
{
    struct Case {
        const char* what;
        std::vector<Click> clicks;
        std::string status;
        std::string lastSound;
    };
    const Case cases[] = {
        {"first letter in column 2", {{1, 1, 2}}, "", "placeletter"},
        {"first letter not in column 2", {{1, 1, 3}}, "You cannot place a letter there yet.", "invalid"},
        {"second letter skips a column", {{1, 1, 2}, {2, 1, 4}}, "You cannot place a letter there yet.",
            "invalid"},
        {"second letter in column 3", {{1, 1, 2}, {2, 1, 3}}, "", "placeletter"},
        {"another row", {{1, 1, 2}, {2, 2, 2}}, "You can only work on one word per turn.", "invalid"},
        {"row not in play", {{1, 5, 2}}, "There is already a word there", "invalid"},
        {"start letter column ignored", {{1, 1, 1}}, "Your Turn.", "pickupletter"},
        {"empty slot without a tile", {{0, 1, 2}}, "Select a letter first.", "invalid"},
        {"occupied slot with a tile", {{1, 1, 2}, {2, 1, 2}}, "There is already a letter there.", "invalid"},
        {"earlier letter taken back", {{1, 1, 2}, {2, 1, 3}, {0, 1, 2}}, "You cannot remove that right now.",
            "invalid"},
        {"last letter taken back", {{1, 1, 2}, {2, 1, 3}, {0, 1, 3}}, "", "placeletter"},
    };
    for (const auto& c : cases) {
        ClientHarness h;
        h.login(2, "Ann");
        h.startRound(4);
        h.myTurn();
        for (const auto& k : c.clicks) {
            if (k.tile)
                h.model.tile_1Click(k.tile);
            h.model.word_12Click(k.row, k.col);
        }
        EXPECT_EQ(h.st().status, c.status) << c.what;
        ASSERT_FALSE(h.obs.sounds.empty()) << c.what;
        EXPECT_EQ(h.obs.sounds.back(), c.lastSound) << c.what;
    }
}

TEST(BoardModel, LayingDrawsTheLetterAndMarksTheNextColumn)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound();
    h.myTurn({5, 8, 1, 1, 1, 1, 1, 1, 1});
    h.lay(2, 3, 2);
    EXPECT_EQ(h.st().slot(3, 2).tag, 2) << "a slot names the rack tile laid there";
    EXPECT_EQ(h.st().slot(3, 2).face, 8);
    EXPECT_EQ(h.st().slot(3, 3).face, kBlankFace);
    EXPECT_FALSE(h.st().tile(2).visible);
    EXPECT_EQ(h.st().tile(2).y, kTileResting);
    EXPECT_EQ(h.st().currentRow, 3);
    EXPECT_EQ(h.st().currentColumn, 2);
    EXPECT_EQ(h.st().selectedTile, 0);
}

TEST(BoardModel, ColumnTenDrawsNoMarker)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound();
    h.myTurn();
    for (int t = 1; t <= 9; ++t)
        h.lay(t, 1, t + 1);
    EXPECT_EQ(h.st().currentColumn, 10);
    EXPECT_EQ(h.st().slot(1, 10).tag, 9);
    h.model.word_12Click(1, 10); // take the last back: nothing beyond column 10
    EXPECT_EQ(h.st().currentColumn, 9);
    EXPECT_EQ(h.st().slot(1, 10).face, kBlankFace);
    EXPECT_TRUE(h.st().tile(9).visible);
}

TEST(BoardModel, TakingBackTheOnlyLetterReopensTheRow)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound();
    h.myTurn();
    h.lay(4, 2, 2);
    h.obs.clear();
    h.model.word_12Click(2, 2);
    EXPECT_EQ(h.st().currentRow, 0);
    EXPECT_EQ(h.st().currentColumn, 1);
    EXPECT_EQ(h.st().slot(2, 2).tag, 0);
    EXPECT_EQ(h.st().slot(2, 2).face, kBlankFace);
    EXPECT_EQ(h.st().slot(2, 3).face, kNoFace);
    EXPECT_TRUE(h.st().tile(4).visible);
    EXPECT_TRUE(h.obs.sounds.empty());
    h.lay(5, 1, 2);
    EXPECT_EQ(h.st().currentRow, 1) << "any row can be started again";
}

TEST(BoardModel, TileClicksPickUpPutDownAndSwap)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.model.tile_1Click(3);
    EXPECT_EQ(h.st().selectedTile, 3);
    EXPECT_EQ(h.st().tile(3).y, kTileRaised);
    h.model.tile_1Click(3);
    EXPECT_EQ(h.st().selectedTile, 0);
    EXPECT_EQ(h.st().tile(3).y, kTileResting);
    h.model.tile_1Click(5);
    h.model.tile_1Click(2);
    EXPECT_EQ(h.st().tile(5).x, kTileX[1]);
    EXPECT_EQ(h.st().tile(2).x, kTileX[4]);
    EXPECT_EQ(h.st().tile(5).y, kTileResting);
    EXPECT_EQ(
        h.obs.sounds, (std::vector<std::string>{"pickupletter", "swapletter", "pickupletter", "swapletter"}));
    h.model.tile_1Click(0);
    h.model.tile_1Click(10);
    EXPECT_EQ(h.obs.sounds.size(), 4u);
}

TEST(BoardModel, SwappedTilesKeepTheirNumbersInTheWordSent)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound(4);
    h.myTurn();
    h.model.tile_1Click(5);
    h.model.tile_1Click(1); // tile 5 now stands first in the rack
    h.lay(5, 4, 2);
    h.lay(3, 4, 3);
    h.model.button_submitClick();
    ASSERT_EQ(h.obs.sent.size(), 1u);
    EXPECT_EQ(h.obs.sent[0], "CMD_myword+2+4+2+5+3+3+4+0+5+0+6+0+7+0+8+0+9+0+10+0");
    EXPECT_EQ(h.st().currentPlayer, 0);
    EXPECT_FALSE(h.st().turnButtons);
    EXPECT_EQ(h.st().slot(4, 2).tag, 5) << "the letters wait for the host's answer";
    EXPECT_EQ(h.st().currentRow, 4);
}

TEST(BoardModel, RightClickSubmitsOnlyOnMyTurn)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound();
    h.model.boardRightClick();
    EXPECT_TRUE(h.obs.sent.empty());
    EXPECT_TRUE(h.obs.sounds.empty());
    h.myTurn();
    h.model.boardRightClick();
    EXPECT_EQ(h.st().status, "You must create a word first.");
    EXPECT_TRUE(h.obs.sent.empty());
    h.lay(1, 1, 2);
    h.model.boardRightClick();
    ASSERT_EQ(h.obs.sent.size(), 1u);
    EXPECT_EQ(h.obs.sent[0].rfind("CMD_myword+2+1+2+1+3+0", 0), 0u);
}

TEST(BoardModel, ClearAndPassGiveTheTilesBack)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound();
    h.myTurn();
    h.lay(1, 1, 2);
    h.lay(2, 1, 3);
    h.model.button_clearClick();
    EXPECT_TRUE(h.st().tile(1).visible);
    EXPECT_TRUE(h.st().tile(2).visible);
    EXPECT_EQ(h.st().slot(1, 2).face, kBlankFace);
    EXPECT_EQ(h.st().slot(1, 3).face, kNoFace);
    EXPECT_EQ(h.st().currentRow, 0);
    EXPECT_EQ(h.obs.sounds.back(), "clear");
    h.lay(1, 2, 2);
    h.model.button_passClick();
    EXPECT_EQ(h.obs.sent, (std::vector<std::string>{"CMD_ipass+2+"}));
    EXPECT_TRUE(h.st().tile(1).visible);
    EXPECT_EQ(h.st().currentPlayer, 0);
    EXPECT_FALSE(h.st().turnButtons);
    h.model.button_passClick();
    EXPECT_EQ(h.obs.sent.size(), 1u) << "no longer my turn";
}

TEST(BoardModel, NobodyActsBeforeASeatIsAssigned)
{
    ClientHarness h; // own seat 0, current player 0
    h.model.word_12Click(3, 2);
    h.model.boardRightClick();
    h.model.button_passClick();
    EXPECT_EQ(h.st().status, "Welcome to GLYPHARO!");
    EXPECT_TRUE(h.obs.sounds.empty());
    EXPECT_EQ(h.st().slot(3, 2).face, 7) << "the title stays";
}

TEST(BoardModel, CountdownAtSixtySeconds)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound();
    h.myTurn();
    h.lay(1, 1, 2);
    EXPECT_EQ(h.st().timerBarTag, 7);
    EXPECT_TRUE(h.turntimer.isActive());
    EXPECT_EQ(h.turntimer.interval(), 1000);
    h.obs.clear();
    std::vector<int> ticksAt;
    for (int t = 0; t < 59; ++t) {
        auto before = h.obs.sounds.size();
        h.model.turntimerTimer();
        if (t == 0) {
            EXPECT_EQ(h.st().timerText, "Time: 0:59");
            EXPECT_EQ(h.st().timerBarWidth, 7 * 59);
        }
        if (h.obs.sounds.size() > before)
            ticksAt.push_back(h.st().secondsLeft);
    }
    EXPECT_EQ(ticksAt, (std::vector<int>{20, 15, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(h.st().timerText, "Time: 0:01");
    h.model.turntimerTimer();
    EXPECT_EQ(h.st().status, "Time Up!");
    EXPECT_EQ(h.st().timerText, "Time: 0:00");
    EXPECT_EQ(h.st().timerBarWidth, 0);
    EXPECT_EQ(h.obs.sounds.back(), "timeup");
    EXPECT_FALSE(h.turntimer.isActive());
    EXPECT_EQ(h.st().currentPlayer, 0);
    EXPECT_EQ(h.st().currentRow, 0);
    EXPECT_EQ(h.st().slot(1, 2).tag, 0) << "the laid letter is cleared";
    EXPECT_EQ(h.st().tile(1).face, kNoFace) << "the rack is emptied";
    EXPECT_TRUE(h.st().turnButtons) << "the buttons stay, doing nothing";
}

TEST(BoardModel, TimerText)
{
    const std::pair<int, const char*> cases[] = {{65, "Time: 1:05"}, {59, "Time: 0:59"}, {120, "Time: 2:00"}};
    for (const auto& [s, text] : cases)
        EXPECT_EQ(timerText(s), text);
}

TEST(BoardModel, PlaySoundsOffSilencesGameSounds)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.model.options().playSounds = false;
    h.model.tile_1Click(1);
    EXPECT_TRUE(h.obs.sounds.empty());
    EXPECT_EQ(h.st().selectedTile, 1);
}

} // namespace
} // namespace glypharo::testing
