#pragma once

#include <optional>
#include <string>

namespace glypharo {

// Where the embedded word list comes from when the dictionary file has to be
// written out. The application reads it from its Qt resources; tests hand
// over bytes of their own. An empty optional means the list is unavailable.
class WordListSource {
public:
    virtual ~WordListSource() = default;
    virtual std::optional<std::string> load() = 0;
};

} // namespace glypharo
