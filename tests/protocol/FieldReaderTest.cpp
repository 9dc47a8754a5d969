#include "protocol/FieldReader.h"
#include "protocol/MessageFramer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace glypharo;

TEST(FieldReader, ParseNumberAcceptsOnlyPlainDecimal)
{
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"42", 42},
        {"-4", -4},
        {"2147483647", 2147483647},
        {"", {}},
        {"-", {}},
        {"+5", {}},
        {" 5", {}},
        {"5 ", {}},
        {"0x10", {}},
        {"12a", {}},
        {"2147483648", {}},
        {"--1", {}},
        {"1.5", {}},
        {"\xFF", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(FieldReader, SplitsCommandAtFirstPlus)
{
    EXPECT_EQ(splitMessage("CMD_roundend+").command, "CMD_roundend");
    EXPECT_EQ(splitMessage("CMD_roundend+").body, "");
    EXPECT_EQ(splitMessage("CMD_roundend").command, "");
    EXPECT_EQ(splitMessage("CMD_chat+1+a+b").body, "1+a+b");
    EXPECT_EQ(splitMessage("").command, "");
}

TEST(FieldReader, FieldsRestAndEnd)
{
    FieldReader r("3+1.0.1+Ann+Lee");
    EXPECT_EQ(r.number(), 3);
    EXPECT_EQ(r.field(), "1.0.1");
    EXPECT_EQ(r.rest(), "Ann+Lee");
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.field(), std::nullopt);

    FieldReader last("7");
    EXPECT_EQ(last.number(), 7);
    EXPECT_EQ(last.field(), std::nullopt);

    FieldReader trailing("1+3+");
    EXPECT_EQ(trailing.field(), "1");
    EXPECT_EQ(trailing.field(), "3");
    EXPECT_EQ(trailing.field(), "");
    EXPECT_EQ(trailing.field(), std::nullopt);

    FieldReader bad("x+2");
    EXPECT_EQ(bad.number(), std::nullopt);
}

TEST(FieldReader, GroupsUntilOnlyTheSentinelRemains)
{
    struct Case {
        const char* body;
        std::size_t size;
        std::optional<std::vector<std::vector<std::string>>> groups;
    };
    using G = std::vector<std::vector<std::string>>;
    const Case cases[] = {
        {"2+Ann+0+3+Bob+1", 3, G{{"2", "Ann", "0"}, {"3", "Bob", "1"}}},
        {"p+1+1+w+1+5", 3, G{{"p", "1", "1"}, {"w", "1", "5"}}},
        {"1+5+2+0", 2, G{{"1", "5"}, {"2", "0"}}},
        {"1+5+2", 2, std::nullopt}, // a group cut short
        {"", 1, G{{""}}}, // "+@": one empty field
        {"", 3, std::nullopt},
        {"a+b+c+", 3, std::nullopt}, // trailing "+" leaves a short group
        {"name+with@+0", 3, G{{"name", "with@", "0"}}},
    };
    for (const auto& c : cases) {
        FieldReader r(c.body);
        EXPECT_EQ(r.groups(c.size), c.groups) << '"' << c.body << '"';
    }
}

TEST(FieldReader, GroupsAfterFixedFields)
{
    FieldReader r("3+w+1+5+w+2+7");
    EXPECT_EQ(r.number(), 3);
    auto g = r.groups(3);
    ASSERT_TRUE(g);
    ASSERT_EQ(g->size(), 2u);
    EXPECT_EQ((*g)[1][2], "7");
}

TEST(MessageBuilder, BuildsFieldsAndWireForm)
{
    MessageBuilder m("CMD_nextplayer");
    m.field(3).field("");
    EXPECT_EQ(m.text(), "CMD_nextplayer+3+");
    EXPECT_EQ(m.wire(), std::string("CMD_nextplayer+3+\xFF"));
    MessageBuilder list("CMD_existingplayers");
    list.raw("+2+Ann+0");
    EXPECT_EQ(list.text(), "CMD_existingplayers+2+Ann+0");
}

TEST(MessageFramer, CutsAtTerminatorAndKeepsFragments)
{
    struct Case {
        std::vector<std::string> reads;
        std::vector<std::string> messages;
        std::size_t pending;
    };
    const std::string T(1, '\xFF');
    const Case cases[] = {
        {{"CMD_a+1" + T + "CMD_b+2" + T}, {"CMD_a+1", "CMD_b+2"}, 0},
        {{"CMD_roundend+" + T + T}, {"CMD_roundend+", ""}, 0},
        {{"CMD_ch", "at+1+hi" + T}, {"CMD_chat+1+hi"}, 0},
        {{"CMD_a" + T + "CMD_b"}, {"CMD_a"}, 5},
        {{std::string("a\0b", 3) + T}, {std::string("a\0b", 3)}, 0},
    };
    for (const auto& c : cases) {
        MessageFramer f;
        std::vector<std::string> got;
        for (const auto& r : c.reads)
            for (auto& m : f.feed(r))
                got.push_back(m);
        EXPECT_EQ(got, c.messages);
        EXPECT_EQ(f.pending(), c.pending);
    }
}

TEST(MessageFramer, OverlongFragmentOverflowsAndStaysDead)
{
    MessageFramer f(16);
    EXPECT_TRUE(f.feed(std::string(10, 'x')).empty());
    EXPECT_FALSE(f.overflowed());
    EXPECT_TRUE(f.feed(std::string(10, 'x')).empty());
    EXPECT_TRUE(f.overflowed());
    EXPECT_EQ(f.pending(), 0u);
    EXPECT_TRUE(f.feed("CMD_a+" + std::string(1, '\xFF')).empty());
}
