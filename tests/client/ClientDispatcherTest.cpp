#include "ClientHarness.h"

#include <gtest/gtest.h>

namespace glypharo::testing {
namespace {

TEST(ClientDispatcher, StartsWithItsOwnNameLineWhichTheFirstTickDrops)
{
    fakes::ManualTimer timer1, turntimer;
    fakes::RecordingClientObserver obs;
    fakes::RecordingTally tally;
    ClientModel model(obs, tally, timer1, turntimer);
    ASSERT_EQ(model.receivedlist().size(), 1u);
    EXPECT_EQ(model.receivedlist().front(), "receivedlist");
    EXPECT_TRUE(timer1.isActive());
    EXPECT_EQ(timer1.interval(), 1);
    model.Timer1Timer();
    EXPECT_TRUE(model.receivedlist().empty());
    EXPECT_TRUE(obs.events.empty());
    EXPECT_FALSE(timer1.isActive()) << "an idle dispatcher does not spin";
}

TEST(ClientDispatcher, TwoMessagesInOneReadAreHandledOnTwoTicksInOrder)
{
    ClientHarness h;
    h.model.sockRead(std::string("CMD_wrongversion+\xFF") + "CMD_havewrongversion+Bob\xFF");
    ASSERT_EQ(h.model.receivedlist().size(), 2u);
    EXPECT_TRUE(h.timer1.isActive());
    h.model.Timer1Timer();
    ASSERT_EQ(h.obs.chat.size(), 1u);
    EXPECT_EQ(h.obs.chat[0].first, "0+You have a differnt version of the game then the host.");
    EXPECT_EQ(h.obs.chat[0].second, kSystemLineColour);
    h.model.Timer1Timer();
    ASSERT_EQ(h.obs.chat.size(), 2u);
    EXPECT_EQ(h.obs.chat[1].first, "0+Bob has a different version of the game then you.");
    EXPECT_FALSE(h.timer1.isActive());
}

TEST(ClientDispatcher, KeepsAFragmentUntilItsTerminatorArrives)
{
    ClientHarness h;
    h.model.sockRead("CMD_wrongver");
    EXPECT_TRUE(h.model.receivedlist().empty());
    EXPECT_FALSE(h.timer1.isActive());
    h.model.sockRead("sion+\xFF");
    h.drain();
    EXPECT_EQ(h.obs.chat.size(), 1u);
}

TEST(ClientDispatcher, DropsEmptyUnknownAndPluslessMessages)
{
    struct Case {
        std::string bytes;
        int queued;
        std::string status; // after the messages; roundend's text when it ran
    };
    const Case cases[] = {
        {"CMD_roundend+\xFF\xFF", 2, "Round Over.. Please Wait."},
        {"CMD_roundend\xFF", 1, "Welcome to GLYPHARO!"},
        {"\xFF", 1, "Welcome to GLYPHARO!"},
        {"CMD_RoundEnd+\xFF", 1, "Welcome to GLYPHARO!"},
        {"CMD_nosuchthing+1+2\xFF", 1, "Welcome to GLYPHARO!"},
    };
    for (const auto& c : cases) {
        ClientHarness h;
        h.model.sockRead(c.bytes);
        EXPECT_EQ(static_cast<int>(h.model.receivedlist().size()), c.queued) << c.bytes;
        h.drain();
        EXPECT_EQ(h.st().status, c.status) << c.bytes;
        EXPECT_TRUE(h.obs.boxes.empty());
        EXPECT_FALSE(h.timer1.isActive());
    }
}

TEST(ClientDispatcher, GameIsFullShowsOneBoxClosesAndStopsDispatching)
{
    ClientHarness h;
    h.receive({hostmsg::full(), hostmsg::full(), "CMD_wrongversion+"});
    EXPECT_EQ(h.obs.events, (std::vector<std::string>{"box Game is full", "close"}));
    EXPECT_FALSE(h.timer1.isActive());
    h.model.sockRead("CMD_full+\xFF");
    EXPECT_FALSE(h.timer1.isActive());
    EXPECT_EQ(h.obs.closes, 1);
}

TEST(ClientDispatcher, PhraseGateReopensAfter101Ticks)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.model.b_phrase1Click(1);
    ASSERT_EQ(h.obs.sent.size(), 1u);
    EXPECT_TRUE(h.timer1.isActive()) << "a closed gate is work for the dispatch timer";
    for (int tick = 1; tick <= 100; ++tick) {
        h.model.Timer1Timer();
        h.model.b_phrase1Click(2);
    }
    EXPECT_EQ(h.obs.sent.size(), 1u) << "silent for 100 ticks";
    EXPECT_TRUE(h.timer1.isActive());
    h.model.Timer1Timer();
    EXPECT_TRUE(h.model.phraseGateOpen());
    EXPECT_FALSE(h.timer1.isActive()) << "idle again once the gate is open";
    h.model.b_phrase1Click(2);
    ASSERT_EQ(h.obs.sent.size(), 2u);
    EXPECT_EQ(h.obs.sent[1], "CMD_action+2+says: Good One!|clBlack");
}

TEST(ClientDispatcher, MessagesQueuedWhileTheGateIsClosedStillGoOneAPerTick)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.model.b_phrase1Click(1);
    h.model.sockRead("CMD_wrongversion+\xFF"
                     "CMD_wrongversion+\xFF");
    h.model.Timer1Timer();
    EXPECT_EQ(h.obs.chat.size(), 1u);
    h.model.Timer1Timer();
    EXPECT_EQ(h.obs.chat.size(), 2u);
    EXPECT_TRUE(h.timer1.isActive());
}

