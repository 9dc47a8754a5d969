#include "ClientHarness.h"

#include <gtest/gtest.h>

namespace glypharo::testing {
namespace {

TEST(PlayerList, LoginAnswerAndTheFirstListReadTheSettingsExactlyThen)
{
    ClientHarness h;
    h.model.setPlayerName("Ann");
    h.model.joinpress();
    h.receive(hostmsg::sendlogininfo(2));
    EXPECT_EQ(h.obs.sent, (std::vector<std::string>{"CMD_logininfo+2+1.0.1+Ann"}));
    EXPECT_TRUE(h.st().connected);
    EXPECT_EQ(h.st().ownSeat, 2);
    EXPECT_EQ(h.obs.inifileReads, 0);

    h.receive(
        {hostmsg::newplayerinfo(2, "Ann"), hostmsg::existingplayers({{1, "Host", false}, {4, "Di", true}})});
    EXPECT_EQ(h.obs.events,
        (std::vector<std::string>{"send CMD_logininfo+2+1.0.1+Ann", "chat 0+You are Connected.",
            "loadinifile", "sound entered", "chat 0+Host is Connected.", "chat 0+Di is Connected.",
            "sound entered"}));
    EXPECT_EQ(h.st().seat(1).name, "Host");
    EXPECT_TRUE(h.st().seat(4).eyes);
    EXPECT_TRUE(h.st().seat(4).scoreVisible);
    EXPECT_FALSE(h.st().seat(3).scoreVisible);

    h.receive(hostmsg::newplayerinfo(3, "Cy"));
    EXPECT_EQ(h.obs.inifileReads, 1) << "only the own record reads the settings";
}

TEST(PlayerList, SpectatorsGoToTheSpyList)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.receive(hostmsg::newplayerinfo(7, "Carl"));
    EXPECT_EQ(h.st().spys, (std::vector<std::string>{"7: Carl"}));
    EXPECT_EQ(h.obs.chat[0].first, "0+Carl is Connected.");
    EXPECT_EQ(h.obs.chat[1].first, "0+Carl is spying.");

    ClientHarness spy;
    spy.model.setPlayerName("Eve");
    spy.receive({hostmsg::sendlogininfo(8), hostmsg::newplayerinfo(8, "Eve")});
    EXPECT_EQ(spy.st().spys, (std::vector<std::string>{"8: Eve"}));
    EXPECT_EQ(spy.obs.chat.back().first, "0+You are spying.");
    EXPECT_EQ(spy.obs.inifileReads, 1);
}

TEST(PlayerList, Departures)
{
    struct Case {
        const char* what;
        std::string message;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"player", hostmsg::playerdisconnected(3, "Cy"), {"0+Cy disconnected."}},
        {"computer player", hostmsg::playerdisconnected(4, "Kling"), {}},
        {"empty seat", hostmsg::playerdisconnected(5, ""), {}},
        {"spectator, other case", hostmsg::playerdisconnected(7, "CARL"), {"0+CARL has left."}},
        {"unknown spectator", hostmsg::playerdisconnected(8, "Carl"), {}},
    };
    for (const auto& c : cases) {
        ClientHarness h;
        h.login(2, "Ann");
        h.receive(
            {hostmsg::newplayerinfo(3, "Cy"), hostmsg::newplayerinfo(7, "Carl"), gamemsg::nextplayer(4)});
        ASSERT_EQ(h.st().seat(4).name, "Kling");
        h.obs.clear();
        h.receive(c.message);
        std::vector<std::string> lines;
        for (const auto& [line, colour] : h.obs.chat)
            lines.push_back(line);
        EXPECT_EQ(lines, c.lines) << c.what;
    }
    ClientHarness h;
    h.login(2, "Ann");
    h.receive({hostmsg::newplayerinfo(3, "Cy"), hostmsg::newplayerinfo(7, "Carl"),
        hostmsg::justwatching(3, "1"), gamemsg::nextplayer(4)});
    h.receive({hostmsg::playerdisconnected(3, "Cy"), hostmsg::playerdisconnected(4, "Kling"),
        hostmsg::playerdisconnected(7, "carl")});
    EXPECT_EQ(h.st().seat(3).name, kWaiting);
    EXPECT_FALSE(h.st().seat(3).eyes);
    EXPECT_EQ(h.st().seat(4).name, kWaiting) << "a computer player's seat is freed too";
    EXPECT_TRUE(h.st().spys.empty());
}

TEST(PlayerList, JustWatching)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.seatOther(3, "Cy");
    h.obs.clear();
    h.model.JustWatch1Click();
    EXPECT_EQ(h.obs.sent.back(), "CMD_justwatch+2+1");
    EXPECT_FALSE(h.st().justWatch) << "the tick waits for the host";
    h.receive(hostmsg::justwatching(2, "1"));
    EXPECT_TRUE(h.st().justWatch);
    EXPECT_TRUE(h.st().seat(2).eyes);
    EXPECT_EQ(h.obs.chat.back().first, "0+Ann is just watching");
    h.model.JustWatch1Click();
    EXPECT_EQ(h.obs.sent.back(), "CMD_justwatch+2+2");
    h.receive({hostmsg::justwatching(2, "2"), hostmsg::justwatching(3, "1"), hostmsg::justwatching(8, "1")});
    EXPECT_FALSE(h.st().justWatch);
    EXPECT_FALSE(h.st().seat(2).eyes);
    EXPECT_TRUE(h.st().seat(3).eyes);
    EXPECT_EQ(h.obs.chat[1].first, "0+Ann is now playing again");
    EXPECT_EQ(h.obs.chat.size(), 3u) << "a spectator seat is ignored";

    ClientHarness spy;
    spy.login(7, "Eve");
    spy.model.JustWatch1Click();
    EXPECT_TRUE(spy.obs.sent.empty());
    ClientHarness unconnected;
    unconnected.model.JustWatch1Click();
    EXPECT_TRUE(unconnected.obs.sent.empty());
}

