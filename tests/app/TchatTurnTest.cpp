// A turn played on the real main window by mouse clicks: what the window
// shows, and the exact bytes its socket sends to the host.
#include "AppTestSupport.h"

#include <QSignalSpy>

namespace glypharo::apptest {
namespace {

constexpr const char* kExampleWord = "CMD_myword+2+4+2+5+3+3+4+0+5+0+6+0+7+0+8+0+9+0+10+0";

class TchatTurnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<GameUnderTest>();
        peer = std::make_unique<LoopbackPeer>();
        game->hostTo(peer->port());
        ASSERT_TRUE(peer->waitAccepted());
        game->feed({"CMD_sendlogininfo+2", "CMD_newplayerinfo+1+Bob+0+2+Ann+0"});
        ASSERT_TRUE(peer->waitFor("CMD_logininfo+2+1.0.1+Ann"));
        startMyTurn();
    }

    // A fresh game in which rows 1 to 4 are in play (c, e, g, a) and seat 2,
    // this window, holds the tiles A to I.
    void startMyTurn()
    {
        game->feed({"CMD_startgame+Bob+100+60+", "CMD_roundstart+1+p+1+1+p+2+1+w+1+3+w+2+5+w+3+7+w+4+1",
            "CMD_mytiles+2+1+1+2+2+3+3+4+4+5+5+6+6+7+7+8+8+9+9", "CMD_nextplayer+2+"});
    }

    // Clicks written as steps: "t5" tile 5, "w42" slot row 4 column 2,
    // "r42" right click on that slot, "submit", "clear", "pass".
    void play(const std::vector<std::string>& steps)
    {
        for (const auto& s : steps) {
            if (s == "submit")
                game->click(game->board().button_submit);
            else if (s == "clear")
                game->click(game->board().button_clear);
            else if (s == "pass")
                game->click(game->board().button_pass);
            else if (s[0] == 't')
                game->click(game->tile(std::stoi(s.substr(1))));
            else
                game->click(game->slot(s[1] - '0', std::stoi(s.substr(2))),
                    s[0] == 'r' ? Qt::RightButton : Qt::LeftButton);
        }
    }

    // A click on the board picture just above row 1, between the slots,
    // given to whatever widget lies there as a real click would be.
    void clickOnBoard(Qt::MouseButton button)
    {
        BoardPanel& b = game->board();
        const QPoint at = game->slot(1, 1)->geometry().topLeft() - QPoint(0, 3);
        QWidget* target = b.childAt(at);
        if (target == nullptr)
            target = &b;
        QTest::mouseClick(target, button, {}, target->mapFrom(&b, at));
    }

    std::vector<std::string> sentWords() const
    {
        std::vector<std::string> words;
        for (const auto& m : peer->messages())
            if (m.rfind("CMD_myword+", 0) == 0 || m.rfind("CMD_ipass+", 0) == 0)
                words.push_back(m);
        return words;
    }

    std::unique_ptr<GameUnderTest> game;
    std::unique_ptr<LoopbackPeer> peer;
};

TEST_F(TchatTurnTest, PickLayTakeBackLayTwoAndSubmitSendsTheExampleWord)
{
    BoardPanel& b = game->board();
    EXPECT_EQ(b.label_status.text(), QStringLiteral("Your Turn."));
    EXPECT_TRUE(b.button_submit->isVisible());

    play({"t5"});
    EXPECT_EQ(game->tile(5)->y(), 400);
    play({"w42"});
    EXPECT_EQ(game->slot(4, 2)->face(), 5);
    EXPECT_EQ(game->slot(4, 3)->face(), 0) << "the blank marks the next place";
    EXPECT_FALSE(game->tile(5)->isVisible());

    play({"w42"}); // takes the last letter back
    EXPECT_TRUE(game->tile(5)->isVisible());
    EXPECT_EQ(game->tile(5)->y(), 416);
    EXPECT_EQ(game->slot(4, 2)->face(), 0);
    EXPECT_EQ(game->slot(4, 3)->face(), -1);

    play({"t5", "w42", "t3", "w43"});
    EXPECT_EQ(game->slot(4, 3)->face(), 3);
    play({"submit"});
    ASSERT_TRUE(peer->waitFor(kExampleWord));
    EXPECT_EQ(sentWords(), std::vector<std::string>{kExampleWord});
    EXPECT_FALSE(b.button_submit->isVisible());
    EXPECT_FALSE(b.button_pass->isVisible());
    EXPECT_EQ(game->slot(4, 2)->face(), 5) << "the letters stay until the host answers";

    game->feed({"CMD_hisword+2+4+aec+7+7+2+5+3+3"});
    EXPECT_EQ(b.label_status.text(), QStringLiteral("You created the word: AEC for 7 points."));
    EXPECT_EQ(b.label_score[1]->text(), QStringLiteral("7"));
    EXPECT_EQ(b.label_bonus[1]->text(), QStringLiteral("+7"));
}

