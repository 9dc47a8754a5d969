#include "client/ClientModel.h"

#include "protocol/FieldReader.h"

namespace glypharo {

namespace {

// Reports the changes of one entry point when it returns.
class Flush {
public:
    explicit Flush(ClientContext& ctx)
        : ctx_(ctx)
    {
    }
    ~Flush() { ctx_.flush(); }
    Flush(const Flush&) = delete;
    Flush& operator=(const Flush&) = delete;

private:
    ClientContext& ctx_;
};

} // namespace

ClientModel::ClientModel(ClientObserver& observer, TallySink& tally, Timer& timer1, Timer& turntimer)
    : ctx_(observer, tally, turntimer)
    , timer1_(timer1)
    , board_(ctx_)
    , round_(ctx_, board_)
    , players_(ctx_)
    , chat_(ctx_)
{
    static constexpr std::array<const char*, kSeatCount> kHints
        = {"", "Klot", "Klick", "Kling", "Klick", "Krazy"};
    auto& st = ctx_.state;
    for (int n = 1; n <= kSeatCount; ++n) {
        st.seat(n).hint = kHints[static_cast<std::size_t>(n - 1)];
        ctx_.placeScore(n);
    }
    const auto& phrases = kDesignedPhrases;
    for (std::size_t i = 0; i < phrases.size(); ++i)
        ctx_.options.phrases[i] = phrases[i];
    for (int n = 1; n <= kTiles; ++n)
        st.tile(n).x = kTileX[static_cast<std::size_t>(n - 1)];
    turntimer.setInterval(1000);
    board_.clearall();
    board_.drawTitle();
    // The first tick takes this line and drops it (it holds no "+").
    receivedlist_.push_back("receivedlist");
    timer1_.setInterval(1);
    wakeTimer1();
    ctx_.flush();
}

void ClientModel::processparams()
{
    Flush f(ctx_);
    ctx_.state.buttonStart = false;
    ctx_.state.startGameEnabled = false;
    ctx_.state.loginName.clear();
    ctx_.touch(ClientChange::Winner);
}

void ClientModel::hostpress()
{
    Flush f(ctx_);
    auto& st = ctx_.state;
    st.loginName = st.playerName;
    st.host = true;
    st.buttonStart = true;
    st.startGameEnabled = true;
    st.spyKickEnabled = true;
    ctx_.touch(ClientChange::Winner);
    ctx_.touch(ClientChange::SpyList);
}

void ClientModel::joinpress()
{
    Flush f(ctx_);
    auto& st = ctx_.state;
    st.loginName = st.playerName;
    st.buttonStart = false;
    st.startGameEnabled = false;
    ctx_.touch(ClientChange::Winner);
}

bool ClientModel::button_startClick()
{
    if (ctx_.state.connected)
        return true;
    ctx_.observer.showMessage("You are not connected");
    return false;
}

const std::vector<ClientModel::Route>& ClientModel::dispatchTable()
{
    static const std::vector<Route> table = {
        {"CMD_sendlogininfo", &ClientModel::sendloginfo},
        {"CMD_chat", &ClientModel::chatrecieved},
        {"CMD_action", &ClientModel::chatrecieved},
        {"CMD_playasound", &ClientModel::playasound},
        {"CMD_newplayerinfo", &ClientModel::newplayerinfo},
        {"CMD_havewrongversion", &ClientModel::havewrongversion},
        {"CMD_wrongversion", &ClientModel::wrongversion},
        {"CMD_existingplayers", &ClientModel::newplayerinfo},
        {"CMD_playerdisconnected", &ClientModel::playerdisconnected},
        {"CMD_full", &ClientModel::full},
        {"CMD_justwatching", &ClientModel::justwatching},
        {"CMD_startgame", &ClientModel::startthegame},
        {"CMD_nextplayer", &ClientModel::getnextplayer},
        {"CMD_winner", &ClientModel::winner},
        {"CMD_roundstart", &ClientModel::roundstart},
        {"CMD_mytiles", &ClientModel::mytiles},
        {"CMD_hepass", &ClientModel::hepass},
        {"CMD_hisword", &ClientModel::hisword},
        {"CMD_invalid", &ClientModel::invalid},
        {"CMD_roundend", &ClientModel::roundend},
        {"CMD_gamestats", &ClientModel::gamestats},
        {"CMD_thewords", &ClientModel::thewords},
    };
    return table;
}

void ClientModel::sockRead(std::string_view bytes)
{
    if (closed_)
        return;
    for (auto& m : framer_.feed(bytes))
        receivedlist_.push_back(std::move(m));
    wakeTimer1();
}

bool ClientModel::haveWork() const
{
    return !closed_ && (!receivedlist_.empty() || !chat_.phraseGateOpen());
}

void ClientModel::wakeTimer1()
{
    if (haveWork() && !timer1_.isActive())
        timer1_.start();
}

void ClientModel::Timer1Timer()
{
    Flush f(ctx_);
    processsocktimer();
    chat_.tickPhraseGate();
    if (!haveWork())
        timer1_.stop();
}

void ClientModel::processsocktimer()
{
    if (receivedlist_.empty() || closed_)
        return;
    auto message = std::move(receivedlist_.front());
    receivedlist_.pop_front();
    auto [command, body] = splitMessage(message);
    if (command.empty())
        return;
    for (const auto& route : dispatchTable()) {
        if (route.command != command)
            continue;
        if (!(this->*route.handler)(body))
            ctx_.observer.debugLog("dropped malformed message: " + message);
        return;
    }
}

bool ClientModel::havewrongversion(std::string_view body)
{
    ctx_.systemLine(std::string(body) + " has a different version of the game then you.");
    return true;
}

bool ClientModel::wrongversion(std::string_view /*body*/)
{
    ctx_.systemLine("You have a differnt version of the game then the host.");
    return true;
}

bool ClientModel::full(std::string_view /*body*/)
{
    // Closing ends the program; nothing queued after this is handled.
    closed_ = true;
    timer1_.stop();
    ctx_.observer.showMessage("Game is full");
    ctx_.observer.closeWindow();
    return true;
}

void ClientModel::tile_1Click(int n)
{
    Flush f(ctx_);
    board_.tile_1Click(n);
}

void ClientModel::word_12Click(int row, int col)
{
    Flush f(ctx_);
    board_.word_12Click(row, col);
}

void ClientModel::boardRightClick()
{
    Flush f(ctx_);
    board_.boardRightClick();
}

void ClientModel::button_clearClick()
{
    Flush f(ctx_);
    board_.button_clearClick();
}

void ClientModel::button_submitClick()
{
    Flush f(ctx_);
    board_.button_submitClick();
}

void ClientModel::button_passClick()
{
    Flush f(ctx_);
    board_.button_passClick();
}

void ClientModel::turntimerTimer()
{
    Flush f(ctx_);
    board_.turntimerTimer();
}

void ClientModel::JustWatch1Click()
{
    Flush f(ctx_);
    players_.JustWatch1Click();
}

void ClientModel::label_playername1ContextPopup(int seat)
{
    Flush f(ctx_);
    players_.label_playername1ContextPopup(seat);
}

void ClientModel::RemoveFromGame1Click()
{
    Flush f(ctx_);
    players_.RemoveFromGame1Click();
}

void ClientModel::SettoJustWatch1Click()
{
    Flush f(ctx_);
    players_.SettoJustWatch1Click();
}

void ClientModel::UnsetJustWatch1Click()
{
    Flush f(ctx_);
    players_.UnsetJustWatch1Click();
}

void ClientModel::listbox_spysMouseMove(int index)
{
    Flush f(ctx_);
    players_.listbox_spysMouseMove(index);
}

void ClientModel::popup_kickhimClick()
{
    Flush f(ctx_);
    players_.popup_kickhimClick();
}

bool ClientModel::sendit(std::string_view input)
{
    Flush f(ctx_);
    return chat_.sendit(input);
}

void ClientModel::b_phrase1Click(int n)
{
    Flush f(ctx_);
    chat_.b_phrase1Click(n);
    wakeTimer1();
}

void ClientModel::wave4Click(int n)
{
    Flush f(ctx_);
    chat_.wave4Click(n);
}

} // namespace glypharo
