#include "fakes/RecordingOutbox.h"

namespace glypharo::fakes {

void RecordingOutbox::send(int seat, const std::string& message)
{
    sent.push_back({seat, message});
}

void RecordingOutbox::close(int seat)
{
    closed.push_back(seat);
    if (onClose)
        onClose(seat);
}

std::vector<std::string> RecordingOutbox::to(int seat) const
{
    std::vector<std::string> out;
    for (const auto& s : sent) {
        if (s.seat == seat)
            out.push_back(s.message);
    }
    return out;
}

void RecordingOutbox::clear()
{
    sent.clear();
    closed.clear();
}

} // namespace glypharo::fakes
