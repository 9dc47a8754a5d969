#pragma once

#include "dict/WordChecker.h"
#include "host/ComputerPlayer.h"
#include "host/GameHooks.h"
#include "host/HostGameState.h"
#include "host/Outbox.h"
#include "host/SeatTable.h"
#include "protocol/GameMessages.h"
#include "protocol/Ports.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace glypharo {

// The host's game: rounds, turns, racks, word checks, scores, pauses and the
// end of the game, on the host's seat table. Moves come in as message bodies
// (from clients through TServer, or from the computer player); everything
// goes out as messages through the outbox. Time passes only through the three
// tick methods, which the runtime connects to its timers.
class GameEngine : public GameHooks {
public:
    // timer_turn and timer_breaks tick once a second; computertimer's
    // interval is set to botspeed() (500, 1000 or 2000 ms) before each
    // computer move. computerwords: the computer players' list, sorted, lower
    // case.
    GameEngine(SeatTable& seats, Outbox& out, Timer& timer_turn, Timer& timer_breaks, Timer& computertimer,
        RandomSource& random, WordChecker& spell, std::vector<std::string> computerwords,
        std::function<int()> botspeed);

    void startgame(std::string_view body) override;
    void ipass(std::string_view body) override;
    void myword(std::string_view body) override;
    bool gameInProgress() const override { return state_.gameinprogress; }
    int currentSeat() const override { return state_.currentseat; }
    void sendCatchUp(int seat) override;
    void regiveTurn() override;

    void timer_turnTimer();
    void timer_breaksTimer();
    void computertimerTimer();

    const HostGameState& state() const { return state_; }
    const ComputerPlayer& computer() const { return computer_; }

private:
    void startround();
    void findplayer();
    void beginturn(int seat);
    void dealtiles(int seat);
    void closeturn();
    void startbreak(HostGameState::BreakKind kind, int seconds);
    void endround();
    bool checkforwin();
    void startcomputer();
    void computerplay(int seat);
    bool validmove(const gamemsg::MywordFields& f) const;

    SeatTable& seats_;
    Outbox& out_;
    Timer& timer_turn_;
    Timer& timer_breaks_;
    Timer& computertimer_;
    RandomSource& random_;
    WordChecker& spell_;
    ComputerPlayer computer_;
    std::function<int()> botspeed_;
    HostGameState state_;
};

} // namespace glypharo
