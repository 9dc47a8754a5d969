#pragma once

#include "fakes/ManualTimer.h"
#include "fakes/MemoryWordChecker.h"
#include "fakes/RecordingOutbox.h"
#include "fakes/ScriptedRandom.h"
#include "host/GameEngine.h"
#include "host/SeatTable.h"
#include "protocol/Letters.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace glypharo::enginetest {

// The draw value (0..83) that makes randomletter give `c`.
inline int drawFor(char c)
{
    for (int r = 0; r < kLetterOutcomes; ++r) {
        fakes::ScriptedRandom one;
        one.push(r);
        if (randomletter(one) == letterindex(c))
            return r;
    }
    return 0;
}

// A rack whose first places hold `letters`, the rest filled with z.
inline Rack rackOf(const std::string& letters)
{
    Rack rack;
    rack.fill(letterindex('z'));
    for (std::size_t i = 0; i < letters.size() && i < rack.size(); ++i)
        rack[i] = letterindex(letters[i]);
    return rack;
}

// An engine on fakes: a recording outbox, hand-ticked timers, a scripted
// random source and an in-memory dictionary.
struct GameRig {
    explicit GameRig(std::vector<std::string> computerwords = {}, std::uint32_t seed = 1)
        : random(seed)
        , engine(seats, out, turn, breaks, computer, random, spell, std::move(computerwords),
              [this] { return botspeed; })
    {
    }

    void connect(int seat, const std::string& name)
    {
        seats[seat].connected = true;
        seats[seat].name = name;
        seats.highestseat = std::max(seats.highestseat, seat);
    }

    // Scripts the first letters of the next round (never q or x).
    void scriptRows(const std::string& firsts)
    {
        for (char c : firsts) {
            random.push(drawFor(c));
            if (isvowel(letterindex(c)))
                random.push(0); // keep the vowel
        }
    }

    std::string lastTo(int seat) const
    {
        auto all = out.to(seat);
        return all.empty() ? std::string() : all.back();
    }

    // Ticks whichever timer is due next (the computer's move first, then a
    // pause, then the turn clock). False when nothing is running.
    bool step()
    {
        if (computer.isActive())
            engine.computertimerTimer();
        else if (breaks.isActive())
            engine.timer_breaksTimer();
        else if (turn.isActive())
            engine.timer_turnTimer();
        else
            return false;
        return true;
    }
    // Steps until `seat` holds an open turn; false if it never comes.
    bool runToTurnOf(int seat, int limit = 1000)
    {
        for (int i = 0; i < limit; ++i) {
            if (engine.state().turnopen && engine.state().currentseat == seat)
                return true;
            if (!step())
                return false;
        }
        return false;
    }
    void tickBreaks(int n)
    {
        for (int i = 0; i < n && breaks.isActive(); ++i)
            engine.timer_breaksTimer();
    }
    void tickTurn(int n)
    {
        for (int i = 0; i < n && turn.isActive(); ++i)
            engine.timer_turnTimer();
    }

    SeatTable seats;
    fakes::RecordingOutbox out;
    fakes::ManualTimer turn, breaks, computer;
    fakes::ScriptedRandom random;
    fakes::MemoryWordChecker spell;
    int botspeed = 1000;
    GameEngine engine;
};

} // namespace glypharo::enginetest
