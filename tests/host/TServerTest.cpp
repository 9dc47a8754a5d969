#include "HostRulesFixture.h"

using glypharo::fakes::RecordingOutbox;

namespace glypharo::testing {
namespace {

using Sent = RecordingOutbox::Sent;

TEST_F(HostRules, SeatsAreGivenLowestFreeFirstAndTenthIsRefused)
{
    connect(3);
    server.tempsockDisconnect(2);
    EXPECT_EQ(server.Sock1Accept(), 2);
    EXPECT_EQ(server.Sock1Accept(), 4);
    EXPECT_EQ(server.seats().highestseat, 4);

    connect(5); // seats 5..9
    out.clear();
    EXPECT_EQ(server.Sock1Accept(), 10);
    EXPECT_EQ(out.sent, (std::vector<Sent>{{10, "CMD_full+"}}));
    EXPECT_EQ(out.closed, std::vector<int>{10});
    EXPECT_FALSE(server.seats()[10].connected);
    EXPECT_EQ(server.seats().highestseat, 9);
    // A freed seat is taken again after a refusal.
    server.tempsockDisconnect(6);
    EXPECT_EQ(server.Sock1Accept(), 6);
}

TEST_F(HostRules, AcceptSendsTheSeatNumber)
{
    connect(2);
    EXPECT_EQ(out.sent, (std::vector<Sent>{{1, "CMD_sendlogininfo+1"}, {2, "CMD_sendlogininfo+2"}}));
    EXPECT_TRUE(server.seats()[2].connected);
}

TEST_F(HostRules, LoneNewcomerGetsOnlyHisOwnAnnouncement)
{
    connect(1);
    out.clear();
    handle(1, "CMD_logininfo+1+1.0.1+Ann");
    EXPECT_EQ(out.sent, (std::vector<Sent>{{1, "CMD_newplayerinfo+1+Ann+0"}}));
    EXPECT_EQ(server.seats()[1].name, "Ann");
}

TEST_F(HostRules, NewcomerHearsOfEveryOtherLoggedInSeat)
{
    seatPlayers({"Ann", "Bob", "Cy"});
    game.inProgress = true;
    handle(2, "CMD_justwatch+2+1");
    server.tempsockDisconnect(1);
    server.Sock1Accept(); // seat 1 again, not yet logged in
    out.clear();
    connect(1); // seat 4
    handle(4, "CMD_logininfo+4+1.0.1+Dee");
    EXPECT_EQ(out.to(4),
        (std::vector<std::string>{
            "CMD_sendlogininfo+4", "CMD_newplayerinfo+4+Dee+0", "CMD_existingplayers+2+Bob+1+3+Cy+0"}));
    EXPECT_EQ(receivers("CMD_newplayerinfo+4+Dee+0"), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(game.calls.back(), "catchup 4");
}

TEST_F(HostRules, WrongVersionIsReportedAfterTheAnnouncements)
{
    seatPlayers({"Ann"});
    connect(1);
    out.clear();
    handle(2, "CMD_logininfo+2+0.9+Bob");
    EXPECT_EQ(out.sent,
        (std::vector<Sent>{{1, "CMD_newplayerinfo+2+Bob+0"}, {2, "CMD_newplayerinfo+2+Bob+0"},
            {2, "CMD_existingplayers+1+Ann+0"}, {1, "CMD_havewrongversion+Bob"}, {2, "CMD_wrongversion+"}}));
    EXPECT_TRUE(server.seats()[2].connected);
    EXPECT_EQ(server.seats()[2].name, "Bob");
}

TEST_F(HostRules, KickIsSeatOnesPowerAlone)
{
    struct Case {
        int from;
        std::string body;
        bool removed;
    };
    const Case cases[] = {
        {1, "1+3+", true}, {2, "2+3+", false}, {2, "1+3+", false}, {3, "1+3+", false}, {1, "1+12+", false},
        {1, "1+x+", false}, {1, "0+3+", false}, {1, "1+", false},
        {1, "1+5+", false}, // seat 5 is free: nothing to close
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " " + c.body);
        RecordingOutbox fresh;
        fakes::ManualTimer timer;
        TServer s{fresh, timer};
        fresh.onClose = [&s](int seat) { s.tempsockInfo(seat, "Socket Closed"); };
        for (const char* name : {"Ann", "Bob", "Cy", "Dee"}) {
            int seat = s.Sock1Accept();
            s.Sock1Read(seat, "CMD_logininfo+" + std::to_string(seat) + "+1.0.1+" + name + '\xFF');
            while (timer.isActive())
                s.socktimerTimer();
        }
        fresh.clear();
        s.Sock1Read(c.from, "CMD_kickhim+" + c.body + '\xFF');
        while (timer.isActive())
            s.socktimerTimer();
        if (c.removed) {
            EXPECT_EQ(fresh.closed, std::vector<int>{3});
            EXPECT_FALSE(s.seats()[3].connected);
            EXPECT_EQ(fresh.sent,
                (std::vector<Sent>{{1, "CMD_playerdisconnected+3+Cy"}, {2, "CMD_playerdisconnected+3+Cy"},
                    {4, "CMD_playerdisconnected+3+Cy"}}));
        } else {
            EXPECT_TRUE(fresh.closed.empty());
            EXPECT_TRUE(fresh.sent.empty());
        }
    }
}

TEST_F(HostRules, WatchSwitch)
{
    struct Case {
        const char* what;
        int from;
        std::string body;
        bool inGame;
        int current;
        std::vector<int> watchingAfter; // seats 1..7 watching
        std::string sent; // broadcast, empty for none
        bool regive;
    };
    const Case cases[] = {
        {"start in game", 2, "2+1", true, 1, {2}, "CMD_justwatching+2+1", false},
        {"start on own turn", 2, "2+1", true, 2, {2}, "CMD_justwatching+2+1", true},
        {"seat 1 on own turn", 1, "1+1", true, 1, {1}, "CMD_justwatching+1+1", true},
        {"start outside game", 2, "2+1", false, 0, {}, "", false},
        {"stop outside game", 3, "3+2", false, 0, {}, "CMD_justwatching+3+2", false},
        {"seat 7", 7, "7+1", true, 0, {}, "", false},
        {"seat 7 stop", 7, "7+2", true, 0, {}, "", false},
        {"other mode", 2, "2+3", true, 0, {}, "", false},
        {"mode with more", 2, "2+1+", true, 0, {}, "", false},
        {"seat 1 for seat 3", 1, "3+1", true, 3, {3}, "CMD_justwatching+3+1", true},
        {"seat 2 for seat 3", 2, "3+1", true, 0, {}, "", false},
        {"seat 1 for a free seat", 1, "5+1", true, 0, {}, "", false},
        {"no mode", 2, "2", true, 0, {}, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingOutbox o;
        fakes::ManualTimer t;
        FakeGame g;
        TServer s{o, t};
        s.setGame(&g);
        for (int i = 0; i < 7; ++i)
            s.Sock1Accept();
        s.tempsockInfo(5, "Socket Closed");
        o.clear();
        g.inProgress = c.inGame;
        g.current = c.current;
        s.justwatch(c.from, c.body);
        std::vector<int> watching;
        for (int seat = 1; seat <= 7; ++seat) {
            if (s.seats()[seat].watching)
                watching.push_back(seat);
        }
        EXPECT_EQ(watching, c.watchingAfter);
        if (c.sent.empty()) {
            EXPECT_TRUE(o.sent.empty());
        } else {
            std::vector<Sent> expected;
            for (int seat : {1, 2, 3, 4, 6, 7})
                expected.push_back({seat, c.sent});
            EXPECT_EQ(o.sent, expected);
        }
        EXPECT_EQ(g.calls, c.regive ? std::vector<std::string>{"regive"} : std::vector<std::string>{});
    }
}

TEST_F(HostRules, DisconnectGivesTheTurnAnewExceptForSeatOne)
{
    struct Case {
        int seat;
        bool inGame;
        int current;
        bool regive;
    };
    const Case cases[] = {
        {1, true, 1, false},
        {2, true, 2, true},
        {3, true, 2, false},
        {2, false, 2, false},
        {2, true, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seat);
        RecordingOutbox o;
        fakes::ManualTimer t;
        FakeGame g;
        TServer s{o, t};
        s.setGame(&g);
        for (int i = 0; i < 3; ++i)
            s.Sock1Accept();
        g.inProgress = c.inGame;
        g.current = c.current;
        s.tempsockInfo(c.seat, "Socket Closed");
        s.tempsockInfo(c.seat, "Socket Closed"); // a second report changes nothing
        EXPECT_EQ(g.calls, c.regive ? std::vector<std::string>{"regive"} : std::vector<std::string>{});
        EXPECT_FALSE(s.seats()[c.seat].connected);
    }
}

TEST_F(HostRules, DisconnectFreesTheSeatButKeepsTheGameFields)
{
    seatPlayers({"Ann", "Bob", "Cy"});
    auto& bob = server.seats()[2];
    bob.watching = true;
    bob.score = 17;
    bob.inround = true;
    server.tempsockInfo(2, "Socket Disconnected On Receive"); // only "Socket Closed" counts
    EXPECT_TRUE(bob.connected);
    server.tempsockDisconnect(2);
    EXPECT_EQ(out.closed, std::vector<int>{2});
    EXPECT_EQ(out.sent,
        (std::vector<Sent>{{1, "CMD_playerdisconnected+2+Bob"}, {3, "CMD_playerdisconnected+2+Bob"}}));
    EXPECT_FALSE(bob.connected);
    EXPECT_TRUE(bob.name.empty());
    EXPECT_FALSE(bob.watching);
    EXPECT_EQ(bob.score, 17);
    EXPECT_TRUE(bob.inround);
}

TEST_F(HostRules, RelayTexts)
{
    struct Case {
        std::string in;
        std::string relayed;
    };
    const Case cases[] = {
        {"CMD_chat+2+hi + there: yes", "CMD_chat+2+Bob chats: hi + there: yes"},
        {"CMD_chat+2+", "CMD_chat+2+Bob chats: "},
        {"CMD_chat+02+x", "CMD_chat+02+Bob chats: x"}, // the seat text as written
        {"CMD_action+2+waves: +hello+", "CMD_action+2+Bob waves: +hello+"},
        {"CMD_playasound+2+wave3+", "CMD_playasound+2+wave3+"},
        {"CMD_playasound+02+wave1+", "CMD_playasound+2+wave1+"}, // the seat re-written
    };
    seatPlayers({"Ann", "Bob", "Cy"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        out.clear();
        handle(2, c.in);
        EXPECT_EQ(receivers(c.relayed), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(out.sent.size(), 3u);
    }
}

TEST_F(HostRules, GameMessagesReachTheEngineFromTheirOwnSeat)
{
    seatPlayers({"Ann", "Bob"});
    handle(1, "CMD_startgame+Ann+100+60+");
    handle(2, "CMD_startgame+Bob+5+60+");
    handle(2, "CMD_ipass+2+");
    handle(2, "CMD_ipass+1+");
    handle(1, "CMD_myword+1+3+2+4+0+0+0+0+0+0+0+0");
    handle(1, "CMD_myword+2+3+2+4");
    EXPECT_EQ(game.calls,
        (std::vector<std::string>{"startgame Ann+100+60+", "ipass 2+", "myword 1+3+2+4+0+0+0+0+0+0+0+0"}));
}

TEST_F(HostRules, NoEngineMeansNoGame)
{
    server.setGame(nullptr);
    seatPlayers({"Ann", "Bob"});
    handle(1, "CMD_startgame+Ann+100+60+");
    handle(1, "CMD_ipass+1+");
    handle(1, "CMD_justwatch+1+1");
    EXPECT_TRUE(out.sent.empty());
    EXPECT_FALSE(server.seats()[1].watching);
}

TEST_F(HostRules, QueueRunsOneMessagePerTickAndOnlyWhileNotEmpty)
{
    seatPlayers({"Ann", "Bob"});
    EXPECT_FALSE(socktimer.isActive());
    EXPECT_EQ(socktimer.interval(), 10);
    server.Sock1Read(1, std::string("CMD_chat+1+a\xFF\xFF", 14) + "CMD_chat+1+b\xFF");
    server.Sock1Read(2, "CMD_chat+2+c\xFF");
    EXPECT_TRUE(socktimer.isActive());
    EXPECT_EQ(server.receivedlist().size(), 3u);
    server.socktimerTimer();
    EXPECT_EQ(out.sent.size(), 2u);
    EXPECT_EQ(out.sent.back().message, "CMD_chat+1+Ann chats: a");
    EXPECT_EQ(drain(), 2);
    EXPECT_EQ(out.sent.back().message, "CMD_chat+2+Bob chats: c");
    EXPECT_FALSE(socktimer.isActive());
}

TEST_F(HostRules, MessageSplitAcrossReadsIsHandledOnce)
{
    seatPlayers({"Ann"});
    server.Sock1Read(1, "CMD_chat+1+hel");
    EXPECT_FALSE(socktimer.isActive());
    server.Sock1Read(1, "lo\xFF");
    drain();
    EXPECT_EQ(out.sent, (std::vector<Sent>{{1, "CMD_chat+1+Ann chats: hello"}}));
}

} // namespace
} // namespace glypharo::testing
