#include "dict/TDictn.h"

#include "DictTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace glypharo {
namespace {

using test::readfile;
using test::records;
using test::StringSource;
using test::TempDir;
using test::writefile;

const std::vector<std::string> kSortedWords
    = {"AB", "ABCDEFGHIJKLMN", "ABCDEFGHIJKLMN", "CAT", "CATS", "DOG", "QUIZ", "ZYZZYVA", "ZZZ"};

// A dictionary in a temp folder with its messages caught.
struct Fixture {
    explicit Fixture(std::optional<std::string> list = records(kSortedWords))
        : source(std::move(list))
        , dict(
              source, [this](const std::string& m) { messages.push_back(m); }, dir.path())
    {
    }
    TempDir dir;
    std::vector<std::string> messages;
    StringSource source;
    TDictn dict;
};

struct LookupCase {
    std::string word;
    bool found;
};

TEST(TDictn, LookupFollowsTheNormalisation)
{
    const std::vector<LookupCase> cases = {
        {"", false},
        {"   ", false},
        {std::string(3, '\0'), false},
        {"cat", true},
        {"CAT", true},
        {"  cAt  ", true},
        {std::string("cat\0", 4), true}, // a zero byte trims like a space
        {"cat\t", false}, // only spaces are trimmed
        {"c at", false},
        {"ca", false},
        {"catsx", false},
        {"ab", true}, // first record
        {"zzz", true}, // last record
        {"zyzzyva", true},
        {"a", false},
        {"aa", false},
        {"zzzz", false},
        {"abcdefghijklmn", true}, // the cut entry of a longer word
        {"abcdefghijklmno", false}, // 15 letters never match
        {"abcdefghijklm", false},
        {"abcdefghijklmnopqrstuvwxyz", false},
        {"cat" + std::string(20, ' '), true},
        {"\xc3\xa9t\xc3\xa9", false},
    };
    Fixture f;
    ASSERT_TRUE(f.dict.isOpen());
    for (const LookupCase& c : cases)
        EXPECT_EQ(f.dict.WordExists(c.word), c.found) << '"' << c.word << '"';
    EXPECT_TRUE(f.messages.empty());
}

TEST(TDictn, WritesTheListOutOnceAndRemovesItAtExit)
{
    TempDir dir;
    const std::string list = records(kSortedWords);
    StringSource source(list);
    std::vector<std::string> messages;
    {
        TDictn dict(
            source, [&](const std::string& m) { messages.push_back(m); }, dir.path());
        EXPECT_TRUE(dict.wroteFile());
        EXPECT_EQ(dict.path(), std::filesystem::absolute(dir.path() / "English"));
        // No temporary file stays beside it.
        EXPECT_EQ(dir.names(), std::vector<std::string>{"English"});
        EXPECT_EQ(readfile(dir.path() / "English"), list);
        EXPECT_TRUE(dict.WordExists("dog"));
    }
    EXPECT_TRUE(dir.names().empty());
    EXPECT_EQ(source.loads, 1);
    EXPECT_TRUE(messages.empty());
}

TEST(TDictn, KeepsAFileThatWasAlreadyThere)
{
    TempDir dir;
    const std::string existing = records({"EXISTING"});
    writefile(dir.path() / "English", existing);
    StringSource source(records(kSortedWords));
    {
        TDictn dict(source, {}, dir.path());
        EXPECT_FALSE(dict.wroteFile());
        EXPECT_TRUE(dict.WordExists("existing"));
        EXPECT_FALSE(dict.WordExists("cat"));
    }
    EXPECT_EQ(source.loads, 0);
    EXPECT_EQ(readfile(dir.path() / "English"), existing);
}

struct MissingCase {
    const char* name;
    std::optional<std::string> list;
    bool makeFolderMissing;
    bool englishIsFolder;
};

TEST(TDictn, WithoutAFileToOpenItSaysSoOnceAndRefusesEveryWord)
{
    const std::vector<MissingCase> cases = {
        {"no resource", std::nullopt, false, false},
        {"empty resource", std::string(), false, false},
        {"folder missing", records(kSortedWords), true, false},
        {"English is a folder", records(kSortedWords), false, true},
    };
    for (const MissingCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::filesystem::path folder = dir.path();
        if (c.makeFolderMissing)
            folder /= "gone";
        if (c.englishIsFolder)
            std::filesystem::create_directory(folder / "English");
        StringSource source(c.list);
        std::vector<std::string> messages;
        TDictn dict(
            source, [&](const std::string& m) { messages.push_back(m); }, folder);
        EXPECT_FALSE(dict.isOpen());
        for (const char* w : {"cat", "dog", "ab", "zzz"})
            EXPECT_FALSE(dict.WordExists(w));
        EXPECT_EQ(messages, std::vector<std::string>{"English.dic dictionary not found!"});
        EXPECT_FALSE(std::filesystem::is_regular_file(folder / "English"));
    }
}

TEST(TDictn, SearchesDamagedFilesSafely)
{
    struct DamagedCase {
        const char* name;
        std::string bytes;
        std::vector<LookupCase> lookups;
    };
    const std::vector<DamagedCase> cases = {
        {"trailing partial record", records({"AB", "CAT", "DOG"}) + "\x1eZZZZZ",
            {{"ab", true}, {"dog", true}, {"zzzzz", false}, {"zz", false}}},
        {"shorter than one record",
            std::string("\x1e"
                        "CAT",
                4),
            {{"cat", false}, {"zzz", false}}},
        {"empty file", std::string(), {{"cat", false}}},
        // Out of order: found only where the probes pass it.
        {"unsorted", records({"ZZ", "AA", "MM"}), {{"aa", true}, {"mm", true}, {"zz", false}}},
        {"record mark ignored",
            std::string("\x00"
                        "CAT           ",
                15),
            {{"cat", true}}},
        {"lower-case field", records({"cat"}), {{"CAT", true}}},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        writefile(dir.path() / "English", c.bytes);
        StringSource source(std::nullopt);
        TDictn dict(source, {}, dir.path());
        ASSERT_TRUE(dict.isOpen());
        for (const LookupCase& l : c.lookups)
            EXPECT_EQ(dict.WordExists(l.word), l.found) << l.word;
    }
}

TEST(TDictn, AFileThatShrinksUnderItEndsTheSearchWithFalse)
{
    Fixture f;
    ASSERT_TRUE(f.dict.WordExists("zzz"));
    std::filesystem::resize_file(f.dir.path() / "English", 2 * 15);
    EXPECT_FALSE(f.dict.WordExists("zzz"));
    EXPECT_FALSE(f.dict.WordExists("dog"));
}

TEST(TDictn, DeletesItsOwnFileEvenAfterTheCurrentFolderChanges)
{
    TempDir dir;
    TempDir elsewhere;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    StringSource source(records(kSortedWords));
    {
        TDictn dict(source, {});
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "English"));
        std::filesystem::current_path(elsewhere.path());
        writefile(elsewhere.path() / "English", "keep");
    }
    std::filesystem::current_path(previous);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "English"));
    EXPECT_TRUE(std::filesystem::exists(elsewhere.path() / "English"));
}

} // namespace
} // namespace glypharo
