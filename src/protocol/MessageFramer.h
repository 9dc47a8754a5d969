#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace glypharo {

// Cuts the byte stream of one connection into messages at the 0xFF
// terminator. A fragment after the last terminator of a read is kept and
// completed by the next read, so a message split across TCP segments is
// handled once, whole.
class MessageFramer {
public:
    // A fragment longer than this without a terminator marks the connection
    // as misbehaving (see overflowed()).
    explicit MessageFramer(std::size_t maxFragment = 64 * 1024)
        : maxFragment_(maxFragment)
    {
    }

    // Appends bytes; returns the complete messages they finish, in order,
    // without their terminators (an empty message gives an empty string).
    std::vector<std::string> feed(std::string_view bytes);

    // True once a fragment grew beyond the limit; the fragment is then
    // discarded and stays discarded.
    bool overflowed() const { return overflowed_; }
    std::size_t pending() const { return fragment_.size(); }
    void reset();

private:
    std::string fragment_;
    std::size_t maxFragment_;
    bool overflowed_ = false;
};

} // namespace glypharo
