#include "fakes/MemoryWordChecker.h"

#include "dict/WordKey.h"

namespace glypharo::fakes {

MemoryWordChecker::MemoryWordChecker(std::initializer_list<std::string> words)
{
    for (const std::string& w : words)
        add(w);
}

MemoryWordChecker::MemoryWordChecker(const std::vector<std::string>& words)
{
    for (const std::string& w : words)
        add(w);
}

void MemoryWordChecker::add(const std::string& word)
{
    if (!trimword(word).empty())
        keys_.insert(wordkey(word));
}

bool MemoryWordChecker::WordExists(const std::string& word)
{
    asked_.push_back(word);
    return !trimword(word).empty() && keys_.count(wordkey(word)) > 0;
}

} // namespace glypharo::fakes
