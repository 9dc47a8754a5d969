#pragma once

#include "host/GameHooks.h"
#include "host/Outbox.h"
#include "host/SeatTable.h"
#include "protocol/MessageFramer.h"
#include "protocol/Ports.h"

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

namespace glypharo {

// One queued message and the connection it arrived on. `generation` tells a
// seat's current connection from an earlier one that held the same seat.
struct ReceivedMessage {
    int seat = 0;
    unsigned generation = 0;
    std::string text;
};

// The host's connection rules: seats, login, relay, removal, the watch switch
// and disconnection. Plain C++; the runtime feeds it socket events and binds
// the Outbox and socktimer to real sockets and a QTimer.
//
// Unlike the trusting original protocol, a message is accepted only when the
// seat it names is the seat of the connection it came from (seat 1 may name
// another seat as the target of CMD_justwatch and CMD_kickhim).
class TServer {
public:
    // Bounds on what one connection may hold at the host before it is
    // dropped: bytes without a terminator, and messages waiting in the queue.
    static constexpr std::size_t kMaxFragment = 64 * 1024;
    static constexpr std::size_t kMaxQueuedPerSeat = 1000;
    // The seat that only exists while a tenth connection is refused.
    static constexpr int kRefusedSeat = 10;

    TServer(Outbox& out, Timer& socktimer);

    // The game engine; nullptr (the default) ignores CMD_startgame, CMD_ipass
    // and CMD_myword and reports no game in progress.
    void setGame(GameHooks* game) { game_ = game; }

    // Debug lines (dropped messages and why) and event lines (connection,
    // login, disconnection, game start). Both default to nothing.
    std::function<void(std::string_view)> debugLog;
    std::function<void(std::string_view)> eventLog;

    SeatTable& seats() { return seats_; }
    const SeatTable& seats() const { return seats_; }
    const std::deque<ReceivedMessage>& receivedlist() const { return receivedlist_; }

    // Accepting a connection, in two steps so the runtime can bind the new
    // socket to the seat before anything is sent on it:
    // chooseSeat() is the seat the next connection gets (10 when all nine are
    // taken); acceptInto(seat) marks it connected and sends CMD_sendlogininfo,
    // or, for seat 10, sends "CMD_full+" and closes the connection.
    int chooseSeat() const;
    void acceptInto(int seat);
    // Both steps at once; returns the seat.
    int Sock1Accept();

    // Bytes read from the connection of `seat`.
    void Sock1Read(int seat, std::string_view bytes);
    // One tick of socktimer: dispatches the first queued message.
    void socktimerTimer();

    // The peer of `seat` closed its connection.
    void tempsockDisconnect(int seat);
    // The connection of `seat` reported `text`; "Socket Closed" frees the seat.
    void tempsockInfo(int seat, std::string_view text);
    // Closes the connection of `seat` if it is connected.
    void disconnectsock(int seat);

    // Message handlers, given the connection's seat and the message body.
    void receivedlogininfo(int from, std::string_view body);
    void kickhim(int from, std::string_view body);
    void chat(int from, std::string_view body);
    void action(int from, std::string_view body);
    void playasound(int from, std::string_view body);
    void startgame(int from, std::string_view body);
    void justwatch(int from, std::string_view body);
    void ipass(int from, std::string_view body);
    void myword(int from, std::string_view body);

private:
    struct Connection {
        MessageFramer framer{kMaxFragment};
        unsigned generation = 0;
        std::size_t queued = 0;
        bool loggedIn = false;
    };

    void dispatch(const ReceivedMessage& message);
    // Drops a connection that broke an input bound.
    void dropConnection(int seat, std::string_view why);
    void forgetQueued(int seat);
    // Relays a chat, action or sound whose seat field is the sender's own.
    template <class Build> void relay(int from, std::string_view body, std::string_view cmd, Build build);
    // Reads the leading seat field of a body and checks it names `from`.
    bool ownSeat(int from, std::string_view field, std::string_view command) const;
    void ignore(std::string_view command, std::string_view why) const;
    void logEvent(const std::string& line) const;
    bool gameInProgress() const { return game_ && game_->gameInProgress(); }

    Outbox& out_;
    Timer& socktimer_;
    GameHooks* game_ = nullptr;
    SeatTable seats_;
    std::deque<ReceivedMessage> receivedlist_;
    std::array<Connection, SeatTable::kEntries + 1> connections_{}; // by seat
};

} // namespace glypharo
