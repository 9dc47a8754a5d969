#include "dict/TDictn.h"
#include "dict/qt/QtResourceWordList.h"

#include "DictTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace glypharo {
namespace {

std::string fieldword(const std::string& list, std::size_t index)
{
    std::string field = list.substr(index * 15 + 1, 14);
    return field.substr(0, field.find(' '));
}

// Every record: the mark, 2 to 14 letters A-Z, spaces to the end; and the
// records strictly ascending, since the search relies on the order.
TEST(WordListResource, DictionaryRecordsAreWellFormedAndSorted)
{
    QtResourceWordList resource;
    const std::optional<std::string> list = resource.load();
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->size() % 15, 0u);
    const std::size_t count = list->size() / 15;
    EXPECT_GT(count, 150000u);
    std::string previous;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string record = list->substr(i * 15, 15);
        ASSERT_EQ(record[0], '\x1e') << i;
        const std::string word = fieldword(*list, i);
        ASSERT_GE(word.size(), 2u) << i;
        ASSERT_TRUE(std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            << record;
        ASSERT_EQ(record.substr(1 + word.size()), std::string(14 - word.size(), ' ')) << record;
        ASSERT_LT(previous, record.substr(1)) << record;
        previous = record.substr(1);
    }
}

TEST(WordListResource, MissingResourceGivesNothing)
{
    QtResourceWordList missing(":/no-such-list");
    EXPECT_FALSE(missing.load().has_value());
    EXPECT_TRUE(QtResourceWordList::computerwords(":/no-such-list").empty());
}

// The computer can only score with words the dictionary also accepts.
TEST(WordListResource, ComputerWordsAreSortedShortAndAccepted)
{
    const std::vector<std::string> words = QtResourceWordList::computerwords();
    EXPECT_GT(words.size(), 7600u);
    EXPECT_LT(words.size(), 7800u);
    EXPECT_TRUE(std::is_sorted(words.begin(), words.end()));
    EXPECT_EQ(std::adjacent_find(words.begin(), words.end()), words.end());

    test::TempDir dir;
    QtResourceWordList resource;
    TDictn dict(resource, {}, dir.path());
    ASSERT_TRUE(dict.isOpen());
    std::vector<std::string> refused;
    for (const std::string& w : words) {
        ASSERT_TRUE(!w.empty() && w.size() <= 7) << w;
        ASSERT_TRUE(std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; })) << w;
        if (!dict.WordExists(w))
            refused.push_back(w);
    }
    // A computer word the dictionary refuses would waste the computer's turn.
    EXPECT_EQ(refused, std::vector<std::string>{});
    // Every first letter has a few words, so any row can be finished.
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        auto n = std::count_if(
            words.begin(), words.end(), [letter](const std::string& w) { return w[0] == letter; });
        EXPECT_GE(n, 3) << letter;
    }
}

TEST(WordListResource, FirstAndLastEntriesAreFoundInTheWrittenFile)
{
    QtResourceWordList resource;
    const std::string list = resource.load().value();
    test::TempDir dir;
    TDictn dict(resource, {}, dir.path());
    const std::size_t last = list.size() / 15 - 1;
    for (std::size_t i : {std::size_t{0}, std::size_t{1}, last / 2, last - 1, last}) {
        const std::string word = fieldword(list, i);
        EXPECT_TRUE(dict.WordExists(word)) << word;
        EXPECT_FALSE(dict.WordExists(word + "QX")) << word;
    }
}

} // namespace
} // namespace glypharo
