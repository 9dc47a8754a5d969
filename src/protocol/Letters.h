#pragma once

#include "protocol/Ports.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace glypharo {

// 1 to 26 for a to z; 0 for no letter (an empty rack place or word position).
using LetterIndex = int;

inline constexpr LetterIndex kNoLetter = 0;
inline constexpr int kLetterCount = 26;
inline constexpr int kRackSize = 9;
inline constexpr int kRowLength = 10; // the first letter and nine tiles
inline constexpr int kLetterOutcomes = 84;

using Rack = std::array<LetterIndex, kRackSize>;

// A letter drawn by the weighted table: 84 equally likely outcomes, vowels
// taking 30 of them.
LetterIndex randomletter(RandomSource& random);

// "a" to "z" for 1 to 26; an empty text for anything else.
std::string lettertext(LetterIndex index);

// The index of an ASCII letter of either case; kNoLetter for other bytes.
LetterIndex letterindex(char c);

// Points of a letter; any index outside 1 to 26 is worth 1.
int lettervalue(LetterIndex index);

bool isvowel(LetterIndex index);

// Deals a fresh rack over the seat's previous one, place by place. A letter
// already held more than twice (this deal's places before it, the previous
// rack's from it on) is drawn once more, and that second draw is kept as it
// comes, so four or more of a letter remain possible.
void dealrack(Rack& rack, RandomSource& random);

// A word row's first letter: never q or x on the first draw; a vowel is
// replaced by a fresh draw six times in ten, which may bring q or x.
LetterIndex firstletter(RandomSource& random);

// The word of a row: its first letter, then the placed tiles' letters in
// position order.
std::string wordtext(LetterIndex first, std::span<const LetterIndex> tiles);

// The sum of the letter values, the first letter included; no bonuses.
int scoreword(LetterIndex first, std::span<const LetterIndex> tiles);
int scoreword(std::string_view word);

} // namespace glypharo
