#include "protocol/Letters.h"

#include "fakes/ScriptedRandom.h"
#include "protocol/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace glypharo {
namespace {

using fakes::ScriptedRandom;

// Table draws (r out of 84) that give a letter.
constexpr int A = 0, E = 7, D = 30, G = 35, H = 39, L = 41, M = 45, N = 47, P = 53, R = 55, S = 60, Q = 80,
              X = 82;
constexpr LetterIndex kA = 1, kD = 4, kE = 5, kG = 7, kH = 8, kL = 12, kM = 13, kN = 14, kP = 16, kQ = 17,
                      kR = 18, kS = 19, kX = 24;

ScriptedRandom scripted(const std::vector<int>& values)
{
    ScriptedRandom random;
    for (int v : values)
        random.push(v);
    return random;
}

TEST(Letters, DrawTableBoundaries)
{
    // Each range's first and last outcome, in the table's order.
    const std::vector<std::pair<int, char>> cases
        = {{0, 'a'}, {6, 'a'}, {7, 'e'}, {14, 'e'}, {15, 'i'}, {19, 'i'}, {20, 'o'}, {25, 'o'}, {26, 'u'},
            {29, 'u'}, {30, 'd'}, {34, 'd'}, {35, 'g'}, {38, 'g'}, {39, 'h'}, {40, 'h'}, {41, 'l'}, {44, 'l'},
            {45, 'm'}, {46, 'm'}, {47, 'n'}, {52, 'n'}, {53, 'p'}, {54, 'p'}, {55, 'r'}, {59, 'r'}, {60, 's'},
            {65, 's'}, {66, 't'}, {70, 't'}, {71, 'y'}, {72, 'b'}, {73, 'b'}, {74, 'c'}, {75, 'f'}, {76, 'f'},
            {77, 'j'}, {78, 'k'}, {79, 'w'}, {80, 'q'}, {81, 'v'}, {82, 'x'}, {83, 'z'}};
    for (const auto& [r, letter] : cases) {
        ScriptedRandom random = scripted({r});
        EXPECT_EQ(lettertext(randomletter(random)), std::string(1, letter)) << r;
    }
}

TEST(Letters, DrawSharesFollowTheTable)
{
    const std::map<char, int> outcomes = {{'a', 7}, {'e', 8}, {'i', 5}, {'o', 6}, {'u', 4}, {'d', 5},
        {'g', 4}, {'h', 2}, {'l', 4}, {'m', 2}, {'n', 6}, {'p', 2}, {'r', 5}, {'s', 6}, {'t', 5}, {'y', 1},
        {'b', 2}, {'c', 1}, {'f', 2}, {'j', 1}, {'k', 1}, {'w', 1}, {'q', 1}, {'v', 1}, {'x', 1}, {'z', 1}};
    constexpr int kDraws = 840000;
    EngineRandom random(20240611);
    std::array<int, 27> counts{};
    for (int i = 0; i < kDraws; ++i) {
        const LetterIndex letter = randomletter(random);
        ASSERT_TRUE(letter >= 1 && letter <= 26);
        ++counts[static_cast<std::size_t>(letter)];
    }
    for (const auto& [letter, share] : outcomes) {
        const double expected = kDraws * share / 84.0;
        const int seen = counts[static_cast<std::size_t>(letterindex(letter))];
        EXPECT_LT(std::abs(seen - expected), 0.05 * expected) << letter << " seen " << seen;
    }
}

TEST(Letters, ValuesTextsAndIndexes)
{
    const std::vector<std::pair<std::string, int>> groups
        = {{"aeilnorstu", 1}, {"bcdghmp", 3}, {"fvwy", 5}, {"jkx", 7}, {"qz", 10}};
    int covered = 0;
    for (const auto& [letters, points] : groups) {
        for (char c : letters) {
            const LetterIndex index = letterindex(c);
            EXPECT_EQ(lettervalue(index), points) << c;
            EXPECT_EQ(lettertext(index), std::string(1, c));
            EXPECT_EQ(letterindex(static_cast<char>(c - 'a' + 'A')), index);
            ++covered;
        }
    }
    EXPECT_EQ(covered, 26);
    for (LetterIndex outside : {-1, 0, 27, 100})
        EXPECT_EQ(lettervalue(outside), 1) << outside;
    EXPECT_EQ(lettertext(0), "");
    EXPECT_EQ(letterindex('?'), kNoLetter);
}

struct DealCase {
    const char* name;
    Rack previous;
    std::vector<int> script; // draws out of 84
    Rack dealt;
    int draws;
};

TEST(Letters, DealRackRedrawsOnlyAThirdCopy)
{
    const Rack empty{};
    const std::vector<DealCase> cases = {
        {"three of a letter need no redraw", empty, {A, A, A, D, D, D, E, E, E},
            {kA, kA, kA, kD, kD, kD, kE, kE, kE}, 9},
        {"a fourth is redrawn once, uncounted", empty, {A, A, A, A, A, D, D, D, D, E, E, E},
            {kA, kA, kA, kA, kD, kD, kD, kE, kE}, 11},
        {"the old rack from this place on counts", {kD, kD, kD, kD, kD, kD, kD, kA, kA},
            {A, E, A, E, G, H, L, M, N, P}, {kA, kE, kE, kG, kH, kL, kM, kN, kP}, 10},
        {"a place's own old letter counts", {kA, kA, kA, kD, kD, kD, kD, kD, kD},
            {A, E, G, H, L, M, N, P, R, S}, {kE, kG, kH, kL, kM, kN, kP, kR, kS}, 10},
    };
    for (const DealCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedRandom random = scripted(c.script);
        Rack rack = c.previous;
        dealrack(rack, random);
        EXPECT_EQ(rack, c.dealt);
        EXPECT_EQ(random.draws(), c.draws);
    }
}

struct FirstLetterCase {
    const char* name;
    std::vector<int> script; // draws out of 84, and the vowel's 0..9
    LetterIndex letter;
    int draws;
};

TEST(Letters, FirstLetterSkipsQAndXExceptThroughTheVowelRedraw)
{
    const std::vector<FirstLetterCase> cases = {
        {"consonant taken", {D}, kD, 1},
        {"q and x drawn again", {Q, X, Q, D}, kD, 4},
        {"vowel kept on 3", {A, 3}, kA, 2},
        {"vowel kept on 0", {E, 0}, kE, 2},
        {"vowel redrawn on 4", {A, 4, D}, kD, 3},
        {"vowel redrawn on 9, q taken", {E, 9, Q}, kQ, 3},
        {"after q, vowel redrawn to x", {Q, A, 5, X}, kX, 4},
        {"vowel redraw may give a vowel", {A, 7, E}, kE, 3},
    };
    for (const FirstLetterCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedRandom random = scripted(c.script);
        EXPECT_EQ(firstletter(random), c.letter);
        EXPECT_EQ(random.draws(), c.draws);
    }
}

// Records every draw so a seeded run can check how each q or x came about.
class RecordingRandom : public RandomSource {
public:
    int below(int n) override
    {
        const int v = engine_.below(n);
        log.emplace_back(n, v);
        return v;
    }
    std::vector<std::pair<int, int>> log;

private:
    EngineRandom engine_{7};
};

TEST(Letters, FirstLetterQOrXOnlyAfterAVowelRedraw)
{
    RecordingRandom random;
    int rare = 0;
    for (int i = 0; i < 100000; ++i) {
        random.log.clear();
        const LetterIndex letter = firstletter(random);
        if (letter != kQ && letter != kX)
            continue;
        ++rare;
        ASSERT_GE(random.log.size(), 3u);
        const auto& vowelroll = random.log[random.log.size() - 2];
        EXPECT_EQ(vowelroll.first, 10);
        EXPECT_GT(vowelroll.second, 3);
    }
    // 30/84 vowels x 6/10 redrawn x 2/84 q or x: about 510 in 100,000.
    EXPECT_GT(rare, 300);
    EXPECT_LT(rare, 750);
}

TEST(Letters, WordsAreTheFirstLetterAndTheTilesAndScoreTheirSum)
{
    struct Case {
        LetterIndex first;
        std::vector<LetterIndex> tiles;
        std::string text;
        int points;
    };
    const std::vector<Case> cases = {
        {kQ, {21, 9, 26}, "quiz", 22},
        {kX, {}, "x", 7},
        {kA, {}, "a", 1},
        {kE, {24, 20, 18, 1, 3, 20, 9, 15, 14}, "extraction", 1 + 7 + 1 + 1 + 1 + 3 + 1 + 1 + 1 + 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wordtext(c.first, c.tiles), c.text);
        EXPECT_EQ(scoreword(c.first, c.tiles), c.points) << c.text;
        EXPECT_EQ(scoreword(c.text), c.points) << c.text;
    }
    EXPECT_EQ(scoreword("QUIZ"), 22);
}

} // namespace
} // namespace glypharo
