#include "host/SeatTable.h"

#include <cassert>

namespace glypharo {

SeatTable::SeatTable()
{
    seats_[1].computername = "Klot";
    seats_[2].computername = "Klock";
    seats_[3].computername = "Kling";
}

PlayerSeat& SeatTable::operator[](int seat)
{
    assert(seat >= 1 && seat <= kEntries);
    return seats_[static_cast<std::size_t>(seat - 1)];
}

const PlayerSeat& SeatTable::operator[](int seat) const
{
    assert(seat >= 1 && seat <= kEntries);
    return seats_[static_cast<std::size_t>(seat - 1)];
}

void SeatTable::sendTo(Outbox& out, int seat, const std::string& message) const
{
    if (seat >= 1 && seat <= kEntries && (*this)[seat].connected)
        out.send(seat, message);
}

void SeatTable::broadcast(Outbox& out, const std::string& message, int except) const
{
    for (int s = 1; s <= highestseat && s <= kEntries; ++s) {
        if (s != except && (*this)[s].connected)
            out.send(s, message);
    }
}

const std::string& SeatTable::shownName(int seat) const
{
    const auto& s = (*this)[seat];
    return s.name.empty() ? s.computername : s.name;
}

} // namespace glypharo
