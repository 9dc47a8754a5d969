#include "client/BoardModel.h"

#include "protocol/ClientMessages.h"

namespace glypharo {

std::string timerText(int seconds)
{
    auto ss = seconds % 60;
    return "Time: " + std::to_string(seconds / 60) + ":" + (ss < 10 ? "0" : "") + std::to_string(ss);
}

void BoardModel::tile_1Click(int n)
{
    auto& st = ctx_.state;
    // A hidden tile (its letter lies on the board) cannot be clicked.
    if (!isTileNumber(n) || !st.tile(n).visible)
        return;
    auto& t = st.tile(n);
    if (st.selectedTile != 0) {
        auto& s = st.tile(st.selectedTile);
        std::swap(s.x, t.x);
        s.y = kTileResting;
        st.selectedTile = 0;
        ctx_.playsounds("swapletter");
    } else if (t.y == kTileResting) {
        st.selectedTile = n;
        t.y = kTileRaised;
        ctx_.playsounds("pickupletter");
    } else {
        t.y = kTileResting;
        st.selectedTile = 0;
    }
    ctx_.touch(ClientChange::Rack);
}

void BoardModel::refuse(const char* text)
{
    ctx_.setStatus(text);
    ctx_.playsounds("invalid");
}

void BoardModel::word_12Click(int row, int col)
{
    auto& st = ctx_.state;
    if (!isBoardRow(row) || !isBoardColumn(col) || col == 1 || !st.isMyTurn())
        return;
    ctx_.setStatus("");
    const auto& w = st.slot(row, col);
    if (w.tag == kLockedSlot)
        return refuse("There is already a word there");
    bool selected = st.selectedTile != 0;
    if (!selected && st.currentColumn != 1 && w.tag != 0 && row == st.currentRow && col == st.currentColumn)
        return takeBackLast(row, col);
    if (!selected && w.tag != 0)
        return refuse("You cannot remove that right now.");
    if (selected && w.tag != 0)
        return refuse("There is already a letter there.");
    if (!selected)
        return refuse("Select a letter first.");
    layTile(row, col);
}

void BoardModel::takeBackLast(int row, int col)
{
    auto& st = ctx_.state;
    auto& w = st.slot(row, col);
    int n = w.tag;
    w.tag = 0;
    w.face = kBlankFace;
    if (st.currentColumn < kBoardColumns) {
        auto& next = st.slot(row, st.currentColumn + 1);
        next.tag = 0;
        next.face = kNoFace;
    }
    showTile(n);
    st.currentColumn -= 1;
    if (st.currentColumn == 1)
        st.currentRow = 0;
    ctx_.touch(ClientChange::Board);
}

void BoardModel::layTile(int row, int col)
{
    auto& st = ctx_.state;
    if (st.currentRow != 0 && row != st.currentRow)
        return refuse("You can only work on one word per turn.");
    bool acceptable
        = (st.currentRow == 0 && col == 2) || (st.currentRow == row && col == st.currentColumn + 1);
    if (!acceptable)
        return refuse("You cannot place a letter there yet.");
    auto& s = st.tile(st.selectedTile);
    auto& w = st.slot(row, col);
    w.face = isLetterFace(s.tag) ? s.tag : kBlankFace;
    w.tag = st.selectedTile;
    s.y = kTileResting;
    s.visible = false;
    st.currentRow = row;
    st.currentColumn = col;
    if (col < kBoardColumns) {
        auto& next = st.slot(row, col + 1);
        next.tag = 0;
        next.face = kBlankFace;
    }
    st.selectedTile = 0;
    ctx_.playsounds("placeletter");
    ctx_.touch(ClientChange::Board);
    ctx_.touch(ClientChange::Rack);
}

// Tags of the current row can also be letter indexes drawn by a catch-up;
// only a rack tile number names a tile.
void BoardModel::showTile(int n)
{
    if (!isTileNumber(n))
        return;
    ctx_.state.tile(n).visible = true;
    ctx_.touch(ClientChange::Rack);
}

void BoardModel::pressclear()
{
    auto& st = ctx_.state;
    if (st.currentRow == 0)
        return;
    for (int c = 2; c <= kBoardColumns; ++c) {
        auto& w = st.slot(st.currentRow, c);
        int n = w.tag;
        w.tag = 0;
        w.face = c == 2 ? kBlankFace : kNoFace;
        if (n != 0)
            showTile(n);
    }
    st.currentRow = 0;
    st.currentColumn = 1;
    ctx_.touch(ClientChange::Board);
}

void BoardModel::presssubmit()
{
    auto& st = ctx_.state;
    if (!st.isMyTurn())
        return;
    if (st.currentRow == 0)
        return refuse("You must create a word first.");
    if (st.connected) {
        std::array<int, 9> tiles{};
        for (int c = 2; c <= kBoardColumns; ++c)
            tiles[c - 2] = st.slot(st.currentRow, c).tag;
        ctx_.send(clientmsg::myword(st.ownSeat, st.currentRow, tiles));
    }
    st.currentPlayer = 0;
    ctx_.showTurnButtons(false);
}

void BoardModel::button_clearClick()
{
    if (!ctx_.state.isMyTurn())
        return;
    pressclear();
    ctx_.playsounds("clear");
}

void BoardModel::button_passClick()
{
    auto& st = ctx_.state;
    if (!st.isMyTurn())
        return;
    pressclear();
    if (st.connected)
        ctx_.send(clientmsg::ipass(st.ownSeat));
    st.currentPlayer = 0;
    ctx_.showTurnButtons(false);
}

void BoardModel::turntimerTimer()
{
    auto& st = ctx_.state;
    st.secondsLeft -= 1;
    ctx_.touch(ClientChange::Timer);
    if (st.secondsLeft < 1)
        return timeUp();
    st.timerBarWidth = st.timerBarTag * st.secondsLeft;
    if (st.secondsLeft == 20 || st.secondsLeft == 15 || st.secondsLeft <= 10)
        ctx_.playsounds("tick");
    st.timerText = timerText(st.secondsLeft);
}

void BoardModel::timeUp()
{
    auto& st = ctx_.state;
    ctx_.turntimer.stop();
    st.secondsLeft = 0;
    st.currentPlayer = 0;
    st.timerText = timerText(0);
    st.timerBarWidth = 0;
    ctx_.touch(ClientChange::Turn);
    pressclear();
    ctx_.emptyRack();
    ctx_.playsounds("timeup");
    ctx_.setStatus("Time Up!");
}

void BoardModel::fillBoard(int tag)
{
    for (auto& row : ctx_.state.wordslots)
        for (auto& s : row)
            s = SlotView{tag, kNoFace};
    ctx_.touch(ClientChange::Board);
}

void BoardModel::clearall()
{
    ctx_.showTurnButtons(false);
    for (auto& s : ctx_.state.seats) {
        // assign() rather than = "0": GCC 12 at -O3 reports a false overlap
        // (-Wrestrict) for the literal assignment here.
        s.score.assign(1, '0');
        s.bonus.clear();
    }
    ctx_.touch(ClientChange::Seats);
    fillBoard(0);
    ctx_.emptyRack();
}

void BoardModel::drawTitle()
{
    static constexpr std::array<int, 8> kTitle = {7, 12, 25, 16, 8, 1, 18, 15}; // G L Y P H A R O
    for (std::size_t i = 0; i < kTitle.size(); ++i)
        ctx_.state.slot(3, static_cast<int>(i) + 2).face = kTitle[i];
    ctx_.touch(ClientChange::Board);
}

} // namespace glypharo
