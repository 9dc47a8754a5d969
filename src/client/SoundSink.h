#pragma once

#include <string>

namespace glypharo {

// Plays a sound by name ("goodword", "wave4", ...), asynchronously. A name
// without a sound plays nothing and reports nothing. Tests record the names.
class SoundSink {
public:
    virtual ~SoundSink() = default;
    virtual void play(const std::string& name) = 0;
};

} // namespace glypharo
