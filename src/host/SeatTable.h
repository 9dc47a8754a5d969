#pragma once

#include "host/Outbox.h"

#include <array>
#include <string>

namespace glypharo {

// One entry of the host's seat table. The accepted socket itself lives in the
// runtime, keyed by seat number; the rules only see `connected`.
struct PlayerSeat {
    std::string name;
    bool connected = false;
    int score = 0;
    bool watching = false;
    bool inround = false;
    std::string computername;
    std::array<int, 9> tiles{}; // rack places 1..9 at index 0..8
};

// Seats 1..11: 1..9 take connections (1..6 play, 7..9 watch), 10 only exists
// while refusing a tenth connection, 11 is never used.
class SeatTable {
public:
    static constexpr int kEntries = 11;

    SeatTable();

    // seat must be 1..kEntries; anything else is a programming error.
    PlayerSeat& operator[](int seat);
    const PlayerSeat& operator[](int seat) const;

    // The highest seat number given out so far; broadcasts and scans run
    // over 1..highestseat. Never decreases.
    int highestseat = 0;

    // Sends to one seat, only when it is marked connected.
    void sendTo(Outbox& out, int seat, const std::string& message) const;
    // Sends to every connected seat 1..highestseat in seat order, skipping
    // `except` (0 skips nobody).
    void broadcast(Outbox& out, const std::string& message, int except = 0) const;
    // The login name, or the computer name when the seat has no login name.
    const std::string& shownName(int seat) const;

private:
    std::array<PlayerSeat, kEntries> seats_;
};

} // namespace glypharo
