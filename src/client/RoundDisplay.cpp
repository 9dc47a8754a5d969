#include "client/RoundDisplay.h"

#include "protocol/FieldReader.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace glypharo {

namespace {

std::string upper(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    return out;
}

// A list of groups whose fields (from `first` on) must all be numbers.
std::optional<std::vector<std::vector<int>>> numberGroups(
    FieldReader& r, std::size_t size, std::size_t first = 0)
{
    auto groups = r.groups(size);
    if (!groups)
        return std::nullopt;
    std::vector<std::vector<int>> out;
    for (const auto& g : *groups) {
        std::vector<int> nums(size, 0);
        for (std::size_t i = first; i < size; ++i) {
            auto n = parseNumber(g[i]);
            if (!n)
                return std::nullopt;
            nums[i] = *n;
        }
        out.push_back(std::move(nums));
    }
    return out;
}

// A list of tagged entries: the first field names the entry's kind, the
// others are numbers when the kind is one the handler reads.
struct Entry {
    std::string kind;
    std::vector<int> numbers;
};

std::optional<std::vector<Entry>> taggedEntries(
    FieldReader& r, std::size_t size, std::string_view kinds, std::size_t firstNumber = 1)
{
    auto groups = r.groups(size);
    if (!groups)
        return std::nullopt;
    std::vector<Entry> out;
    for (const auto& g : *groups) {
        Entry e{g[0], std::vector<int>(size, 0)};
        bool read = e.kind.size() == 1 && kinds.find(e.kind[0]) != std::string_view::npos;
        for (std::size_t i = firstNumber; read && i < size; ++i) {
            auto n = parseNumber(g[i]);
            if (!n)
                return std::nullopt;
            e.numbers[i] = *n;
        }
        out.push_back(std::move(e));
    }
    return out;
}

} // namespace

void RoundDisplay::setTimePerTurn(int seconds)
{
    auto& st = ctx_.state;
    st.timeperturn = "Time Per Turn: " + std::to_string(seconds);
    st.timerTag = seconds;
    // A turn time of 0 or less would divide by zero; such a turn is up at the
    // first tick anyway, so its bar has no width.
    st.timerBarTag = seconds > 0 ? 428 / seconds : 0;
    ctx_.touch(ClientChange::Labels);
    ctx_.touch(ClientChange::Timer);
}

bool RoundDisplay::startthegame(std::string_view body)
{
    FieldReader r(body);
    auto name = r.field();
    auto playto = r.number();
    auto seconds = r.number();
    if (!name || !playto || !seconds)
        return false;
    auto& st = ctx_.state;
    ctx_.turntimer.stop();
    st.buttonStart = false;
    st.justWatch = false;
    st.panelWinner = false;
    ctx_.touch(ClientChange::Winner);
    ctx_.touch(ClientChange::Menu);
    board_.clearall();
    st.playtoscore = "Play To Score: " + std::to_string(*playto);
    setTimePerTurn(*seconds);
    std::string starter(*name);
    if (!st.isSeated() || nameOf(st.ownSeat) != starter)
        ctx_.systemLine(starter + " has started a game.");
    else
        ctx_.systemLine("You have started a game.");
    st.selectedTile = 0;
    if (st.seat(2).name == kWaiting)
        st.seat(2).name = "Klot";
    ctx_.touch(ClientChange::Seats);
    return true;
}

bool RoundDisplay::roundstart(std::string_view body)
{
    FieldReader r(body);
    auto round = r.number();
    if (!round)
        return false;
    auto entries = taggedEntries(r, 3, "w");
    if (!entries)
        return false;
    auto& st = ctx_.state;
    st.roundnum = "Round: " + std::to_string(*round);
    ctx_.touch(ClientChange::Labels);
    board_.fillBoard(kLockedSlot);
    ctx_.emptyRack();
    for (int n = 1; n <= kSeatCount; ++n) {
        ctx_.placeScore(n);
        st.seat(n).bonus.clear();
    }
    for (const auto& e : *entries) {
        int row = e.numbers[1];
        int letter = e.numbers[2];
        if (e.kind != "w" || !isBoardRow(row) || !isLetterFace(letter))
            continue;
        st.slot(row, 1) = {letter, letter};
        st.slot(row, 2) = {0, kBlankFace};
        for (int c = 3; c <= kBoardColumns; ++c)
            st.slot(row, c) = {0, kNoFace};
    }
    return true;
}

