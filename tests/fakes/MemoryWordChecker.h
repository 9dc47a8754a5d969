#pragma once

#include "dict/WordChecker.h"

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace glypharo::fakes {

// A dictionary held in memory. Words are compared the way TDictn compares
// them (trimmed, upper-cased, padded), and every question is recorded.
class MemoryWordChecker : public WordChecker {
public:
    MemoryWordChecker() = default;
    MemoryWordChecker(std::initializer_list<std::string> words);
    explicit MemoryWordChecker(const std::vector<std::string>& words);

    void add(const std::string& word);
    bool WordExists(const std::string& word) override;
    const std::vector<std::string>& asked() const { return asked_; }

private:
    std::set<std::string> keys_;
    std::vector<std::string> asked_;
};

} // namespace glypharo::fakes
