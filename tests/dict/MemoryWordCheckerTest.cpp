#include "fakes/MemoryWordChecker.h"

#include <gtest/gtest.h>

namespace glypharo {
namespace {

// The fake must answer like the real dictionary, or engine tests that
// pass against it would fail against the file.
TEST(MemoryWordChecker, AnswersLikeTheDictionary)
{
    fakes::MemoryWordChecker words{"cat", "QUIZ", " dog "};
    const std::vector<std::pair<std::string, bool>> cases = {{"cat", true}, {"CAT", true}, {" Cat ", true},
        {"quiz", true}, {"dog", true}, {"", false}, {"  ", false}, {"ca", false}, {"cats", false}};
    for (const auto& [word, found] : cases)
        EXPECT_EQ(words.WordExists(word), found) << word;
    EXPECT_EQ(words.asked().size(), cases.size());
    EXPECT_EQ(words.asked().front(), "cat");
}

} // namespace
} // namespace glypharo
