// Input: a sequence of operations on a TServer with three connections. Each
// operation starts with one byte: its low two bits pick the connection (0-2),
// the rest pick what happens:
//   read   - the next byte is a length, that many bytes arrive on the
//            connection (a message without terminator is completed later);
//   tick   - socktimer ticks up to 16 times while it runs;
//   close  - the peer closes the connection;
//   accept - a fresh connection is accepted for the slot if it has none.
// After every operation the host's bookkeeping must hold together.

#include "fakes/ManualTimer.h"
#include "host/GameHooks.h"
#include "host/Outbox.h"
#include "host/TServer.h"
#include "protocol/Ports.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace glypharo;

using fakes::ManualTimer;

class Game : public GameHooks {
public:
    void startgame(std::string_view) override
    {
        inProgress = !inProgress;
        current = 2;
    }
    void ipass(std::string_view) override { current = current % 6 + 1; }
    void myword(std::string_view) override { current = 0; }
    bool gameInProgress() const override { return inProgress; }
    int currentSeat() const override { return current; }
    void sendCatchUp(int) override { }
    void regiveTurn() override { }
    bool inProgress = false;
    int current = 0;
};

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

class Outgoing : public Outbox {
public:
    void send(int seat, const std::string& message) override
    {
        check(seat >= 1 && seat <= TServer::kRefusedSeat);
        check(message.find('\xFF') == std::string::npos);
        check(message.rfind("CMD_", 0) == 0);
    }
    void close(int seat) override
    {
        if (server)
            server->tempsockInfo(seat, "Socket Closed");
    }
    TServer* server = nullptr;
};

void checkBookkeeping(const TServer& server, const ManualTimer& timer)
{
    const auto& queue = server.receivedlist();
    check(queue.size() <= 3 * TServer::kMaxQueuedPerSeat);
    check(timer.isActive() == !queue.empty());
    for (const auto& m : queue)
        check(server.seats()[m.seat].connected && !m.text.empty());
    const auto& seats = server.seats();
    check(seats.highestseat >= 0 && seats.highestseat <= 9);
    for (int s = 1; s <= SeatTable::kEntries; ++s) {
        check(!seats[s].connected || s <= seats.highestseat);
        check(seats[s].name.find('+') == std::string::npos);
        check(!seats[s].watching || (seats[s].connected && s <= 6));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Outgoing out;
    ManualTimer timer;
    Game game;
    TServer server(out, timer);
    out.server = &server;
    server.setGame(&game);
    std::array<int, 3> slot{};
    for (int& s : slot)
        s = server.Sock1Accept();

    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t op = data[i++];
        const int c = op & 3;
        int& seat = slot[static_cast<std::size_t>(c == 3 ? 0 : c)];
        switch ((op >> 2) % 4) {
        case 0: {
            std::size_t n = i < size ? data[i++] : 0;
            n = std::min(n, size - i);
            const std::string_view bytes(reinterpret_cast<const char*>(data + i), n);
            i += n;
            if (seat != 0 && server.seats()[seat].connected)
                server.Sock1Read(seat, bytes);
            break;
        }
        case 1:
            for (int t = 0; t < 16 && timer.isActive(); ++t)
                server.socktimerTimer();
            break;
        case 2:
            if (seat != 0)
                server.tempsockDisconnect(seat);
            break;
        case 3:
            if (seat == 0 || !server.seats()[seat].connected) {
                const int s = server.Sock1Accept();
                seat = s <= 9 ? s : 0;
            }
            break;
        }
        checkBookkeeping(server, timer);
    }
    while (timer.isActive())
        server.socktimerTimer();
    checkBookkeeping(server, timer);
    return 0;
}
