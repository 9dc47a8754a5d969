#pragma once

#include "fakes/ManualTimer.h"
#include "fakes/RecordingOutbox.h"
#include "host/GameHooks.h"
#include "host/TServer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glypharo::testing {

// Records what TServer asks of the engine.
class FakeGame : public GameHooks {
public:
    void startgame(std::string_view body) override { calls.push_back("startgame " + std::string(body)); }
    void ipass(std::string_view body) override { calls.push_back("ipass " + std::string(body)); }
    void myword(std::string_view body) override { calls.push_back("myword " + std::string(body)); }
    bool gameInProgress() const override { return inProgress; }
    int currentSeat() const override { return current; }
    void sendCatchUp(int seat) override { calls.push_back("catchup " + std::to_string(seat)); }
    void regiveTurn() override { calls.push_back("regive"); }

    bool inProgress = false;
    int current = 0;
    std::vector<std::string> calls;
};

// A TServer on a recording outbox and a hand-ticked socktimer; closing a
// seat reports "Socket Closed" back at once, as the socket does.
class HostRules : public ::testing::Test {
protected:
    HostRules()
    {
        out.onClose = [this](int seat) { server.tempsockInfo(seat, "Socket Closed"); };
        server.setGame(&game);
        server.debugLog = [this](std::string_view line) { debug.emplace_back(line); };
    }

    void connect(int count)
    {
        for (int i = 0; i < count; ++i)
            server.Sock1Accept();
    }
    // Bytes from a seat's connection, terminator appended.
    void receive(int seat, const std::string& text) { server.Sock1Read(seat, text + '\xFF'); }
    // Ticks socktimer until the queue is empty; returns the ticks taken.
    int drain()
    {
        int ticks = 0;
        while (socktimer.isActive() && ticks < 100000) {
            server.socktimerTimer();
            ++ticks;
        }
        return ticks;
    }
    void handle(int seat, const std::string& text)
    {
        receive(seat, text);
        drain();
    }
    // Connects seats 1..names.size() and logs each in, then forgets the traffic.
    void seatPlayers(const std::vector<std::string>& names)
    {
        for (const auto& name : names) {
            int seat = server.Sock1Accept();
            handle(seat, "CMD_logininfo+" + std::to_string(seat) + "+1.0.1+" + name);
        }
        out.clear();
    }
    // Every seat that received `message`, in send order.
    std::vector<int> receivers(const std::string& message) const
    {
        std::vector<int> seats;
        for (const auto& s : out.sent) {
            if (s.message == message)
                seats.push_back(s.seat);
        }
        return seats;
    }

    fakes::RecordingOutbox out;
    fakes::ManualTimer socktimer;
    TServer server{out, socktimer};
    FakeGame game;
    std::vector<std::string> debug;
};

} // namespace glypharo::testing
