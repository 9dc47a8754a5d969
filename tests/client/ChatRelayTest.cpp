#include "ClientHarness.h"

#include <gtest/gtest.h>

namespace glypharo::testing {
namespace {

TEST(ChatRelay, SendingFollowsTheConnectedFlag)
{
    struct Case {
        std::string input;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"hello", {"CMD_chat+2+hello|clBlack"}},
        {"/me waves", {"CMD_action+2+waves|clBlack"}},
        {"/meow", {}},
        {"/me", {"CMD_action+2+|clBlack"}},
        {"/quit", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        ClientHarness h;
        EXPECT_FALSE(h.model.sendit(c.input)) << "unconnected: the input keeps its text";
        h.login(2, "Ann");
        EXPECT_TRUE(h.model.sendit(c.input));
        EXPECT_EQ(h.obs.sent, c.sent) << c.input;
    }
}

TEST(ChatRelay, PhrasesAndSounds)
{
    ClientHarness h;
    h.model.b_phrase1Click(1);
    h.model.wave4Click(4);
    EXPECT_TRUE(h.obs.sent.empty());
    h.login(3, "Cy");
    h.model.options().phrases[2] = "/me bows";
    h.model.b_phrase1Click(3);
    h.model.wave4Click(0);
    h.model.wave4Click(4);
    h.model.wave4Click(21);
    EXPECT_EQ(h.obs.sent, (std::vector<std::string>{"CMD_action+3+bows|clBlack", "CMD_playasound+3+wave4+"}));
}

TEST(ChatRelay, ReceivedLinesKeepTheirColourOrTurnRed)
{
    ClientHarness h;
    h.receive({"CMD_chat+2+Bo chats: hi|clBlue", "CMD_action+3+Cy waves", "CMD_chat+2+Bo chats: a|b|clBlue"});
    ASSERT_EQ(h.obs.chat.size(), 3u);
    EXPECT_EQ(
        h.obs.chat[0], (std::pair<std::string, ChatColour>{"2+Bo chats: hi", colourFromRgb(0, 0, 255)}));
    EXPECT_EQ(h.obs.chat[1], (std::pair<std::string, ChatColour>{"3+Cy waves", kColourRed}));
    EXPECT_EQ(h.obs.chat[2], (std::pair<std::string, ChatColour>{"2+Bo chats: a", kColourRed}));
}

TEST(ChatRelay, PlayerSounds)
{
    ClientHarness h;
    h.login(3, "Cy");
    h.seatOther(2, "Bo");
    h.obs.clear();
    h.receive(hostmsg::playasound(2, "wave2+"));
    EXPECT_EQ(h.obs.playerSounds, (std::vector<std::string>{"wave2"}));
    h.model.options().playerPhraseSounds = false;
    h.receive({hostmsg::playasound(2, "wave2+"), hostmsg::playasound(8, "wave2+")});
    ASSERT_EQ(h.obs.chat.size(), 1u);
    EXPECT_EQ(h.obs.chat[0].first, "0+Bo: <Chatter Sound> Cough");
    EXPECT_EQ(h.obs.chat[0].second, kSystemLineColour);
}

} // namespace
} // namespace glypharo::testing
