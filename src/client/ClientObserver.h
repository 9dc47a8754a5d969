#pragma once

#include "client/ColourText.h"

#include <string>

namespace glypharo {

// Areas of the main window a model change touches. The model reports them
// as a set once per entry point; the view redraws what they name.
enum class ClientChange : unsigned {
    Board = 1u << 0, // word slots
    Rack = 1u << 1, // tiles, the selected tile
    Turn = 1u << 2, // current player, turn marker, turn buttons
    Status = 1u << 3, // label_status
    Labels = 1u << 4, // round, play-to score, time per turn
    Timer = 1u << 5, // label_timer, image_timer
    Seats = 1u << 6, // name, score and bonus labels, eyes
    Winner = 1u << 7, // panel_winner, button_start
    SpyList = 1u << 8, // listbox_spys
    Menu = 1u << 9, // Just Watch tick, seat context menu
};

class ChangeSet {
public:
    constexpr ChangeSet() = default;
    constexpr ChangeSet(ClientChange c)
        : bits_(static_cast<unsigned>(c))
    {
    }
    constexpr bool has(ClientChange c) const { return (bits_ & static_cast<unsigned>(c)) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr ChangeSet& operator|=(ChangeSet o)
    {
        bits_ |= o.bits_;
        return *this;
    }
    constexpr unsigned bits() const { return bits_; }

private:
    unsigned bits_ = 0;
};

// Chat colours are 0x00BBGGRR values.
using ChatColour = ColourValue;
inline constexpr ChatColour kSystemLineColour = kColourMaroon;

// Everything the client model reports to the main window. The view renders
// the model's state on changed() and carries out the effects; it never
// changes game state by itself.
class ClientObserver {
public:
    virtual ~ClientObserver() = default;

    virtual void changed(ChangeSet what) = 0;
    // A game sound; the model has already checked "Play Sounds".
    virtual void playGameSound(const std::string& name) = 0;
    // A sound another player sent ("wave4"), played as it comes.
    virtual void playPlayerSound(const std::string& name) = 0;
    // A chat line "seat+text" ("0+..." for the program's own notices).
    virtual void addChatLine(const std::string& line, ChatColour colour) = 0;
    // A message for the host, without its terminator.
    virtual void sendMessage(const std::string& text) = 0;
    // A modal message box; returns when it is dismissed.
    virtual void showMessage(const std::string& text) = 0;
    virtual void closeWindow() = 0;
    // Read the settings file (the host has confirmed this client's seat).
    virtual void loadinifile() = 0;
    // A received message that was dropped as malformed; silent by default.
    virtual void debugLog(const std::string& /*text*/) { }
};

// The word tally window as the round display uses it.
class TallySink {
public:
    virtual ~TallySink() = default;
    // Points of the best word recorded so far.
    virtual int bestWordThreshold() = 0;
    virtual void addword(const std::string& word, int points, int column) = 0;
    virtual void addgame(const std::string& winner) = 0;
};

} // namespace glypharo
