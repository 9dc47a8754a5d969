// What the host refuses: messages that speak for another connection, seats
// out of range, malformed fields, and connections that flood it.
#include "HostRulesFixture.h"

using glypharo::fakes::RecordingOutbox;

namespace glypharo::testing {
namespace {

using Sent = RecordingOutbox::Sent;

TEST_F(HostRules, MessagesThatDoNotSpeakForTheirOwnConnectionChangeNothing)
{
    const std::pair<int, std::string> cases[] = {
        // another connection's seat
        {2, "CMD_chat+3+hi"},
        {2, "CMD_action+1+hi"},
        {2, "CMD_playasound+3+wave1+"},
        {2, "CMD_justwatch+3+2"},
        {2, "CMD_ipass+3+"},
        {2, "CMD_myword+3+1+2+1"},
        {2, "CMD_kickhim+1+3+"},
        {2, "CMD_startgame+Bob+5+60+"},
        {1, "CMD_logininfo+2+1.0.1+Eve"},
        // seats outside 1..9
        {2, "CMD_chat+0+hi"},
        {2, "CMD_chat+10+hi"},
        {2, "CMD_chat+-2+hi"},
        {2, "CMD_chat+99999999999+hi"},
        {2, "CMD_playasound+11+wave1+"},
        {1, "CMD_justwatch+10+2"},
        {1, "CMD_justwatch+0+2"},
        {1, "CMD_kickhim+1+10+"},
        // malformed fields
        {2, "CMD_chat+2"},
        {2, "CMD_chat+two+hi"},
        {2, "CMD_chat+ 2+hi"},
        {2, "CMD_action+"},
        {2, "CMD_playasound+2"},
        {2, "CMD_logininfo+2"},
        {2, "CMD_logininfo+2+1.0.1"},
        {2, "CMD_logininfo+x+1.0.1+Eve"},
        {2, "CMD_ipass"},
        {2, "CMD_ipass+"},
        {2, "CMD_myword+"},
        {1, "CMD_kickhim+"},
        {2, "CMD_justwatch+"},
        {2, "CMD_CHAT+2+hi"},
        {2, "CMD_chat"},
        {2, "+2+hi"},
    };
    seatPlayers({"Ann", "Bob", "Cy"});
    game.inProgress = true;
    for (const auto& [from, text] : cases) {
        SCOPED_TRACE(text);
        handle(from, text);
        EXPECT_TRUE(out.sent.empty());
        EXPECT_TRUE(out.closed.empty());
        EXPECT_TRUE(game.calls.empty());
        for (int seat = 1; seat <= 3; ++seat) {
            EXPECT_TRUE(server.seats()[seat].connected);
            EXPECT_FALSE(server.seats()[seat].watching);
        }
        EXPECT_EQ(server.seats()[1].name, "Ann");
        EXPECT_EQ(server.seats()[2].name, "Bob");
    }
}

TEST_F(HostRules, DroppedMessagesLeaveADebugLine)
{
    seatPlayers({"Ann", "Bob"});
    handle(2, "CMD_chat+1+hi");
    ASSERT_FALSE(debug.empty());
    EXPECT_EQ(debug.back(), "ignored CMD_chat: seat field names another connection");
}

TEST_F(HostRules, PlusInALoginNameIsStoredAsDash)
{
    connect(1);
    out.clear();
    handle(1, "CMD_logininfo+1+1.0.1+A+B+C");
    EXPECT_EQ(server.seats()[1].name, "A-B-C");
    EXPECT_EQ(out.sent, (std::vector<Sent>{{1, "CMD_newplayerinfo+1+A-B-C+0"}}));
}

TEST_F(HostRules, SecondLoginOnOneConnectionIsIgnored)
{
    seatPlayers({"Ann", "Bob"});
    handle(2, "CMD_logininfo+2+1.0.1+Mallory");
    EXPECT_EQ(server.seats()[2].name, "Bob");
    EXPECT_TRUE(out.sent.empty());
    // A new connection in the same seat logs in afresh.
    server.tempsockDisconnect(2);
    connect(1);
    handle(2, "CMD_logininfo+2+1.0.1+Dan");
    EXPECT_EQ(server.seats()[2].name, "Dan");
}

TEST_F(HostRules, StartGameOnlyFromSeatOne)
{
    seatPlayers({"Ann", "Bob"});
    handle(2, "CMD_startgame+Bob+5+60+");
    EXPECT_TRUE(game.calls.empty());
    handle(1, "CMD_startgame+Ann+5+60+");
    EXPECT_EQ(game.calls, std::vector<std::string>{"startgame Ann+5+60+"});
}

TEST_F(HostRules, LongFragmentDropsTheConnection)
{
    seatPlayers({"Ann", "Bob", "Cy"});
    std::string chunk(16 * 1024, 'x');
    for (int i = 0; i < 4; ++i)
        server.Sock1Read(2, chunk);
    EXPECT_TRUE(server.seats()[2].connected); // exactly 64 KiB is still allowed
    server.Sock1Read(2, "y");
    EXPECT_EQ(out.closed, std::vector<int>{2});
    EXPECT_FALSE(server.seats()[2].connected);
    EXPECT_EQ(receivers("CMD_playerdisconnected+2+Bob"), (std::vector<int>{1, 3}));
    // The seat is free for the next comer, whose stream starts clean.
    EXPECT_EQ(server.Sock1Accept(), 2);
    handle(2, "CMD_logininfo+2+1.0.1+Dan");
    EXPECT_EQ(server.seats()[2].name, "Dan");
}

TEST_F(HostRules, FloodDropsTheConnectionAndSparesTheOthers)
{
    seatPlayers({"Ann", "Bob", "Cy"});
    server.Sock1Read(1, "CMD_chat+1+before\xFF");
    std::string burst;
    for (std::size_t i = 0; i < TServer::kMaxQueuedPerSeat; ++i)
        burst += "CMD_chat+2+spam\xFF";
    server.Sock1Read(2, burst);
    EXPECT_TRUE(server.seats()[2].connected); // 1000 waiting is the limit
    server.Sock1Read(3, "CMD_chat+3+after\xFF");
    server.Sock1Read(2, "CMD_chat+2+one too many\xFF");
    EXPECT_FALSE(server.seats()[2].connected);
    EXPECT_EQ(server.receivedlist().size(), 2u); // Bob's messages are gone
    EXPECT_EQ(drain(), 2);
    EXPECT_EQ(receivers("CMD_chat+1+Ann chats: before"), (std::vector<int>{1, 3}));
    EXPECT_EQ(receivers("CMD_chat+3+Cy chats: after"), (std::vector<int>{1, 3}));
    EXPECT_TRUE(receivers("CMD_chat+2+Bob chats: spam").empty());
}

TEST_F(HostRules, MessagesOfAClosedConnectionDoNotSpeakForItsSuccessor)
{
    seatPlayers({"Ann", "Bob"});
    server.Sock1Read(2, "CMD_chat+2+bye\xFF");
    server.tempsockDisconnect(2);
    EXPECT_FALSE(socktimer.isActive());
    connect(1); // seat 2 again
    handle(2, "CMD_logininfo+2+1.0.1+Dan");
    EXPECT_TRUE(receivers("CMD_chat+2+Dan chats: bye").empty());
    EXPECT_TRUE(receivers("CMD_chat+2+Bob chats: bye").empty());
}

TEST_F(HostRules, BytesForFreeSeatsAreIgnored)
{
    seatPlayers({"Ann"});
    for (int seat : {0, 2, 9, 10, 11, 12, -1})
        server.Sock1Read(seat, "CMD_chat+1+x\xFF");
    EXPECT_TRUE(server.receivedlist().empty());
    EXPECT_FALSE(socktimer.isActive());
    for (int seat : {0, 10, 11, 12, -1}) {
        server.tempsockInfo(seat, "Socket Closed");
        server.tempsockDisconnect(seat);
        server.disconnectsock(seat);
    }
    EXPECT_TRUE(out.sent.empty());
    EXPECT_TRUE(out.closed.empty());
}

// An outbox whose close does not report back: the seat is freed anyway.
TEST_F(HostRules, SeatIsFreedEvenWhenTheCloseIsNotReported)
{
    seatPlayers({"Ann", "Bob"});
    out.onClose = nullptr;
    handle(1, "CMD_kickhim+1+2+");
    EXPECT_EQ(out.closed, std::vector<int>{2});
    EXPECT_FALSE(server.seats()[2].connected);
    EXPECT_EQ(out.sent, (std::vector<Sent>{{1, "CMD_playerdisconnected+2+Bob"}}));
}

} // namespace
} // namespace glypharo::testing
