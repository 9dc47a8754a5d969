#pragma once

#include "client/BoardModel.h"
#include "client/ChatRelay.h"
#include "client/ClientContext.h"
#include "client/PlayerList.h"
#include "client/RoundDisplay.h"
#include "protocol/MessageFramer.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace glypharo {

// The player's main window without its widgets: the receive queue and its
// dispatch timer, the board, rack and turn, the round display, the player
// list and the chat's model side. The view renders state() when the
// observer hears changed(), and turns clicks and timer ticks into the calls
// below.
class ClientModel {
public:
    // Timer1 (1 ms) works off the receive queue and the phrase gate, and runs
    // only while there is work; turntimer (1000 ms) is the turn countdown.
    ClientModel(ClientObserver& observer, TallySink& tally, Timer& timer1, Timer& turntimer);

    const ClientState& state() const { return ctx_.state; }
    ClientOptions& options() { return ctx_.options; }
    void setTextWidth(TextWidth width) { ctx_.textWidth = std::move(width); }

    // Client state set by the start-up code.
    void setPlayerName(std::string name) { ctx_.state.playerName = std::move(name); }
    void setHostAddress(std::string address) { ctx_.state.hostAddress = std::move(address); }
    // Before the command line decides: start button hidden, no login name.
    void processparams();
    // The model's side of hosting and of joining: the login name is the
    // player name; hosting also shows the start button and the spy list's
    // removal command.
    void hostpress();
    void joinpress();

    // "Start Game": true when the game start dialog may open; before a seat
    // is assigned it shows "You are not connected" instead.
    bool button_startClick();

    // Receive side.
    void sockRead(std::string_view bytes);
    void Timer1Timer();
    const std::deque<std::string>& receivedlist() const { return receivedlist_; }
    bool phraseGateOpen() const { return chat_.phraseGateOpen(); }

    // Board, rack and turn.
    void tile_1Click(int n);
    void word_12Click(int row, int col);
    void boardRightClick();
    void button_clearClick();
    void button_submitClick();
    void button_passClick();
    void turntimerTimer();

    // Players and spectators.
    void JustWatch1Click();
    void label_playername1ContextPopup(int seat);
    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();
    void listbox_spysMouseMove(int index);
    void popup_kickhimClick();
    std::vector<std::string> loadchecklist() const { return players_.loadchecklist(); }

    // Chat. sendit returns true when the input box is to be emptied.
    bool sendit(std::string_view input);
    void b_phrase1Click(int n);
    void wave4Click(int n);

private:
    using Handler = bool (ClientModel::*)(std::string_view);
    struct Route {
        std::string_view command;
        Handler handler;
    };
    static const std::vector<Route>& dispatchTable();

    void processsocktimer();
    void wakeTimer1();
    bool haveWork() const;

    bool havewrongversion(std::string_view body);
    bool wrongversion(std::string_view body);
    bool full(std::string_view body);
    // Forwarders from the dispatch table to the parts.
    bool sendloginfo(std::string_view b) { return players_.sendloginfo(b); }
    bool chatrecieved(std::string_view b) { return chat_.chatrecieved(b); }
    bool playasound(std::string_view b) { return chat_.playasound(b); }
    bool newplayerinfo(std::string_view b) { return players_.newplayerinfo(b); }
    bool playerdisconnected(std::string_view b) { return players_.playerdisconnected(b); }
    bool justwatching(std::string_view b) { return players_.justwatching(b); }
    bool startthegame(std::string_view b) { return round_.startthegame(b); }
    bool getnextplayer(std::string_view b) { return round_.getnextplayer(b); }
    bool winner(std::string_view b) { return round_.winner(b); }
    bool roundstart(std::string_view b) { return round_.roundstart(b); }
    bool mytiles(std::string_view b) { return round_.mytiles(b); }
    bool hepass(std::string_view b) { return round_.hepass(b); }
    bool hisword(std::string_view b) { return round_.hisword(b); }
    bool invalid(std::string_view b) { return round_.invalid(b); }
    bool roundend(std::string_view b) { return round_.roundend(b); }
    bool gamestats(std::string_view b) { return round_.gamestats(b); }
    bool thewords(std::string_view b) { return round_.thewords(b); }

    ClientContext ctx_;
    Timer& timer1_;
    BoardModel board_;
    RoundDisplay round_;
    PlayerList players_;
    ChatRelay chat_;
    MessageFramer framer_;
    std::deque<std::string> receivedlist_;
    bool closed_ = false;
};

} // namespace glypharo
