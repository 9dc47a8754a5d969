#pragma once

#include "host/HostGameState.h"
#include "protocol/Letters.h"
#include "protocol/Ports.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace glypharo {

// The host's computer player: finds a word for a seat's rack on the open rows
// from its own word list (sorted, lower case) and states the move as the body
// a client would send. Whether the word counts is the dictionary's decision.
class ComputerPlayer {
public:
    // The list indexes of the words that begin with one letter; empty when
    // first > last.
    struct Section {
        int first = 0;
        int last = -1;
        int size() const { return last - first + 1; }
        bool empty() const { return last < first; }
    };

    struct Move {
        bool pass = true;
        std::string body; // a CMD_myword body, or a CMD_ipass body for a pass
    };

    explicit ComputerPlayer(std::vector<std::string> words);

    // Tries the open rows from a random start row onwards (circularly) and
    // takes the first word found; passes when none fits.
    Move computerplay(int seat, const HostGameState& state, const Rack& rack, RandomSource& random) const;

    // Searches the section of the row's first letter from a random place,
    // circularly, for a word the rack completes. The CMD_myword body of the
    // first fit, or nullopt.
    std::optional<std::string> computerfindword(
        int seat, int row, LetterIndex first, const Rack& rack, RandomSource& random) const;

    // Computed once from the list.
    Section computergetsection(LetterIndex letter) const;

    const std::vector<std::string>& words() const { return words_; }

private:
    std::optional<std::string> tryword(
        int seat, int row, LetterIndex first, const std::string& word, const Rack& rack) const;

    std::vector<std::string> words_;
    std::array<Section, kLetterCount + 1> sections_{}; // by letter index, 0 unused
};

} // namespace glypharo