TEST(PlayerList, SeatMenu)
{
    struct Case {
        bool host;
        int seat;
        SeatMenu menu;
    };
    const Case cases[] = {
        {true, 3, {true, true, true, 3}},
        {true, 5, {false, true, true, 5}}, // empty seat: no removal
        {false, 3, {false, false, false, 3}},
    };
    for (const auto& c : cases) {
        ClientHarness h;
        h.login(c.host ? 1 : 2, "Me", c.host);
        h.seatOther(3, "Cy");
        h.model.label_playername1ContextPopup(c.seat);
        const auto& m = h.st().seatMenu;
        EXPECT_EQ(m.removeFromGame, c.menu.removeFromGame) << c.seat;
        EXPECT_EQ(m.setToJustWatch, c.menu.setToJustWatch) << c.seat;
        EXPECT_EQ(m.unsetJustWatch, c.menu.unsetJustWatch) << c.seat;
        EXPECT_EQ(m.target, c.menu.target) << c.seat;
    }
}

TEST(PlayerList, HostCommandsOnSeats)
{
    ClientHarness h;
    h.login(1, "Host", true);
    h.seatOther(3, "Cy");
    h.obs.clear();
    h.model.label_playername1ContextPopup(3);
    h.model.RemoveFromGame1Click();
    h.model.SettoJustWatch1Click();
    h.model.UnsetJustWatch1Click();
    h.model.label_playername1ContextPopup(5);
    h.model.RemoveFromGame1Click();
    h.model.SettoJustWatch1Click();
    h.model.label_playername1ContextPopup(9); // names no seat label
    h.model.UnsetJustWatch1Click();
    EXPECT_EQ(h.obs.sent,
        (std::vector<std::string>{"CMD_kickhim+1+3+", "CMD_justwatch+3+1", "CMD_justwatch+3+2",
            "CMD_justwatch+5+1", "CMD_justwatch+5+2"}));

    ClientHarness guest;
    guest.login(2, "Ann");
    guest.seatOther(3, "Cy");
    guest.model.label_playername1ContextPopup(3);
    guest.model.RemoveFromGame1Click();
    guest.model.SettoJustWatch1Click();
    EXPECT_TRUE(guest.obs.sent.empty());
}

TEST(PlayerList, SpyListRemoval)
{
    ClientHarness h;
    h.login(1, "Host", true);
    h.receive({hostmsg::newplayerinfo(7, "Carl"), hostmsg::newplayerinfo(8, "Eve")});
    h.obs.clear();
    h.model.listbox_spysMouseMove(1);
    h.model.popup_kickhimClick();
    h.model.listbox_spysMouseMove(5);
    h.model.popup_kickhimClick();
    EXPECT_EQ(h.obs.sent, (std::vector<std::string>{"CMD_kickhim+1+8+"}));

    ClientHarness guest;
    guest.login(2, "Ann");
    guest.receive(hostmsg::newplayerinfo(7, "Carl"));
    guest.model.listbox_spysMouseMove(0);
    guest.model.popup_kickhimClick();
    EXPECT_TRUE(guest.obs.sent.empty());
}

TEST(PlayerList, TallyCheckListNamesTheOtherTakenSeats)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.receive({hostmsg::existingplayers({{1, "Host", false}, {5, "Eve", false}}), gamemsg::nextplayer(3)});
    EXPECT_EQ(h.model.loadchecklist(), (std::vector<std::string>{"Host", "Klick", "Eve"}));
}

TEST(PlayerList, StartGameNeedsASeat)
{
    ClientHarness h;
    h.model.setPlayerName("Ann");
    h.model.hostpress();
    EXPECT_TRUE(h.st().buttonStart);
    EXPECT_EQ(h.st().loginName, "Ann");
    EXPECT_FALSE(h.model.button_startClick());
    EXPECT_EQ(h.obs.boxes, (std::vector<std::string>{"You are not connected"}));
    h.receive(hostmsg::sendlogininfo(1));
    EXPECT_TRUE(h.model.button_startClick());
    EXPECT_EQ(h.obs.boxes.size(), 1u);
}

TEST(PlayerList, CreationState)
{
    ClientHarness h;
    const auto& st = h.st();
    EXPECT_EQ(st.status, "Welcome to GLYPHARO!");
    EXPECT_EQ(st.roundnum, "Round: 0");
    EXPECT_EQ(st.playtoscore, "Play to Score: 0");
    EXPECT_EQ(st.timeperturn, "Time Per Turn: 0");
    const std::array<const char*, 6> hints = {"", "Klot", "Klick", "Kling", "Klick", "Krazy"};
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(st.seat(n).name, kWaiting);
        EXPECT_EQ(st.seat(n).hint, hints[static_cast<std::size_t>(n - 1)]);
    }
    const std::array<int, 8> title = {7, 12, 25, 16, 8, 1, 18, 15};
    for (int c = 2; c <= 9; ++c) {
        EXPECT_EQ(st.slot(3, c).face, title[static_cast<std::size_t>(c - 2)]);
        EXPECT_EQ(st.slot(3, c).tag, 0);
    }
    EXPECT_EQ(st.seatCount, 6);
    EXPECT_FALSE(st.connected);
}

} // namespace
} // namespace glypharo::testing
