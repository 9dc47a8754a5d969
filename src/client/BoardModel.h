#pragma once

#include "client/ClientContext.h"

namespace glypharo {

// The player's side of a turn: picking up, laying, taking back and swapping
// tiles, the clear, submit and pass buttons, and the one-second countdown.
class BoardModel {
public:
    explicit BoardModel(ClientContext& ctx)
        : ctx_(ctx)
    {
    }

    // Rack tile n (1..9) clicked; works also when it is not my turn.
    void tile_1Click(int n);
    // Left click on slot (row, col); column 1 and other turns do nothing.
    void word_12Click(int row, int col);
    // Right click over the board or a slot.
    void boardRightClick() { presssubmit(); }
    void button_clearClick();
    void button_submitClick() { presssubmit(); }
    void button_passClick();
    void turntimerTimer();

    void pressclear();
    void presssubmit();

    // Board reset: buttons hidden, scores 0, slots and tiles emptied.
    void clearall();
    // The game's name on row 3 at window creation.
    void drawTitle();
    // Every slot without picture and with the given tag.
    void fillBoard(int tag);

private:
    void refuse(const char* text);
    void takeBackLast(int row, int col);
    void layTile(int row, int col);
    void showTile(int n);
    void timeUp();

    ClientContext& ctx_;
};

// "Time: m:ss"
std::string timerText(int seconds);

} // namespace glypharo
