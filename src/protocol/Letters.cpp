#include "protocol/Letters.h"

#include <algorithm>

namespace glypharo {

namespace {

struct LetterRange {
    int last; // the highest draw mapped to this letter
    LetterIndex letter;
};

// The draw table, in its order: a range of the 84 outcomes per letter.
constexpr std::array<LetterRange, 26> kDrawTable{{
    {6, 1}, // a 7
    {14, 5}, // e 8
    {19, 9}, // i 5
    {25, 15}, // o 6
    {29, 21}, // u 4
    {34, 4}, // d 5
    {38, 7}, // g 4
    {40, 8}, // h 2
    {44, 12}, // l 4
    {46, 13}, // m 2
    {52, 14}, // n 6
    {54, 16}, // p 2
    {59, 18}, // r 5
    {65, 19}, // s 6
    {70, 20}, // t 5
    {71, 25}, // y 1
    {73, 2}, // b 2
    {74, 3}, // c 1
    {76, 6}, // f 2
    {77, 10}, // j 1
    {78, 11}, // k 1
    {79, 23}, // w 1
    {80, 17}, // q 1
    {81, 22}, // v 1
    {82, 24}, // x 1
    {83, 26}, // z 1
}};

//                                      a  b  c  d  e  f  g  h  i  j  k  l  m
constexpr std::array<int, 26> kValues{1, 3, 3, 3, 1, 5, 3, 3, 1, 7, 7, 1, 3,
    //                                n  o  p  q   r  s  t  u  v  w  x  y  z
    1, 1, 3, 10, 1, 1, 1, 1, 5, 5, 7, 5, 10};

constexpr LetterIndex kQ = 17;
constexpr LetterIndex kX = 24;

bool isletter(LetterIndex index)
{
    return index >= 1 && index <= kLetterCount;
}

} // namespace

LetterIndex randomletter(RandomSource& random)
{
    const int r = random.below(kLetterOutcomes);
    for (const LetterRange& range : kDrawTable) {
        if (r <= range.last)
            return range.letter;
    }
    return kDrawTable.back().letter; // not reached for a source that keeps to 0..83
}

std::string lettertext(LetterIndex index)
{
    if (!isletter(index))
        return {};
    return std::string(1, static_cast<char>('a' + index - 1));
}

LetterIndex letterindex(char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 1;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 1;
    return kNoLetter;
}

int lettervalue(LetterIndex index)
{
    return isletter(index) ? kValues[static_cast<std::size_t>(index - 1)] : 1;
}

bool isvowel(LetterIndex index)
{
    return index == 1 || index == 5 || index == 9 || index == 15 || index == 21;
}

void dealrack(Rack& rack, RandomSource& random)
{
    for (LetterIndex& place : rack) {
        LetterIndex letter = randomletter(random);
        if (std::count(rack.begin(), rack.end(), letter) > 2)
            letter = randomletter(random);
        place = letter;
    }
}

LetterIndex firstletter(RandomSource& random)
{
    LetterIndex letter = randomletter(random);
    while (letter == kQ || letter == kX)
        letter = randomletter(random);
    if (isvowel(letter) && random.below(10) > 3)
        letter = randomletter(random);
    return letter;
}

std::string wordtext(LetterIndex first, std::span<const LetterIndex> tiles)
{
    std::string word = lettertext(first);
    for (LetterIndex tile : tiles)
        word += lettertext(tile);
    return word;
}

int scoreword(LetterIndex first, std::span<const LetterIndex> tiles)
{
    int points = lettervalue(first);
    for (LetterIndex tile : tiles)
        points += lettervalue(tile);
    return points;
}

int scoreword(std::string_view word)
{
    int points = 0;
    for (char c : word)
        points += lettervalue(letterindex(c));
    return points;
}

} // namespace glypharo
