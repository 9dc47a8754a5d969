// One process, the real pieces: the program's host form listening on a free
// loopback port and the main window connected to it as seat 1. The game is
// started through the window's start dialog; the window's turns are played
// by mouse clicks against "Klot" in seat 2 until the round ends, and then
// host and window must agree on every row and score.
#include "AppTestSupport.h"

#include "app/HostForm.h"
#include "app/Tgamestart.h"
#include "dict/qt/QtResourceWordList.h"

namespace glypharo::apptest {
namespace {

struct Move {
    int row = 0;
    std::string word;
    std::vector<int> tiles; // rack places, in the order laid
};

class GameRoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<GameUnderTest>();
        host = game->chat().windows().server;
        game->hostHere();
        ASSERT_NE(game->hostPort(), 0);
        ASSERT_TRUE(
            waitUntil([&] { return game->state().connected && game->state().seat(1).name == "Ann"; }));
        // Klot moves at once instead of after the bot delay.
        game->chat().settings.botspeed = 1;
        words = QtResourceWordList::computerwords();
        ASSERT_FALSE(words.empty());
    }

    // A dictionary word the window's rack completes in an open row.
    std::optional<Move> findMove()
    {
        const ClientState& st = game->state();
        for (int r = 1; r <= kBoardRows; ++r) {
            if (st.slot(r, 2).tag != 0 || st.slot(r, 1).face < 1)
                continue;
            const char first = static_cast<char>('a' + st.slot(r, 1).face - 1);
            for (const auto& w : words) {
                if (w.size() < 2 || w.size() > 10 || w[0] != first)
                    continue;
                Move m{r, w, {}};
                std::array<bool, kTiles> used{};
                for (std::size_t i = 1; i < w.size(); ++i) {
                    for (int n = 1; n <= kTiles; ++n) {
                        auto& u = used[static_cast<std::size_t>(n - 1)];
                        if (!u && st.tile(n).tag == w[i] - 'a' + 1) {
                            u = true;
                            m.tiles.push_back(n);
                            break;
                        }
                    }
                }
                if (m.tiles.size() + 1 == w.size() && host->spell().WordExists(w))
                    return m;
            }
        }
        return std::nullopt;
    }

    void playMyTurn()
    {
        auto move = findMove();
        if (!move) {
            game->click(game->board().button_pass);
            ++passes;
            return;
        }
        for (std::size_t i = 0; i < move->tiles.size(); ++i) {
            game->click(game->tile(move->tiles[i]));
            game->click(game->slot(move->row, static_cast<int>(i) + 2));
        }
        game->click(game->board().button_submit);
        myWords.push_back(move->word);
    }

    // Works the host's pauses and a computer turn whose word the dictionary
    // refused (nobody hears of that; its time would run out) by their tick
    // methods, and plays the window's turns, until the round is over.
    bool playRound()
    {
        GameEngine& engine = *host->runtime().engine();
        QDeadlineTimer deadline(90000);
        while (!deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            const HostGameState& hs = engine.state();
            const ClientState& st = game->state();
            if (st.currentPlayer != 0 && (turns.empty() || turns.back() != st.currentPlayer))
                turns.push_back(st.currentPlayer);
            if (st.status == "Round Over.. Please Wait."
                && hs.breakkind == HostGameState::BreakKind::nextround)
                return true;
            if (st.status == "Invalid Word" || st.status == "Cannot make a word there") {
                ADD_FAILURE() << "the host refused " << myWords.back();
                return false;
            }
            if (hs.breakkind == HostGameState::BreakKind::nextturn)
                engine.timer_breaksTimer();
            if (hs.turnopen && hs.currentseat == 2
                && hs.computerpurpose == HostGameState::ComputerPurpose::none)
                engine.timer_turnTimer();
            if (st.isMyTurn() && st.turnButtons && st.tile(1).tag != 0)
                playMyTurn();
        }
        return false;
    }

    std::unique_ptr<GameUnderTest> game;
    HostForm* host = nullptr;
    std::vector<std::string> words;
    std::vector<int> turns;
    std::vector<std::string> myWords;
    int passes = 0;
};

TEST_F(GameRoundTest, WindowAndKlotPlayARoundAndAgreeWithTheHost)
{
    game->click(game->board().button_start);
    Tgamestart& dialog = *game->chat().windows().gamestart;
    ASSERT_TRUE(dialog.isVisible());
    dialog.UpDown1.setPosition(500);
    dialog.UpDown2.setPosition(60);
    QTest::mouseClick(&dialog.button_start, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return game->state().roundnum == "Round: 1"; }));
    EXPECT_EQ(game->board().label_playtoscore.text(), QStringLiteral("Play To Score: 500"));
    EXPECT_EQ(game->board().label_playername[1]->text(), QStringLiteral("Klot"));

    ASSERT_TRUE(playRound());
    GameEngine& engine = *host->runtime().engine();
    const HostGameState& hs = engine.state();
    ASSERT_EQ(hs.rowcount, 4) << "two players get four rows";

    // Turns alternate, the window's first: each of its moves had a turn.
    ASSERT_FALSE(turns.empty());
    EXPECT_EQ(turns.front(), 1);
    for (std::size_t i = 0; i < turns.size(); ++i)
        EXPECT_EQ(turns[i], i % 2 == 0 ? 1 : 2) << "turn " << i;
    EXPECT_EQ(myWords.size() + static_cast<std::size_t>(passes),
        static_cast<std::size_t>(std::count(turns.begin(), turns.end(), 1)));

    // The board: every row finished, each letter where the host has it.
    for (int r = 1; r <= kBoardRows; ++r) {
        EXPECT_FALSE(hs.row(r).open()) << "row " << r;
        for (int c = 1; c <= kBoardColumns; ++c) {
            const int letter = r <= hs.rowcount ? hs.row(r).letters[static_cast<std::size_t>(c - 1)] : 0;
            const int face = letter != 0 ? letter : -1;
            EXPECT_EQ(game->slot(r, c)->face(), face) << "word_" << r << c;
        }
    }
    // The scores: the host's totals on the window's labels.
    const SeatTable& seats = host->runtime().server().seats();
    int total = 0;
    for (int s = 1; s <= 2; ++s) {
        EXPECT_EQ(game->board().label_score[static_cast<std::size_t>(s - 1)]->text(),
            QString::number(seats[s].score))
            << "seat " << s;
        total += seats[s].score;
    }
    EXPECT_GT(total, 0);
    EXPECT_EQ(game->board().label_status.text(), QStringLiteral("Round Over.. Please Wait."));
}

} // namespace
} // namespace glypharo::apptest
