#pragma once

#include "protocol/Letters.h"

#include <array>
#include <cstdint>

namespace glypharo {

// One word row of a round: position 1 holds the dealt first letter, 2..10
// the letters last laid there (kept after a refused word until overwritten).
struct WordRow {
    std::array<LetterIndex, kRowLength> letters{}; // positions 1..10 at 0..9
    int finished = 1; // 1 finished or not in play, 0 open

    LetterIndex first() const { return letters[0]; }
    bool open() const { return finished == 0; }
};

// The host's game values. Only seats 1..6 take part in games.
struct HostGameState {
    static constexpr int kRows = 6;
    static constexpr int kSeats = 6;

    enum class BreakKind { none = 0, nextturn = 1, nextround = 2 };
    enum class ComputerPurpose { none, play };

    bool gameinprogress = false;
    int playto = 5;
    int secondsperturn = 60;
    int round = 0;
    // The seat whose turn it is; 0 between turns. After the round's last word
    // it keeps naming the finisher through the round pause (turnopen is false
    // then), so the next round starts after that seat.
    int currentseat = 0;
    int lastseat = 0;
    // True only while currentseat may move: from the deal to its word, pass
    // or time-out. Moves arriving at any other time are ignored.
    bool turnopen = false;
    int rowcount = 0;
    std::array<WordRow, kRows> rows{}; // rows 1..6 at 0..5

    int breakcountdown = 0;
    BreakKind breakkind = BreakKind::none;
    // Wide enough for any seconds-per-turn a start message can carry plus 4.
    std::int64_t turncountdown = 0;
    int computercountdown = 0;
    ComputerPurpose computerpurpose = ComputerPurpose::none;

    WordRow& row(int r) { return rows[static_cast<std::size_t>(r - 1)]; }
    const WordRow& row(int r) const { return rows[static_cast<std::size_t>(r - 1)]; }
};

} // namespace glypharo
