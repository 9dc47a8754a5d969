#pragma once

#include "dict/WordListSource.h"

#include <optional>
#include <string>
#include <vector>

namespace glypharo {

// The embedded word lists, read from the program's Qt resources. The header
// stays free of Qt so rule code and tests can name it without Qt includes.
class QtResourceWordList : public WordListSource {
public:
    static constexpr const char* kDictionaryResource = ":/TEXT_DEMO";
    static constexpr const char* kComputerWordsResource = ":/words.txt";

    explicit QtResourceWordList(std::string resource = kDictionaryResource);

    // The dictionary records, or nothing when the resource is missing.
    std::optional<std::string> load() override;

    // The computer players' word list: one lower-case word per line, in the
    // resource's (sorted) order; empty when the resource is missing.
    static std::vector<std::string> computerwords(const std::string& resource = kComputerWordsResource);

private:
    std::string resource_;
};

} // namespace glypharo
