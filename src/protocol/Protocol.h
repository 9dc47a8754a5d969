#pragma once

#include <string_view>

namespace glypharo {

// The version every copy sends at login and the host compares exactly.
inline constexpr std::string_view kVersion = "1.0.1";
// The game's TCP port.
inline constexpr int kGamePort = 7772;
// Ends every message on the wire; never occurs inside one.
inline constexpr char kTerminator = '\xFF';

// Seats 1..6 play, 7..9 only watch; seat 10 exists only while refusing a
// connection.
inline constexpr int kPlayingSeats = 6;
inline constexpr int kMaxSeat = 9;

inline bool isPlayingSeat(int seat)
{
    return seat >= 1 && seat <= kPlayingSeats;
}
inline bool isSeat(int seat)
{
    return seat >= 1 && seat <= kMaxSeat;
}

} // namespace glypharo
