#pragma once

#include <string>

namespace glypharo {

// The one question the game engine asks the dictionary: is this word in it?
// TDictn answers it from the word file; tests back it with a small list.
class WordChecker {
public:
    virtual ~WordChecker() = default;
    virtual bool WordExists(const std::string& word) = 0;
};

} // namespace glypharo
