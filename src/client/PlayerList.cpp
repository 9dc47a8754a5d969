#include "client/PlayerList.h"

#include "protocol/ClientMessages.h"
#include "protocol/FieldReader.h"
#include "protocol/Protocol.h"

#include <algorithm>
#include <cctype>

namespace glypharo {

namespace {

bool sameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
            [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string spyEntry(int seat, std::string_view name)
{
    return std::to_string(seat) + ": " + std::string(name);
}

} // namespace

bool PlayerList::sendloginfo(std::string_view body)
{
    auto seat = FieldReader(body).number();
    if (!seat || !isSeat(*seat))
        return false;
    auto& st = ctx_.state;
    st.ownSeat = *seat;
    st.connected = true;
    ctx_.send(clientmsg::logininfo(st.ownSeat, kVersion, st.loginName));
    ctx_.touch(ClientChange::Turn);
    return true;
}

bool PlayerList::newplayerinfo(std::string_view body)
{
    FieldReader r(body);
    auto records = r.groups(3);
    if (!records)
        return false;
    for (const auto& rec : *records) {
        if (!parseNumber(rec[0]))
            return false;
    }
    for (const auto& rec : *records) {
        int seat = *parseNumber(rec[0]);
        // A seat the host cannot assign names no label and no spy.
        if (!isSeat(seat))
            continue;
        const auto& name = rec[1];
        if (seat == ctx_.state.ownSeat) {
            ctx_.systemLine("You are Connected.");
            ctx_.observer.loadinifile();
        } else {
            ctx_.systemLine(name + " is Connected.");
        }
        if (isSeatView(seat))
            seatPlayer(seat, name, rec[2] == "1");
        else
            addSpy(seat, name);
    }
    ctx_.playsounds("entered");
    return true;
}

void PlayerList::seatPlayer(int seat, const std::string& name, bool watching)
{
    auto& view = ctx_.state.seat(seat);
    view.name = name;
    view.scoreVisible = true;
    if (watching)
        view.eyes = true;
    ctx_.touch(ClientChange::Seats);
}

void PlayerList::addSpy(int seat, const std::string& name)
{
    ctx_.state.spys.push_back(spyEntry(seat, name));
    ctx_.touch(ClientChange::SpyList);
    if (seat == ctx_.state.ownSeat)
        ctx_.systemLine("You are spying.");
    else
        ctx_.systemLine(name + " is spying.");
}

bool PlayerList::playerdisconnected(std::string_view body)
{
    FieldReader r(body);
    auto seat = r.number();
    if (!seat)
        return false;
    std::string name(r.rest());
    auto& st = ctx_.state;
    if (isSeatView(*seat)) {
        auto& view = st.seat(*seat);
        if (view.name != kWaiting && view.name != view.hint)
            ctx_.systemLine(view.name + " disconnected.");
        view.name = kWaiting;
        view.eyes = false;
        ctx_.touch(ClientChange::Seats);
        return true;
    }
    auto entry = spyEntry(*seat, name);
    auto it = std::find_if(st.spys.begin(), st.spys.end(), [&](const auto& e) { return sameText(e, entry); });
    if (it != st.spys.end()) {
        ctx_.systemLine(name + " has left.");
        st.spys.erase(it);
        ctx_.touch(ClientChange::SpyList);
    }
    return true;
}

bool PlayerList::justwatching(std::string_view body)
{
    FieldReader r(body);
    auto seat = r.number();
    if (!seat)
        return false;
    auto mode = r.rest();
    if (!isSeatView(*seat))
        return true;
    auto& st = ctx_.state;
    auto& view = st.seat(*seat);
    bool watching = mode == "1";
    if (*seat == st.ownSeat)
        st.justWatch = watching;
    ctx_.systemLine(view.name + (watching ? " is just watching" : " is now playing again"));
    view.eyes = watching;
    ctx_.touch(ClientChange::Seats);
    ctx_.touch(ClientChange::Menu);
    return true;
}

void PlayerList::JustWatch1Click()
{
    const auto& st = ctx_.state;
    if (!st.connected || !isSeatView(st.ownSeat))
        return;
    // The tick itself changes only when the host answers.
    auto mode = st.justWatch ? clientmsg::kStopWatching : clientmsg::kStartWatching;
    ctx_.send(clientmsg::justwatch(st.ownSeat, mode));
}

void PlayerList::label_playername1ContextPopup(int seat)
{
    if (!isSeatView(seat))
        return;
    auto& menu = ctx_.state.seatMenu;
    bool host = ctx_.state.host;
    menu.removeFromGame = host && ctx_.state.seat(seat).name != kWaiting;
    menu.setToJustWatch = host;
    menu.unsetJustWatch = host;
    menu.target = seat;
    ctx_.touch(ClientChange::Menu);
}

void PlayerList::RemoveFromGame1Click()
{
    if (ctx_.state.seatMenu.removeFromGame)
        kicking(ctx_.state.seatMenu.target);
}

void PlayerList::sendWatch(std::string_view mode)
{
    const auto& st = ctx_.state;
    if (st.connected && isSeatView(st.seatMenu.target))
        ctx_.send(clientmsg::justwatch(st.seatMenu.target, mode));
}

void PlayerList::SettoJustWatch1Click()
{
    if (ctx_.state.seatMenu.setToJustWatch)
        sendWatch(clientmsg::kStartWatching);
}

void PlayerList::UnsetJustWatch1Click()
{
    if (ctx_.state.seatMenu.unsetJustWatch)
        sendWatch(clientmsg::kStopWatching);
}

void PlayerList::kicking(int seat)
{
    const auto& st = ctx_.state;
    if (st.host && st.connected && isSeat(seat))
        ctx_.send(clientmsg::kickhim(st.ownSeat, seat));
}

void PlayerList::listbox_spysMouseMove(int index)
{
    auto& st = ctx_.state;
    st.spyHover = index >= 0 && index < static_cast<int>(st.spys.size()) ? index : -1;
}

void PlayerList::popup_kickhimClick()
{
    const auto& st = ctx_.state;
    if (!st.spyKickEnabled || st.spyHover < 0 || st.spyHover >= static_cast<int>(st.spys.size()))
        return;
    const auto& entry = st.spys[static_cast<std::size_t>(st.spyHover)];
    if (auto seat = parseNumber(entry.substr(0, entry.find(':'))))
        kicking(*seat);
}

std::vector<std::string> PlayerList::loadchecklist() const
{
    std::vector<std::string> names;
    const auto& st = ctx_.state;
    for (int n = 1; n <= kSeatCount; ++n) {
        if (n != st.ownSeat && st.seat(n).name != kWaiting)
            names.push_back(st.seat(n).name);
    }
    return names;
}

} // namespace glypharo
