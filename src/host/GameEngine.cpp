#include "host/GameEngine.h"

#include "protocol/GameMessages.h"
#include "protocol/Letters.h"

#include <utility>

namespace glypharo {

namespace {

constexpr int kComputerSeat = 2; // always in the round; "Klot" plays it when free
constexpr int kPassPause = 1;
constexpr int kTurnPause = 3; // after a word or a time-out
constexpr int kRoundPause = 15;
// The host's turn clock runs this much longer than the clients' countdown.
constexpr int kTurnGrace = 4;

} // namespace

GameEngine::GameEngine(SeatTable& seats, Outbox& out, Timer& timer_turn, Timer& timer_breaks,
    Timer& computertimer, RandomSource& random, WordChecker& spell, std::vector<std::string> computerwords,
    std::function<int()> botspeed)
    : seats_(seats)
    , out_(out)
    , timer_turn_(timer_turn)
    , timer_breaks_(timer_breaks)
    , computertimer_(computertimer)
    , random_(random)
    , spell_(spell)
    , computer_(std::move(computerwords))
    , botspeed_(std::move(botspeed))
{
    timer_turn_.setInterval(1000);
    timer_breaks_.setInterval(1000);
}

void GameEngine::startgame(std::string_view body)
{
    const auto f = gamemsg::readStartgame(body);
    timer_breaks_.stop();
    computertimer_.stop();
    state_.computerpurpose = HostGameState::ComputerPurpose::none;
    state_.gameinprogress = true;
    state_.playto = f.playto;
    state_.secondsperturn = f.secondsperturn;
    seats_.broadcast(out_, gamemsg::startgame(f.name, f.playto, f.secondsperturn));
    for (int s = 1; s <= HostGameState::kSeats; ++s) {
        seats_[s].score = 0;
        seats_[s].watching = false;
    }
    state_.lastseat = 0;
    state_.round = 0;
    startround();
}

void GameEngine::startround()
{
    timer_turn_.stop();
    state_.turnopen = false;
    ++state_.round;
    for (auto& row : state_.rows)
        row.finished = 1;
    std::vector<gamemsg::RoundSeat> list;
    int count = 0;
    for (int s = 1; s <= HostGameState::kSeats; ++s) {
        auto& seat = seats_[s];
        seat.inround = seat.connected || s == kComputerSeat;
        count += seat.inround ? 1 : 0;
        list.push_back({s, seat.inround});
    }
    // Two players get four rows and three get six, so that a short game
    // still has a choice of rows.
    state_.rowcount = count == 2 ? 4 : count == 3 ? 6 : count;
    std::vector<gamemsg::RowLetter> letters;
    for (int r = 1; r <= state_.rowcount; ++r) {
        auto& row = state_.row(r);
        row.letters[0] = firstletter(random_);
        row.finished = 0;
        letters.push_back({r, row.letters[0]});
    }
    seats_.broadcast(out_, gamemsg::roundstart(state_.round, list, letters));
    findplayer();
}

void GameEngine::findplayer()
{
    int s = state_.lastseat;
    for (int n = 0; n < HostGameState::kSeats; ++n) {
        s = s % HostGameState::kSeats + 1;
        if (seats_[s].inround) {
            beginturn(s);
            return;
        }
    }
}

void GameEngine::beginturn(int seat)
{
    state_.currentseat = seat;
    state_.turnopen = true;
    dealtiles(seat);
    seats_.broadcast(out_, gamemsg::nextplayer(seat));
    timer_turn_.stop();
    state_.turncountdown = static_cast<std::int64_t>(state_.secondsperturn) + kTurnGrace;
    timer_turn_.start();
    if (!seats_[seat].connected || seats_[seat].watching)
        startcomputer();
}

void GameEngine::dealtiles(int seat)
{
    dealrack(seats_[seat].tiles, random_);
    seats_.sendTo(out_, seat, gamemsg::mytiles(seat, seats_[seat].tiles));
}

// Ends the current turn without a word that finishes the round: the next
// player follows after a pause.
void GameEngine::closeturn()
{
    state_.lastseat = state_.currentseat;
    state_.currentseat = 0;
    state_.turnopen = false;
    timer_turn_.stop();
    computertimer_.stop();
}

void GameEngine::startbreak(HostGameState::BreakKind kind, int seconds)
{
    timer_breaks_.stop();
    state_.breakkind = kind;
    state_.breakcountdown = seconds;
    timer_breaks_.start();
}

bool GameEngine::validmove(const gamemsg::MywordFields& f) const
{
    if (!state_.turnopen || f.seat != state_.currentseat)
        return false;
    if (f.row < 1 || f.row > state_.rowcount || f.groups > kRackSize)
        return false;
    std::array<bool, kRackSize> used{};
    for (int t : f.tiles) {
        if (t < 1 || t > kRackSize || used[static_cast<std::size_t>(t - 1)])
            return false;
        used[static_cast<std::size_t>(t - 1)] = true;
    }
    return true;
}

void GameEngine::myword(std::string_view body)
{
    const auto f = gamemsg::readMyword(body);
    if (!f || !validmove(*f))
        return;
    const int seat = f->seat;
    WordRow& row = state_.row(f->row);
    if (!row.open()) {
        seats_.sendTo(out_, seat, gamemsg::invalid(seat, gamemsg::kRowFinished));
        return;
    }
    std::vector<LetterIndex> laid;
    std::vector<gamemsg::PlacedLetter> placed;
    for (int t : f->tiles) {
        laid.push_back(seats_[seat].tiles[static_cast<std::size_t>(t - 1)]);
        placed.push_back({static_cast<int>(laid.size()) + 1, laid.back()});
    }
    // The row shows the attempt even when it is refused, until the next one.
    for (std::size_t p = 1; p < row.letters.size(); ++p)
        row.letters[p] = p - 1 < laid.size() ? laid[p - 1] : kNoLetter;
    const std::string word = wordtext(row.first(), laid);
    if (!spell_.WordExists(word)) {
        seats_.sendTo(out_, seat, gamemsg::invalid(seat, gamemsg::kNotAWord));
        return;
    }
    const int points = scoreword(row.first(), laid);
    row.finished = 1;
    seats_[seat].score += points;
    seats_.broadcast(out_, gamemsg::hisword(seat, f->row, word, seats_[seat].score, points, placed));
    timer_turn_.stop();
    for (const auto& r : state_.rows) {
        if (r.open()) {
            closeturn();
            startbreak(HostGameState::BreakKind::nextturn, kTurnPause);
            return;
        }
    }
    endround();
}

void GameEngine::ipass(std::string_view body)
{
    const auto seat = gamemsg::readIpass(body);
    if (!seat || !state_.turnopen || *seat != state_.currentseat)
        return;
    seats_.broadcast(out_, gamemsg::hepass(*seat));
    closeturn();
    startbreak(HostGameState::BreakKind::nextturn, kPassPause);
}

void GameEngine::endround()
{
    // The finisher stays named as the current seat, but the turn is over.
    state_.turnopen = false;
    timer_turn_.stop();
    computertimer_.stop();
    seats_.broadcast(out_, gamemsg::roundend());
    if (!checkforwin())
        startbreak(HostGameState::BreakKind::nextround, kRoundPause);
}

bool GameEngine::checkforwin()
{
    int best = 0;
    for (int s = 1; s <= HostGameState::kSeats; ++s) {
        if (seats_[s].score > state_.playto)
            best = s;
    }
    if (best == 0)
        return false;
    for (int s = 1; s <= HostGameState::kSeats; ++s) {
        if (seats_[s].score > seats_[best].score)
            best = s;
    }
    for (int s = 1; s <= HostGameState::kSeats; ++s) {
        if (s != best && seats_[s].score == seats_[best].score)
            return false;
    }
    seats_.broadcast(out_, gamemsg::winner(seats_.shownName(best)));
    state_.gameinprogress = false;
    return true;
}

void GameEngine::timer_turnTimer()
{
    if (!state_.turnopen) {
        timer_turn_.stop();
        return;
    }
    if (--state_.turncountdown < 1) {
        closeturn();
        startbreak(HostGameState::BreakKind::nextturn, kTurnPause);
    }
}

void GameEngine::timer_breaksTimer()
{
    if (--state_.breakcountdown >= 1)
        return;
    timer_breaks_.stop();
    const auto kind = std::exchange(state_.breakkind, HostGameState::BreakKind::none);
    if (kind == HostGameState::BreakKind::nextturn)
        findplayer();
    else if (kind == HostGameState::BreakKind::nextround)
        startround();
}

void GameEngine::startcomputer()
{
    computertimer_.stop();
    computertimer_.setInterval(botspeed_ ? botspeed_() : 1000);
    state_.computerpurpose = HostGameState::ComputerPurpose::play;
    state_.computercountdown = 1;
    computertimer_.start();
}

void GameEngine::computertimerTimer()
{
    if (--state_.computercountdown >= 1)
        return;
    computertimer_.stop();
    const auto purpose = std::exchange(state_.computerpurpose, HostGameState::ComputerPurpose::none);
    // A move armed for a turn that has meanwhile ended is dropped.
    if (purpose == HostGameState::ComputerPurpose::play && state_.turnopen)
        computerplay(state_.currentseat);
}

void GameEngine::computerplay(int seat)
{
    auto move = computer_.computerplay(seat, state_, seats_[seat].tiles, random_);
    if (move.pass)
        ipass(move.body);
    else
        myword(move.body);
}

void GameEngine::regiveTurn()
{
    // Only a seat that holds an open turn can have it given anew; during the
    // round pause the finisher is still named but has no turn.
    if (state_.gameinprogress && state_.turnopen && state_.currentseat != 0)
        beginturn(state_.currentseat);
}

void GameEngine::sendCatchUp(int seat)
{
    std::array<int, HostGameState::kSeats> scores{};
    for (int s = 1; s <= HostGameState::kSeats; ++s)
        scores[static_cast<std::size_t>(s - 1)] = seats_[s].score;
    const auto timeleft = static_cast<long long>(state_.turncountdown - kTurnGrace);
    seats_.sendTo(out_, seat,
        gamemsg::gamestats(
            state_.playto, state_.secondsperturn, timeleft, state_.currentseat, state_.round, scores));
    std::array<gamemsg::RowSnapshot, HostGameState::kRows> rows{};
    for (std::size_t r = 0; r < rows.size(); ++r)
        rows[r] = {state_.rows[r].finished != 0, state_.rows[r].letters};
    seats_.sendTo(out_, seat, gamemsg::thewords(rows));
}

} // namespace glypharo
