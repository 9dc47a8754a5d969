#pragma once

#include <string_view>

namespace glypharo {

// What the connection and login rules (TServer) need of the game engine.
// TServer has already checked that the message came from the seat it names
// (and that CMD_startgame came from seat 1) before calling these.
class GameHooks {
public:
    virtual ~GameHooks() = default;
    virtual void startgame(std::string_view body) = 0;
    virtual void ipass(std::string_view body) = 0;
    virtual void myword(std::string_view body) = 0;
    virtual bool gameInProgress() const = 0;
    virtual int currentSeat() const = 0;
    // CMD_gamestats then CMD_thewords to a newcomer while a game runs.
    virtual void sendCatchUp(int seat) = 0;
    // The current seat disconnected (and is not seat 1) or started watching:
    // deal it a fresh rack and clock and let a computer player take the turn.
    virtual void regiveTurn() = 0;
};

} // namespace glypharo
