#pragma once

#include "client/BoardModel.h"
#include "client/ClientContext.h"

#include <string_view>

namespace glypharo {

// The game messages from the host: start of a game and of a round, the
// deal, the change of turn, each result, round and game end, and the
// catch-up for a player who joins a running game.
//
// Each handler reads and checks all fields of its message first; a message
// that does not read whole returns false and changes nothing.
class RoundDisplay {
public:
    RoundDisplay(ClientContext& ctx, BoardModel& board)
        : ctx_(ctx)
        , board_(board)
    {
    }

    bool startthegame(std::string_view body);
    bool roundstart(std::string_view body);
    bool mytiles(std::string_view body);
    bool getnextplayer(std::string_view body);
    bool hisword(std::string_view body);
    bool hepass(std::string_view body);
    bool invalid(std::string_view body);
    bool roundend(std::string_view body);
    bool thewords(std::string_view body);
    bool gamestats(std::string_view body);
    bool winner(std::string_view body);

private:
    void setTimePerTurn(int seconds);
    // The name shown on seat n's label.
    const std::string& nameOf(int seat) const { return ctx_.state.seat(seat).name; }
    bool isOwn(int seat) const { return seat == ctx_.state.ownSeat; }

    ClientContext& ctx_;
    BoardModel& board_;
};

} // namespace glypharo
