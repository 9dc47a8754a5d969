#include "host/ComputerPlayer.h"

#include "protocol/GameMessages.h"

#include <utility>

namespace glypharo {

namespace {

// The search draws its start within this many words of a section's first.
constexpr int kStartSpread = 200;

} // namespace

ComputerPlayer::ComputerPlayer(std::vector<std::string> words)
    : words_(std::move(words))
{
    // The list is sorted, so a letter's words stand together; should a stray
    // word sit out of order, it lies inside another section and is skipped by
    // the first-letter check of the search.
    for (int i = 0; i < static_cast<int>(words_.size()); ++i) {
        const std::string& w = words_[static_cast<std::size_t>(i)];
        if (w.empty())
            continue;
        LetterIndex l = letterindex(w[0]);
        if (l == kNoLetter)
            continue;
        Section& s = sections_[static_cast<std::size_t>(l)];
        if (s.empty())
            s.first = i;
        s.last = i;
    }
}

ComputerPlayer::Section ComputerPlayer::computergetsection(LetterIndex letter) const
{
    if (letter < 1 || letter > kLetterCount)
        return {};
    return sections_[static_cast<std::size_t>(letter)];
}

ComputerPlayer::Move ComputerPlayer::computerplay(
    int seat, const HostGameState& state, const Rack& rack, RandomSource& random) const
{
    const int rows = state.rowcount;
    if (rows >= 1 && rows <= HostGameState::kRows) {
        const int start = random.below(rows) + 1;
        int row = start;
        for (int n = 0; n < rows; ++n) {
            row = row % rows + 1; // the start row itself comes last
            if (!state.row(row).open())
                continue;
            if (auto body = computerfindword(seat, row, state.row(row).first(), rack, random))
                return {false, std::move(*body)};
        }
    }
    return {true, gamemsg::ipassBody(seat)};
}

std::optional<std::string> ComputerPlayer::computerfindword(
    int seat, int row, LetterIndex first, const Rack& rack, RandomSource& random) const
{
    const Section s = computergetsection(first);
    if (s.empty())
        return std::nullopt;
    // A section too small for the "first plus 2" fallback is searched whole,
    // from its first word.
    int index = s.last;
    if (s.size() >= 3) {
        index = s.first + random.below(kStartSpread);
        if (index > s.last)
            index = s.first + 2;
    }
    for (int n = 0; n < s.size(); ++n) {
        index = index >= s.last ? s.first : index + 1;
        if (auto body = tryword(seat, row, first, words_[static_cast<std::size_t>(index)], rack))
            return body;
    }
    return std::nullopt;
}

std::optional<std::string> ComputerPlayer::tryword(
    int seat, int row, LetterIndex first, const std::string& word, const Rack& rack) const
{
    if (word.empty() || letterindex(word[0]) != first || word.size() > kRowLength)
        return std::nullopt;
    std::array<bool, kRackSize> used{};
    std::vector<std::pair<int, int>> groups;
    for (std::size_t p = 1; p < word.size(); ++p) {
        const LetterIndex want = letterindex(word[p]);
        int place = 0;
        for (int k = 0; k < kRackSize && want != kNoLetter; ++k) {
            if (!used[static_cast<std::size_t>(k)] && rack[static_cast<std::size_t>(k)] == want) {
                place = k + 1;
                break;
            }
        }
        if (place == 0)
            return std::nullopt;
        used[static_cast<std::size_t>(place - 1)] = true;
        groups.emplace_back(static_cast<int>(p) + 1, place);
    }
    return gamemsg::mywordBody(seat, row, groups);
}

} // namespace glypharo
