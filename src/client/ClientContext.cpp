#include "client/ClientContext.h"

namespace glypharo {

namespace {

int roughTextWidth(const std::string& text, bool bold)
{
    return static_cast<int>(text.size()) * (bold ? 8 : 7);
}

} // namespace

ClientContext::ClientContext(ClientObserver& o, TallySink& t, Timer& turn)
    : observer(o)
    , tally(t)
    , turntimer(turn)
    , textWidth(roughTextWidth)
{
}

void ClientContext::flush()
{
    if (pending_.empty())
        return;
    auto what = pending_;
    pending_ = {};
    observer.changed(what);
}

void ClientContext::setStatus(std::string text)
{
    state.status = std::move(text);
    touch(ClientChange::Status);
}

void ClientContext::playsounds(const std::string& name)
{
    if (options.playSounds)
        observer.playGameSound(name);
}

void ClientContext::systemLine(const std::string& text)
{
    observer.addChatLine("0+" + text, kSystemLineColour);
}

void ClientContext::showTurnButtons(bool shown)
{
    state.turnButtons = shown;
    touch(ClientChange::Turn);
}

void ClientContext::emptyRack()
{
    for (auto& t : state.tiles) {
        t.face = kNoFace;
        t.tag = 0;
    }
    touch(ClientChange::Rack);
}

void ClientContext::placeScore(int seat)
{
    auto& s = state.seat(seat);
    s.scoreLeft = kNameLeft + textWidth(s.name, true) + 4;
    placeBonus(seat);
}

void ClientContext::placeBonus(int seat)
{
    auto& s = state.seat(seat);
    s.bonusLeft = s.scoreLeft + textWidth(s.score, false) + 4;
    touch(ClientChange::Seats);
}

void ClientContext::setScore(int seat, int score)
{
    state.seat(seat).score = std::to_string(score);
    touch(ClientChange::Seats);
}

void ClientContext::emptyBonuses()
{
    for (auto& s : state.seats)
        s.bonus.clear();
    touch(ClientChange::Seats);
}

} // namespace glypharo
