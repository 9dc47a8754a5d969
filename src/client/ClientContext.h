#pragma once

#include "client/ClientObserver.h"
#include "client/ClientState.h"
#include "protocol/Ports.h"

#include <functional>
#include <string>

namespace glypharo {

// Width in pixels of a label's text as the view draws it.
using TextWidth = std::function<int(const std::string& text, bool bold)>;

// The state of the main window together with the ports the rule parts
// report through. Board, round display, player list and chat each work on
// this one context; the changes they make are collected and reported to the
// observer once per entry point.
class ClientContext {
public:
    ClientContext(ClientObserver& observer, TallySink& tally, Timer& turntimer);

    ClientState state;
    ClientOptions options;
    ClientObserver& observer;
    TallySink& tally;
    Timer& turntimer;
    TextWidth textWidth;

    void touch(ChangeSet what) { pending_ |= what; }
    // Reports the collected changes, if any.
    void flush();

    void setStatus(std::string text);
    // A game sound, when "Play Sounds" is on.
    void playsounds(const std::string& name);
    // A notice of the program itself: "0+" and the text in the system colour.
    void systemLine(const std::string& text);
    void send(const std::string& text) { observer.sendMessage(text); }

    void showTurnButtons(bool shown);
    // No picture and tag 0 on all nine tiles.
    void emptyRack();
    // Keeps a seat's score label 4 pixels right of its name, and its bonus
    // label 4 pixels right of the score.
    void placeScore(int seat);
    void placeBonus(int seat);
    void setScore(int seat, int score);
    void emptyBonuses();

private:
    ChangeSet pending_;
};

} // namespace glypharo