TEST_F(TchatTurnTest, SwappedTilesKeepTheirNumbersInTheWordSent)
{
    play({"t5", "t3"}); // 5 and 3 change places
    EXPECT_EQ(game->tile(5)->x(), 126);
    EXPECT_EQ(game->tile(3)->x(), 212);
    play({"t5", "w42", "t3", "w43", "submit"});
    EXPECT_TRUE(peer->waitFor(kExampleWord));
}

TEST_F(TchatTurnTest, RightClickOnTheBoardSubmits)
{
    struct Case {
        const char* how;
        std::function<void()> rightClick;
    };
    BoardPanel& b = game->board();
    const std::vector<Case> cases = {
        {"on a slot with a letter", [&] { game->click(game->slot(4, 2), Qt::RightButton); }},
        {"on a locked slot", [&] { game->click(game->slot(6, 5), Qt::RightButton); }},
        {"on the board picture between slots", [&] { clickOnBoard(Qt::RightButton); }},
    };
    play({"t5", "w42", "t3", "w43"});
    std::size_t sent = 0;
    for (const auto& c : cases) {
        c.rightClick();
        ASSERT_TRUE(waitUntil([&] { return sentWords().size() == sent + 1; })) << c.how;
        EXPECT_EQ(sentWords().back(), kExampleWord) << c.how;
        ++sent;
        // A refusal gives the turn back with the letters in place.
        game->feed({"CMD_invalid+2+1"});
        EXPECT_EQ(b.label_status.text(), QStringLiteral("Invalid Word")) << c.how;
        EXPECT_TRUE(b.button_submit->isVisible()) << c.how;
        EXPECT_EQ(game->slot(4, 3)->face(), 3) << c.how;
    }
    // A left click on the board picture does nothing.
    clickOnBoard(Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(sentWords().size(), sent);
}

TEST_F(TchatTurnTest, RefusedClicksShowTheirStatusAndChangeNothing)
{
    struct Case {
        std::vector<std::string> setup;
        std::string refused;
        const char* status;
    };
    const std::vector<Case> cases = {
        {{}, "w52", "There is already a word there"},
        {{}, "w12", "Select a letter first."},
        {{"t1"}, "w13", "You cannot place a letter there yet."},
        {{"t1", "w12", "t2"}, "w22", "You can only work on one word per turn."},
        {{"t1", "w12", "t2"}, "w14", "You cannot place a letter there yet."},
        {{"t1", "w12", "t2", "w13"}, "w12", "You cannot remove that right now."},
        {{"t1", "w12", "t2"}, "w12", "There is already a letter there."},
        {{}, "submit", "You must create a word first."},
        {{"t1", "w12", "clear"}, "submit", "You must create a word first."},
    };
    for (const auto& c : cases) {
        startMyTurn();
        play(c.setup);
        std::array<int, 10> row1{};
        for (int col = 1; col <= 10; ++col)
            row1[static_cast<std::size_t>(col - 1)] = game->slot(1, col)->face();
        play({c.refused});
        EXPECT_EQ(game->board().label_status.text(), QString::fromLatin1(c.status)) << c.refused;
        for (int col = 1; col <= 10; ++col)
            EXPECT_EQ(game->slot(1, col)->face(), row1[static_cast<std::size_t>(col - 1)]) << c.refused;
    }
    EXPECT_TRUE(sentWords().empty());
}

TEST_F(TchatTurnTest, PassClearsTheWordAndSendsThePass)
{
    play({"t1", "w12", "t2", "w13", "pass"});
    ASSERT_TRUE(peer->waitFor("CMD_ipass+2+"));
    EXPECT_EQ(game->slot(1, 2)->face(), 0);
    EXPECT_EQ(game->slot(1, 3)->face(), -1);
    EXPECT_TRUE(game->tile(1)->isVisible());
    EXPECT_FALSE(game->board().button_pass->isVisible());
    play({"t1", "w12"}); // no longer my turn
    EXPECT_EQ(game->slot(1, 2)->face(), 0);
}

TEST_F(TchatTurnTest, SocketClosedByTheHostClosesTheWindow)
{
    ASSERT_TRUE(game->chat().isVisible());
    peer->closeConnection();
    EXPECT_TRUE(waitUntil([&] { return !game->chat().isVisible(); }));
}

} // namespace
} // namespace glypharo::apptest