// A host must not be able to change a player's state or pile up dialogs
// with messages that do not read.
TEST(ClientDispatcher, MalformedMessagesChangeNothing)
{
    const std::string cases[] = {
        "CMD_sendlogininfo+x",
        "CMD_sendlogininfo+12",
        "CMD_newplayerinfo+3+Bob",
        "CMD_newplayerinfo+x+Bob+0",
        "CMD_existingplayers+3+Bob+0+4+Al",
        "CMD_playerdisconnected+two+Bob",
        "CMD_justwatching+z+1",
        "CMD_startgame+Host+fifty+60+",
        "CMD_startgame+Host+50",
        "CMD_roundstart+x+w+1+1",
        "CMD_roundstart+1+w+one+1",
        "CMD_roundstart+1+w+1",
        "CMD_mytiles+2+1+5+2",
        "CMD_mytiles+2+1+e",
        "CMD_nextplayer+",
        "CMD_nextplayer+0+",
        "CMD_nextplayer+7+",
        "CMD_nextplayer+-3+",
        "CMD_hisword+3+1+abc+10",
        "CMD_hisword+3+9+abc+10+5",
        "CMD_hisword+3+1+abc+ten+5",
        "CMD_hisword+3+1+abc+10+5+2+x",
        "CMD_hepass+x+",
        "CMD_hepass+8+",
        "CMD_invalid+2+",
        "CMD_invalid+2+x+",
        "CMD_thewords+f+1+0+1+w+1+2",
        "CMD_thewords+w+1+2+q",
        "CMD_gamestats+50+60+30+1",
        "CMD_gamestats+50+60+30+1+2+1+x",
        "CMD_playasound+x+wave1+",
    };
    for (const auto& m : cases) {
        ClientHarness h;
        h.login(2, "Ann");
        auto before = h.st();
        h.receive(m);
        const auto& after = h.st();
        EXPECT_TRUE(h.obs.events.empty()) << m << ": " << (h.obs.events.empty() ? "" : h.obs.events[0]);
        EXPECT_EQ(h.obs.debug.size(), 1u) << m;
        EXPECT_TRUE(h.obs.changes.empty()) << m;
        EXPECT_EQ(after.ownSeat, before.ownSeat) << m;
        EXPECT_EQ(after.status, before.status) << m;
        EXPECT_EQ(after.currentPlayer, before.currentPlayer) << m;
        EXPECT_EQ(after.seat(3).name, before.seat(3).name) << m;
        EXPECT_EQ(after.slot(1, 2).tag, before.slot(1, 2).tag) << m;
        EXPECT_EQ(after.slot(3, 2).face, before.slot(3, 2).face) << m;
        EXPECT_EQ(after.tile(1).tag, before.tile(1).tag) << m;
        EXPECT_EQ(after.timeperturn, before.timeperturn) << m;
        EXPECT_FALSE(h.turntimer.isActive()) << m;
    }
}

TEST(ClientDispatcher, EntriesOutsideTheBoardAreSkipped)
{
    ClientHarness h;
    h.login(2, "Ann");
    h.startRound(2);
    h.receive({"CMD_mytiles+2+0+5+10+6+1+3+2+27", "CMD_thewords+f+7+0+1+w+0+2+5+w+1+11+5+w+1+3+99"});
    EXPECT_EQ(h.st().tile(1).tag, 3);
    EXPECT_EQ(h.st().tile(2).tag, 0) << "letter 27 names no face";
    EXPECT_EQ(h.st().slot(1, 3).tag, 0);

    h.receive({"CMD_hisword+3+1+ab+9+9+11+4+2+2", "CMD_gamestats+50+60+30+1+2+0+90+7+70+3+30"});
    EXPECT_EQ(h.st().slot(1, 2).face, 2);
    EXPECT_EQ(h.st().slot(1, 10).face, kNoFace);
    EXPECT_EQ(h.st().currentPlayer, 1);
    EXPECT_EQ(h.st().seat(3).score, "30");
    for (int n : {1, 2, 4, 5, 6})
        EXPECT_EQ(h.st().seat(n).score, "0") << n;
    EXPECT_TRUE(h.st().spys.empty());
    EXPECT_TRUE(h.obs.boxes.empty());
}

} // namespace
} // namespace glypharo::testing