bool RoundDisplay::mytiles(std::string_view body)
{
    FieldReader r(body);
    auto player = r.number();
    auto pairs = numberGroups(r, 2);
    if (!player || !pairs)
        return false;
    for (const auto& p : *pairs) {
        if (!isTileNumber(p[0]) || !isLetterFace(p[1]))
            continue;
        auto& t = ctx_.state.tile(p[0]);
        t.face = p[1];
        t.tag = p[1];
        t.y = kTileResting;
        t.visible = true;
    }
    ctx_.touch(ClientChange::Rack);
    return true;
}

bool RoundDisplay::getnextplayer(std::string_view body)
{
    FieldReader r(body);
    auto seat = r.number();
    if (!seat || !isSeatView(*seat))
        return false;
    auto& st = ctx_.state;
    int n = *seat;
    st.currentRow = 0;
    st.currentColumn = 1;
    st.currentPlayer = n;
    st.turnMarkerTop = kNameTop[n - 1] - 4;
    auto& view = st.seat(n);
    if (view.name == kWaiting)
        view.name = view.hint;
    ctx_.touch(ClientChange::Seats);
    ctx_.touch(ClientChange::Turn);
    if (isOwn(n)) {
        ctx_.setStatus("Your Turn.");
        ctx_.playsounds(ctx_.options.turnSound == 1 ? "turnnew" : "turn");
        ctx_.showTurnButtons(true);
    } else {
        ctx_.setStatus(view.name + "'s turn.");
    }
    ctx_.turntimer.stop();
    st.secondsLeft = st.timerTag;
    ctx_.turntimer.start();
    return true;
}

bool RoundDisplay::hisword(std::string_view body)
{
    FieldReader r(body);
    auto seat = r.number();
    auto row = r.number();
    auto word = r.field();
    auto score = r.number();
    auto points = r.number();
    auto pairs = numberGroups(r, 2);
    if (!seat || !row || !word || !score || !points || !pairs || !isSeatView(*seat) || !isBoardRow(*row))
        return false;
    auto& st = ctx_.state;
    int n = *seat;
    ctx_.emptyBonuses();
    ctx_.setScore(n, *score);
    ctx_.placeScore(n);
    st.seat(n).bonus = "+" + std::to_string(*points);
    ctx_.placeBonus(n);
    for (int c = 2; c <= kBoardColumns; ++c)
        st.slot(*row, c) = {kLockedSlot, kNoFace};
    for (const auto& p : *pairs) {
        if (isBoardColumn(p[0]) && isLetterFace(p[1]))
            st.slot(*row, p[0]) = {kLockedSlot, p[1]};
    }
    ctx_.touch(ClientChange::Board);
    auto tail = " for " + std::to_string(*points) + " points.";
    if (isOwn(n)) {
        auto made = upper(*word);
        ctx_.setStatus("You created the word: " + made + tail);
        ctx_.emptyRack();
        if (*points > ctx_.tally.bestWordThreshold())
            ctx_.tally.addword(made, *points, 3);
    } else {
        ctx_.setStatus(nameOf(n) + " created the word: " + std::string(*word) + tail);
    }
    ctx_.playsounds("goodword");
    ctx_.turntimer.stop();
    return true;
}

