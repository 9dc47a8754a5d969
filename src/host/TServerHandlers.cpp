// The message handlers of TServer. Each reads and checks every field of its
// message first and only then changes state, so a malformed message changes
// nothing.
#include "host/TServer.h"

#include "protocol/FieldReader.h"
#include "protocol/HostMessages.h"
#include "protocol/Protocol.h"

#include <algorithm>
#include <vector>

namespace glypharo {

namespace {

std::string storedName(std::string_view name)
{
    std::string s(name);
    // A "+" in a stored name would shift every later field at every receiver
    // of the messages that carry the name.
    std::replace(s.begin(), s.end(), '+', '-');
    return s;
}

} // namespace

void TServer::receivedlogininfo(int from, std::string_view body)
{
    constexpr std::string_view cmd = "CMD_logininfo";
    FieldReader r(body);
    auto seatText = r.field();
    auto version = r.field();
    if (!seatText || !version || r.atEnd())
        return ignore(cmd, "missing fields");
    if (!ownSeat(from, *seatText, cmd))
        return;
    auto& c = connections_[static_cast<std::size_t>(from)];
    // A client logs in once per connection; a repeat would re-announce the
    // seat and could rename a player under the others' feet.
    if (c.loggedIn)
        return ignore(cmd, "seat already logged in");

    auto& p = seats_[from];
    p.name = storedName(r.rest());
    p.connected = true;
    c.loggedIn = true;
    logEvent("seat " + std::to_string(from) + " logged in as " + p.name + " (version " + std::string(*version)
        + ")");

    seats_.broadcast(out_, hostmsg::newplayerinfo(from, p.name));
    std::vector<hostmsg::PlayerEntry> others;
    // A seat whose connection has not logged in yet has no name to show; it
    // is announced to everybody, the newcomer included, when it does.
    for (int s = 1; s <= seats_.highestseat; ++s) {
        if (s != from && seats_[s].connected && connections_[static_cast<std::size_t>(s)].loggedIn)
            others.push_back({s, seats_[s].name, seats_[s].watching});
    }
    if (!others.empty())
        seats_.sendTo(out_, from, hostmsg::existingplayers(others));
    if (*version != kVersion) {
        seats_.sendTo(out_, 1, hostmsg::havewrongversion(p.name));
        seats_.sendTo(out_, from, hostmsg::wrongversion());
    }
    if (gameInProgress())
        game_->sendCatchUp(from);
}

void TServer::kickhim(int from, std::string_view body)
{
    constexpr std::string_view cmd = "CMD_kickhim";
    FieldReader r(body);
    auto requester = r.number();
    auto target = r.number();
    if (!requester || !target || !isSeat(*requester) || !isSeat(*target))
        return ignore(cmd, "seat field is not a seat");
    if (*requester != 1 || from != 1)
        return ignore(cmd, "only seat 1 may remove players");
    if (seats_[*target].connected)
        logEvent("seat 1 removes seat " + std::to_string(*target));
    disconnectsock(*target);
}

// The three relays share their checks: a seat field that is the sender's
// own, then the rest of the message as it came.
template <class Build> void TServer::relay(int from, std::string_view body, std::string_view cmd, Build build)
{
    FieldReader r(body);
    auto seatText = r.field();
    if (!seatText || r.atEnd())
        return ignore(cmd, "missing text");
    if (!ownSeat(from, *seatText, cmd))
        return;
    seats_.broadcast(out_, build(*seatText, r.rest()));
}

void TServer::chat(int from, std::string_view body)
{
    relay(from, body, "CMD_chat", [&](std::string_view seat, std::string_view text) {
        return hostmsg::chat(seat, seats_[from].name, text);
    });
}

void TServer::action(int from, std::string_view body)
{
    relay(from, body, "CMD_action", [&](std::string_view seat, std::string_view text) {
        return hostmsg::action(seat, seats_[from].name, text);
    });
}

void TServer::playasound(int from, std::string_view body)
{
    // The seat is written anew as a number.
    relay(from, body, "CMD_playasound",
        [&](std::string_view, std::string_view rest) { return hostmsg::playasound(from, rest); });
}

void TServer::startgame(int from, std::string_view body)
{
    constexpr std::string_view cmd = "CMD_startgame";
    if (from != 1)
        return ignore(cmd, "only seat 1 may start a game");
    if (!game_)
        return ignore(cmd, "no game engine");
    FieldReader r(body);
    auto name = r.field().value_or("");
    auto playto = r.field().value_or("");
    auto seconds = r.field().value_or("");
    std::string line = "game started by ";
    line.append(name).append(", play to ").append(playto).append(", ").append(seconds).append(" s per turn");
    logEvent(line);
    game_->startgame(body);
}

void TServer::justwatch(int from, std::string_view body)
{
    constexpr std::string_view cmd = "CMD_justwatch";
    FieldReader r(body);
    auto seat = r.number();
    if (!seat || !isSeat(*seat) || r.atEnd())
        return ignore(cmd, "seat field is not a seat");
    auto mode = r.rest();
    // Seat 1 may set or unset watching for another seat; everybody else only
    // for himself.
    if (*seat != from && from != 1)
        return ignore(cmd, "seat field names another connection");
    if (*seat > kPlayingSeats)
        return ignore(cmd, "seat cannot play");
    if (!seats_[*seat].connected)
        return ignore(cmd, "seat is free");
    auto& p = seats_[*seat];
    if (mode == "2") {
        p.watching = false;
        seats_.broadcast(out_, hostmsg::justwatching(*seat, "2"));
    } else if (mode == "1" && gameInProgress()) {
        p.watching = true;
        seats_.broadcast(out_, hostmsg::justwatching(*seat, "1"));
        if (game_->currentSeat() == *seat)
            game_->regiveTurn();
    }
}

void TServer::ipass(int from, std::string_view body)
{
    constexpr std::string_view cmd = "CMD_ipass";
    FieldReader r(body);
    auto seatText = r.field();
    if (!seatText || !ownSeat(from, *seatText, cmd))
        return;
    if (game_)
        game_->ipass(body);
}

void TServer::myword(int from, std::string_view body)
{
    constexpr std::string_view cmd = "CMD_myword";
    FieldReader r(body);
    auto seatText = r.field();
    if (!seatText || !ownSeat(from, *seatText, cmd))
        return;
    if (game_)
        game_->myword(body);
}

} // namespace glypharo
