// The player list in one process: the program's host form on a free
// loopback port, the main window as seat 1, five raw clients in seats 2 to
// 6 and a spectator in seat 7. The window's host commands (the seat labels'
// context menu and the spy list's) reach every other client.
#include "AppTestSupport.h"

#include "app/HostForm.h"
#include "app/Tspylist.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace glypharo::apptest {
namespace {

const std::vector<QByteArray> kNames = {"Bob", "Cid", "Dee", "Eve", "Fay", "Carl"};

class GamePlayersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<GameUnderTest>();
        game->hostHere();
        ASSERT_NE(game->hostPort(), 0);
        ASSERT_TRUE(waitUntil([&] { return game->state().seat(1).name == "Ann"; }));
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            clients.push_back(std::make_unique<RawClient>(game->hostPort()));
            const int seat = static_cast<int>(i) + 2;
            ASSERT_EQ(clients.back()->login(kNames[i]), seat) << kNames[i].constData();
            ASSERT_TRUE(clients.back()->waitFor(
                "CMD_newplayerinfo+" + QByteArray::number(seat) + "+" + kNames[i] + "+0"));
        }
        ASSERT_TRUE(
            waitUntil([&] { return game->state().spys.size() == 1 && game->state().seat(6).name == "Fay"; }));
    }

    RawClient& client(int seat) { return *clients[static_cast<std::size_t>(seat - 2)]; }
    std::vector<RawClient*> othersThan(int seat)
    {
        std::vector<RawClient*> out;
        for (int s = 2; s <= 7; ++s)
            if (s != seat && !client(s).closed)
                out.push_back(&client(s));
        return out;
    }

    // Opens the seat label's context menu as a right click does and returns
    // it; the caller triggers an item.
    QMenu* seatMenu(int seat)
    {
        QLabel* label = game->board().label_playername[static_cast<std::size_t>(seat - 1)];
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), label->mapToGlobal(QPoint(3, 3)));
        QApplication::sendEvent(label, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    QAction* item(QMenu* menu, const char* caption)
    {
        for (QAction* a : menu->actions())
            if (a->text() == QString::fromLatin1(caption))
                return a;
        return nullptr;
    }
    void choose(int seat, const char* caption)
    {
        QMenu* menu = seatMenu(seat);
        ASSERT_NE(menu, nullptr);
        QAction* a = item(menu, caption);
        ASSERT_NE(a, nullptr);
        ASSERT_TRUE(a->isEnabled()) << caption;
        a->trigger();
        menu->close();
    }

    std::unique_ptr<GameUnderTest> game;
    std::vector<std::unique_ptr<RawClient>> clients;
};

TEST_F(GamePlayersTest, EveryoneIsListedOnTheBoardAndTheSpyList)
{
    const BoardPanel& b = game->board();
    for (int s = 2; s <= 6; ++s)
        EXPECT_EQ(b.label_playername[static_cast<std::size_t>(s - 1)]->text(),
            QString::fromLatin1(kNames[static_cast<std::size_t>(s - 2)]));
    const Tspylist& spys = *game->chat().windows().spylist;
    ASSERT_EQ(spys.listbox_spys.count(), 1);
    EXPECT_EQ(spys.listbox_spys.item(0)->text(), QStringLiteral("7: Carl"));
    EXPECT_TRUE(client(7).waitFor("CMD_existingplayers+1+Ann+0+2+Bob+0+3+Cid+0+4+Dee+0+5+Eve+0+6+Fay+0"))
        << client(7).received.constData();
    EXPECT_TRUE(client(2).got("CMD_newplayerinfo+7+Carl+0"));
}

TEST_F(GamePlayersTest, SeatMenuOffersRemovalOnlyForATakenSeat)
{
    struct Case {
        int seat;
        bool remove;
    };
    choose(2, "Remove From Game");
    ASSERT_TRUE(waitUntil([&] { return game->state().seat(2).name == kWaiting; }));
    for (const Case c : {Case{3, true}, Case{2, false}}) {
        QMenu* menu = seatMenu(c.seat);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(item(menu, "Remove From Game")->isEnabled(), c.remove) << c.seat;
        EXPECT_TRUE(item(menu, "Set to Just Watch")->isEnabled()) << c.seat;
        EXPECT_TRUE(item(menu, "Unset Just Watch")->isEnabled()) << c.seat;
        menu->close();
    }
}

TEST_F(GamePlayersTest, RemoveFromGameClosesThatClientAndTellsTheOthers)
{
    choose(2, "Remove From Game");
    EXPECT_TRUE(waitUntil([&] { return client(2).closed; }));
    for (RawClient* c : othersThan(2))
        EXPECT_TRUE(c->waitFor("CMD_playerdisconnected+2+Bob")) << c->received.constData();
    EXPECT_TRUE(
        waitUntil([&] { return game->board().label_playername[1]->text() == QLatin1String(kWaiting); }));
    EXPECT_FALSE(client(3).closed);
}

TEST_F(GamePlayersTest, JustWatchSwitchesReachEveryClient)
{
    struct Case {
        const char* caption;
        const char* announced;
        bool eyes;
    };
    const std::vector<Case> cases = {
        {"Set to Just Watch", "CMD_justwatching+3+1", true},
        {"Unset Just Watch", "CMD_justwatching+3+2", false},
    };
    // Sitting out is only granted while a game runs.
    game->session().startGame("100", "60");
    ASSERT_TRUE(waitUntil([&] { return game->state().roundnum == "Round: 1"; }));
    for (const auto& c : cases) {
        choose(3, c.caption);
        for (RawClient* other : othersThan(0))
            EXPECT_TRUE(other->waitFor(c.announced)) << c.caption << ": " << other->received.constData();
        EXPECT_TRUE(waitUntil([&] { return game->board().image_eyes[2]->isVisible() == c.eyes; }))
            << c.caption;
        EXPECT_EQ(game->state().seat(3).eyes, c.eyes);
    }
}

TEST_F(GamePlayersTest, TheSpyListRemovesASpectator)
{
    Tspylist& spys = *game->chat().windows().spylist;
    spys.show();
    QWidget* view = spys.listbox_spys.viewport();
    const QPoint at = spys.listbox_spys.visualItemRect(spys.listbox_spys.item(0)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->mapToGlobal(at));
    QApplication::sendEvent(view, &event);
    EXPECT_EQ(spys.hoveredIndex(), 0);
    ASSERT_TRUE(spys.RemoveFromGame1->isEnabled());
    spys.RemoveFromGame1->trigger();
    spys.popup_kickhim.close();

    EXPECT_TRUE(waitUntil([&] { return client(7).closed; }));
    for (RawClient* c : othersThan(7))
        EXPECT_TRUE(c->waitFor("CMD_playerdisconnected+7+Carl")) << c->received.constData();
    EXPECT_TRUE(waitUntil([&] { return spys.listbox_spys.count() == 0; }));
}

} // namespace
} // namespace glypharo::apptest