bool RoundDisplay::hepass(std::string_view body)
{
    FieldReader r(body);
    auto seat = r.number();
    if (!seat || !isSeatView(*seat))
        return false;
    ctx_.emptyBonuses();
    if (isOwn(*seat)) {
        ctx_.setStatus("You passed.");
        ctx_.emptyRack();
    } else {
        ctx_.setStatus(nameOf(*seat) + " passed.");
    }
    ctx_.playsounds("pass");
    ctx_.turntimer.stop();
    return true;
}

bool RoundDisplay::invalid(std::string_view body)
{
    FieldReader r(body);
    auto seat = r.number();
    auto reason = r.number();
    if (!seat || !reason || !isSeatView(*seat))
        return false;
    if (*reason == 1)
        ctx_.setStatus("Invalid Word");
    else if (*reason == 2)
        ctx_.setStatus("Cannot make a word there");
    ctx_.playsounds("invalid");
    ctx_.state.currentPlayer = *seat;
    ctx_.showTurnButtons(true);
    return true;
}

bool RoundDisplay::roundend(std::string_view /*body*/)
{
    ctx_.setStatus("Round Over.. Please Wait.");
    ctx_.turntimer.stop();
    return true;
}

bool RoundDisplay::thewords(std::string_view body)
{
    FieldReader r(body);
    auto entries = taggedEntries(r, 4, "fw");
    if (!entries)
        return false;
    auto& st = ctx_.state;
    int finished = 0;
    for (const auto& e : *entries) {
        const auto& v = e.numbers;
        if (e.kind == "f" && isBoardRow(v[1])) {
            finished = v[3];
            for (int c = 2; c <= kBoardColumns; ++c)
                st.slot(v[1], c) = {kLockedSlot, kNoFace};
        } else if (e.kind == "w" && isBoardRow(v[1]) && isBoardColumn(v[2]) && isLetterFace(v[3])) {
            int letter = v[3];
            if (finished == 0)
                st.slot(v[1], v[2]) = {letter, letter};
            else
                st.slot(v[1], v[2]) = {kLockedSlot, letter != 0 ? letter : kNoFace};
        }
    }
    ctx_.touch(ClientChange::Board);
    return true;
}

bool RoundDisplay::gamestats(std::string_view body)
{
    FieldReader r(body);
    auto playto = r.number();
    auto seconds = r.number();
    auto left = r.number();
    auto current = r.number();
    auto round = r.number();
    auto pairs = numberGroups(r, 2);
    if (!playto || !seconds || !left || !current || !round || !pairs)
        return false;
    auto& st = ctx_.state;
    ctx_.turntimer.stop();
    st.playtoscore = "Play To Score: " + std::to_string(*playto);
    st.secondsLeft = *left;
    // Only a playing seat can hold the turn; anything else would hand it to a
    // spectator whose seat number matched.
    st.currentPlayer = isSeatView(*current) ? *current : 0;
    st.roundnum = "Round: " + std::to_string(*round);
    setTimePerTurn(*seconds);
    ctx_.touch(ClientChange::Turn);
    for (const auto& p : *pairs) {
        if (!isSeatView(p[0]))
            continue;
        ctx_.setScore(p[0], p[1]);
        ctx_.placeScore(p[0]);
    }
    ctx_.turntimer.start();
    return true;
}

bool RoundDisplay::winner(std::string_view body)
{
    FieldReader r(body);
    auto name = r.field();
    if (!name)
        return false;
    auto& st = ctx_.state;
    std::string v(*name);
    bool won = st.isSeated() && nameOf(st.ownSeat) == v;
    ctx_.playsounds("gameover");
    st.winner1 = won ? "You have Won the Game!" : v + " has Won the Game!";
    ctx_.setStatus("Game Over!");
    ctx_.systemLine(st.winner1);
    st.panelWinner = true;
    if (st.host)
        st.buttonStart = true;
    ctx_.touch(ClientChange::Winner);
    if (st.isSeated())
        ctx_.tally.addgame(won ? "addtomine" : v);
    return true;
}

} // namespace glypharo
