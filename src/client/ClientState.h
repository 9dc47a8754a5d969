#pragma once

#include "client/ColourText.h"

#include <array>
#include <string>
#include <vector>

namespace glypharo {

inline constexpr int kBoardRows = 6;
inline constexpr int kBoardColumns = 10;
inline constexpr int kTiles = 9;
inline constexpr int kSeatCount = 6;

// Slot tags besides 0 (open) and 1..9 (the rack tile laid there).
inline constexpr int kLockedSlot = 100;
// Faces: kNoFace for no picture, 0 the blank tile, 1..26 the letters A..Z.
inline constexpr int kNoFace = -1;
inline constexpr int kBlankFace = 0;
inline constexpr int kLastLetter = 26;

inline constexpr int kTileResting = 416;
inline constexpr int kTileRaised = 400;
inline constexpr std::array<int, kTiles> kTileX = {41, 84, 126, 169, 212, 254, 297, 339, 382};

inline constexpr const char* kWaiting = "<Waiting>";
inline constexpr int kNameLeft = 504;
inline constexpr std::array<int, kSeatCount> kNameTop = {51, 74, 98, 121, 145, 168};
inline constexpr int kTurnMarkerLeft = 474;
inline constexpr int kDesignTimerWidth = 421;

inline bool isBoardRow(int r)
{
    return r >= 1 && r <= kBoardRows;
}
inline bool isBoardColumn(int c)
{
    return c >= 1 && c <= kBoardColumns;
}
inline bool isTileNumber(int n)
{
    return n >= 1 && n <= kTiles;
}
inline bool isSeatView(int seat)
{
    return seat >= 1 && seat <= kSeatCount;
}
inline bool isLetterFace(int l)
{
    return l >= 0 && l <= kLastLetter;
}

// One word slot word_<row><col>.
struct SlotView {
    int tag = 0;
    int face = kNoFace;
};

// One rack tile tile_<n>.
struct RackTileView {
    int tag = 0; // letter index, 0 when empty
    int face = kNoFace;
    int x = 0;
    int y = kTileResting;
    bool visible = true;
};

// One seat's labels on the board.
struct SeatView {
    std::string name = kWaiting; // label_playername<n>
    std::string hint; // the computer player of the seat
    bool scoreVisible = false;
    std::string score = "0";
    std::string bonus;
    int scoreLeft = 0;
    int bonusLeft = 0;
    bool eyes = false; // image_eyes<n>
};

// Enabled items and target of the seat labels' context menu (popup_kick).
struct SeatMenu {
    bool removeFromGame = false;
    bool setToJustWatch = false;
    bool unsetJustWatch = false;
    int target = 0;
};

// What the main window shows of the game; the view renders it as it is.
struct ClientState {
    // Client state of the main window.
    std::string playerName;
    std::string hostAddress;
    std::string loginName;
    bool host = false;
    bool connected = false;
    int ownSeat = 0;
    int seatCount = kSeatCount;

    // Board and rack; index [row-1][col-1] and [tile-1].
    std::array<std::array<SlotView, kBoardColumns>, kBoardRows> wordslots{};
    std::array<RackTileView, kTiles> tiles{};

    // Turn state.
    int currentPlayer = 0;
    int currentRow = 0;
    int currentColumn = 1;
    int selectedTile = 0; // 1..9, 0 for none
    int secondsLeft = 0;

    // Labels and views.
    std::string status = "Welcome to GLYPHARO!";
    std::string roundnum = "Round: 0";
    std::string playtoscore = "Play to Score: 0";
    std::string timeperturn = "Time Per Turn: 0";
    std::string timerText = "Time: 0:00";
    int timerTag = 0; // label_timer: seconds per turn
    int timerBarTag = 0; // image_timer: bar width per second
    int timerBarWidth = kDesignTimerWidth;
    bool turnButtons = false; // button_clear, button_submit, button_pass
    int turnMarkerTop = 0; // image_Turn
    bool buttonStart = false;
    bool startGameEnabled = false;
    bool panelWinner = false;
    std::string winner1; // label_winner1, label_winner2 shows the same
    bool justWatch = false; // JustWatch1 tick

    std::array<SeatView, kSeatCount> seats{};
    SeatMenu seatMenu;
    std::vector<std::string> spys; // listbox_spys
    int spyHover = -1;
    bool spyKickEnabled = false;

    const SlotView& slot(int row, int col) const { return wordslots[row - 1][col - 1]; }
    SlotView& slot(int row, int col) { return wordslots[row - 1][col - 1]; }
    const RackTileView& tile(int n) const { return tiles[n - 1]; }
    RackTileView& tile(int n) { return tiles[n - 1]; }
    const SeatView& seat(int n) const { return seats[n - 1]; }
    SeatView& seat(int n) { return seats[n - 1]; }

    bool isMyTurn() const { return currentPlayer != 0 && currentPlayer == ownSeat; }
    bool isSeated() const { return ownSeat >= 1 && ownSeat <= seatCount; }
};

// Options read from the settings file; the app's settings code sets them.
struct ClientOptions {
    bool playSounds = true; // "Play Sounds"
    bool playerPhraseSounds = true; // "Player Phrase Sounds"
    int turnSound = 0; // 0 "Classic" (turn), 1 "New" (turnnew)
    ColourValue chatColour = kColourBlack; // own chat colour ("Textcolor")
    std::array<std::string, 9> phrases; // b_phrase1..9; the designed ones at creation
};

} // namespace glypharo
