#pragma once

#include "client/ClientModel.h"
#include "fakes/ManualTimer.h"
#include "fakes/RecordingClientObserver.h"
#include "protocol/GameMessages.h"
#include "protocol/HostMessages.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace glypharo::testing {

// A client model with hand-ticked timers and recording ports. Messages are
// fed through the read handler and worked off tick by tick.
class ClientHarness {
public:
    ClientHarness()
    {
        drain();
        obs.clear();
    }

    // All messages in one read; then the dispatch timer runs until the
    // queue is empty.
    void receive(std::initializer_list<std::string> messages)
    {
        std::string bytes;
        for (const auto& m : messages) {
            bytes += m;
            bytes += '\xFF';
        }
        model.sockRead(bytes);
        drain();
    }
    void receive(const std::string& message) { receive({message}); }

    void drain()
    {
        for (int guard = 0; guard < 10000 && timer1.isActive() && !model.receivedlist().empty(); ++guard)
            model.Timer1Timer();
    }

    // Seats this client as `seat` with the given name among the others.
    void login(int seat, const std::string& name = "Me", bool host = false)
    {
        model.setPlayerName(name);
        if (host)
            model.hostpress();
        else
            model.joinpress();
        receive({hostmsg::sendlogininfo(seat), hostmsg::newplayerinfo(seat, name)});
        obs.clear();
    }

    void seatOther(int seat, const std::string& name) { receive(hostmsg::newplayerinfo(seat, name)); }

    // A game of 60 s per turn whose round plays rows 1 to `rows`.
    void startRound(int rows = 4)
    {
        std::vector<gamemsg::RowLetter> letters;
        for (int r = 1; r <= rows; ++r)
            letters.push_back({r, r}); // a, b, c, ...
        std::vector<gamemsg::RoundSeat> seats;
        for (int s = 1; s <= 6; ++s)
            seats.push_back({s, true});
        receive({gamemsg::startgame("Host", 50, 60), gamemsg::roundstart(1, seats, letters)});
    }

    // Deals tiles 1..9 the letters given and starts this seat's turn.
    void myTurn(const std::array<int, 9>& letters = {1, 2, 3, 4, 5, 6, 7, 8, 9})
    {
        int seat = model.state().ownSeat;
        receive({gamemsg::mytiles(seat, letters), gamemsg::nextplayer(seat)});
        obs.clear();
    }

    // Picks up tile n and lays it on (row, col).
    void lay(int tile, int row, int col)
    {
        model.tile_1Click(tile);
        model.word_12Click(row, col);
    }

    const ClientState& st() const { return model.state(); }

    fakes::ManualTimer timer1;
    fakes::ManualTimer turntimer;
    fakes::RecordingClientObserver obs;
    fakes::RecordingTally tally;
    ClientModel model{obs, tally, timer1, turntimer};
};

} // namespace glypharo::testing
