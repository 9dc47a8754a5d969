#include "host/TServer.h"

#include "protocol/FieldReader.h"
#include "protocol/HostMessages.h"
#include "protocol/Protocol.h"

#include <algorithm>
#include <utility>

namespace glypharo {

namespace {

using Handler = void (TServer::*)(int, std::string_view);

struct Route {
    std::string_view command;
    Handler handler;
};

// Compared in this order; at most one matches.
constexpr std::array<Route, 9> kRoutes{{
    {"CMD_logininfo", &TServer::receivedlogininfo},
    {"CMD_kickhim", &TServer::kickhim},
    {"CMD_chat", &TServer::chat},
    {"CMD_action", &TServer::action},
    {"CMD_playasound", &TServer::playasound},
    {"CMD_startgame", &TServer::startgame},
    {"CMD_justwatch", &TServer::justwatch},
    {"CMD_ipass", &TServer::ipass},
    {"CMD_myword", &TServer::myword},
}};

constexpr std::string_view kSocketClosed = "Socket Closed";

} // namespace

TServer::TServer(Outbox& out, Timer& socktimer)
    : out_(out)
    , socktimer_(socktimer)
{
    socktimer_.setInterval(10);
}

// --- accepting -----------------------------------------------------------

int TServer::chooseSeat() const
{
    if (seats_.highestseat == 0)
        return 1;
    for (int s = 1; s <= seats_.highestseat; ++s) {
        if (!seats_[s].connected)
            return s;
    }
    return seats_.highestseat < kMaxSeat ? seats_.highestseat + 1 : kRefusedSeat;
}

void TServer::acceptInto(int seat)
{
    if (seat == kRefusedSeat) {
        out_.send(kRefusedSeat, hostmsg::full());
        out_.close(kRefusedSeat);
        logEvent("connection refused: game is full");
        return;
    }
    if (!isSeat(seat) || seats_[seat].connected)
        return;
    seats_.highestseat = std::max(seats_.highestseat, seat);
    auto& p = seats_[seat];
    p.connected = true;
    p.name.clear();
    p.watching = false;
    auto& c = connections_[static_cast<std::size_t>(seat)];
    ++c.generation;
    c.framer.reset();
    c.queued = 0;
    c.loggedIn = false;
    logEvent("seat " + std::to_string(seat) + " connected");
    seats_.sendTo(out_, seat, hostmsg::sendlogininfo(seat));
}

int TServer::Sock1Accept()
{
    int seat = chooseSeat();
    acceptInto(seat);
    return seat;
}

// --- receiving -----------------------------------------------------------

void TServer::Sock1Read(int seat, std::string_view bytes)
{
    if (!isSeat(seat) || !seats_[seat].connected)
        return;
    auto& c = connections_[static_cast<std::size_t>(seat)];
    auto messages = c.framer.feed(bytes);
    if (c.framer.overflowed()) {
        dropConnection(seat, "more than 64 KiB without a terminator");
        return;
    }
    for (auto& text : messages) {
        if (text.empty())
            continue; // two terminators in a row: nothing to do
        if (c.queued >= kMaxQueuedPerSeat) {
            dropConnection(seat, "more than 1000 messages waiting");
            return;
        }
        receivedlist_.push_back({seat, c.generation, std::move(text)});
        ++c.queued;
    }
    if (!receivedlist_.empty() && !socktimer_.isActive())
        socktimer_.start();
}

void TServer::socktimerTimer()
{
    if (!receivedlist_.empty()) {
        ReceivedMessage m = std::move(receivedlist_.front());
        receivedlist_.pop_front();
        auto& c = connections_[static_cast<std::size_t>(m.seat)];
        if (c.queued > 0)
            --c.queued;
        // A message outlives its connection only if the seat was freed in
        // between; the seat may belong to somebody else by now.
        if (seats_[m.seat].connected && c.generation == m.generation)
            dispatch(m);
    }
    if (receivedlist_.empty())
        socktimer_.stop();
}

void TServer::dispatch(const ReceivedMessage& message)
{
    auto [command, body] = splitMessage(message.text);
    if (command.empty())
        return;
    for (const auto& route : kRoutes) {
        if (route.command == command) {
            (this->*route.handler)(message.seat, body);
            return;
        }
    }
    ignore(command, "unknown command");
}

// --- disconnection -------------------------------------------------------

void TServer::disconnectsock(int seat)
{
    if (!isSeat(seat) || !seats_[seat].connected)
        return;
    out_.close(seat);
    // The close reports "Socket Closed" synchronously; should an outbox not
    // do so, finish the disconnection here so the seat is freed all the same.
    if (seats_[seat].connected)
        tempsockInfo(seat, kSocketClosed);
}

void TServer::tempsockDisconnect(int seat)
{
    disconnectsock(seat);
}

void TServer::tempsockInfo(int seat, std::string_view text)
{
    // A seat is freed once; a second report for it (or one for seat 10)
    // must not announce it again or give the turn anew a second time.
    if (text != kSocketClosed || !isSeat(seat) || !seats_[seat].connected)
        return;
    auto& p = seats_[seat];
    seats_.broadcast(out_, hostmsg::playerdisconnected(seat, p.name), seat);
    logEvent("seat " + std::to_string(seat) + " disconnected" + (p.name.empty() ? "" : " (" + p.name + ")"));
    p.connected = false;
    p.name.clear();
    p.watching = false;
    auto& c = connections_[static_cast<std::size_t>(seat)];
    ++c.generation;
    c.framer.reset();
    c.loggedIn = false;
    forgetQueued(seat);
    if (gameInProgress() && game_->currentSeat() == seat && seat != 1)
        game_->regiveTurn();
}

void TServer::dropConnection(int seat, std::string_view why)
{
    std::string line = "dropping seat " + std::to_string(seat) + ": ";
    line += why;
    if (debugLog)
        debugLog(line);
    logEvent(line);
    disconnectsock(seat);
}

void TServer::forgetQueued(int seat)
{
    std::erase_if(receivedlist_, [seat](const ReceivedMessage& m) { return m.seat == seat; });
    connections_[static_cast<std::size_t>(seat)].queued = 0;
    if (receivedlist_.empty())
        socktimer_.stop();
}

// --- helpers -------------------------------------------------------------

bool TServer::ownSeat(int from, std::string_view field, std::string_view command) const
{
    auto seat = parseNumber(field);
    if (!seat || !isSeat(*seat)) {
        ignore(command, "seat field is not a seat");
        return false;
    }
    if (*seat != from) {
        ignore(command, "seat field names another connection");
        return false;
    }
    return true;
}

void TServer::ignore(std::string_view command, std::string_view why) const
{
    if (!debugLog)
        return;
    std::string line = "ignored ";
    line += command;
    line += ": ";
    line += why;
    debugLog(line);
}

void TServer::logEvent(const std::string& line) const
{
    if (eventLog)
        eventLog(line);
}

} // namespace glypharo
