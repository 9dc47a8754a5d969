#include "protocol/MessageFramer.h"

#include "protocol/Protocol.h"

namespace glypharo {

std::vector<std::string> MessageFramer::feed(std::string_view bytes)
{
    std::vector<std::string> out;
    if (overflowed_)
        return out;
    for (;;) {
        auto end = bytes.find(kTerminator);
        if (end == std::string_view::npos)
            break;
        fragment_.append(bytes.substr(0, end));
        out.push_back(std::move(fragment_));
        fragment_.clear();
        bytes.remove_prefix(end + 1);
    }
    fragment_.append(bytes);
    if (fragment_.size() > maxFragment_) {
        overflowed_ = true;
        fragment_.clear();
        fragment_.shrink_to_fit();
    }
    return out;
}

void MessageFramer::reset()
{
    fragment_.clear();
    overflowed_ = false;
}

} // namespace glypharo
