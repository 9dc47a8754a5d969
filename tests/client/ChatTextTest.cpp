#include "client/ChatText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glypharo {

void PrintTo(const ChatRun& run, std::ostream* os)
{
    *os << "{kind " << static_cast<int>(run.kind) << ", style " << run.style << ", \"" << run.text
        << "\", link " << run.link << ", picture " << run.picture << "}";
}

namespace {

using Kind = ChatRun::Kind;

ChatRun text(int style, std::string t)
{
    return {Kind::Text, style, std::move(t), -1, -1};
}
ChatRun link(std::string t, int number)
{
    return {Kind::Link, kLinkStyle, std::move(t), number, -1};
}
ChatRun smiley(int style, int picture)
{
    return {Kind::Smiley, style, {}, -1, picture};
}

TEST(ChatTextTest, RendersLinesIntoRuns)
{
    const struct {
        const char* line;
        int style;
        std::vector<ChatRun> runs;
    } cases[] = {
        // The name part ends at the first colon; the text's own colon stays in the words.
        {"2+Bram chats: time: now", 7, {text(7, "Bram chats:  time: now ")}},
        {"0+Anna has joined", 0, {text(0, " Anna has joined ")}},
        {"9+Spy: x", 14, {text(14, "Spy:  x ")}},
        // Only the middle "www." word is a link.
        {"1+A chats: see www.x.org now", 6,
            {text(6, "A chats:  see "), link("www.x.org ", 0), text(6, "now ")}},
        {"1+A chats: HTTPS://x.org", 6, {text(6, "A chats:  "), link("HTTPS://x.org ", 0)}},
        {"1+A chats: http://x.org", 6, {text(6, "A chats:  "), link("http://x.org ", 0)}},
        // Smiley codes: two characters after ":)#", 10..27, else picture 0.
        {"1+A chats: a:)#1xb", 6, {text(6, "A chats:  a "), smiley(6, 0), text(6, "b ")}},
        {"1+A chats: :)#27", 6, {text(6, "A chats:   "), smiley(6, 17), text(6, " ")}},
        {"1+A chats: :)#28", 6, {text(6, "A chats:   "), smiley(6, 0), text(6, " ")}},
        {"1+A chats: :)#10:)#13", 6,
            {text(6, "A chats:   "), smiley(6, 0), text(6, " "), smiley(6, 3), text(6, " ")}},
        {"1+A chats: :)#2", 6, {text(6, "A chats:   "), smiley(6, 0), text(6, " ")}},
        // "/me" alone: the sender's name alone.
        {"3+Cleo ", 8, {text(8, " Cleo  ")}},
        // Seat numbers outside 1..9 never name a missing style.
        {"12+X: y", 0, {text(0, "X:  y ")}},
        {"-1+X: y", 0, {text(0, "X:  y ")}},
        {"abc+X: y", 0, {text(0, "X:  y ")}},
        {"no plus: y", 0, {text(0, "no plus:  y ")}},
    };
    for (const auto& c : cases) {
        LinkTable links;
        const ChatParagraph p = addlinetochat(c.line, 0x123456, links);
        EXPECT_EQ(p.style, c.style) << c.line;
        EXPECT_EQ(p.colour, 0x123456u) << c.line;
        EXPECT_EQ(p.runs, c.runs) << c.line;
    }
}

TEST(ChatTextTest, ReceivedDataSplitsAtTheFirstBarAndFallsBackToRed)
{
    const struct {
        const char* data;
        const char* line;
        ColourValue colour;
    } cases[] = {
        {"2+Bram chats: hi|clGreen", "2+Bram chats: hi", 0x008000},
        {"2+Bram chats: hi|$00FF0000", "2+Bram chats: hi", 0xFF0000},
        {"2+Bram chats: hi", "2+Bram chats: hi", kColourRed},
        {"2+Bram chats: hi|", "2+Bram chats: hi", kColourRed},
        {"2+Bram chats: hi|purple", "2+Bram chats: hi", kColourRed},
        // A "|" typed in the text ends the line there; the rest is no colour.
        {"2+Bram chats: a|b|clGreen", "2+Bram chats: a", kColourRed},
    };
    for (const auto& c : cases) {
        const ReceivedChat r = chatrecieved(c.data);
        EXPECT_EQ(r.line, c.line) << c.data;
        EXPECT_EQ(r.colour, c.colour) << c.data;
    }
}

TEST(ChatTextTest, OnlyWebAddressesAreOpened)
{
    const struct {
        const char* text;
        std::optional<std::string> target;
    } cases[] = {
        {"www.example.org ", "http://www.example.org"},
        {"WWW.Example.org", "http://WWW.Example.org"},
        {"http://example.org/a?b=c  ", "http://example.org/a?b=c"},
        {"https://example.org", "https://example.org"},
        {"(https://example.org)", "https://example.org)"},
        {"see:www.x.org", "http://www.x.org"},
        {"file:///etc/passwd", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"file:///tmp/http://x", "http://x"},
        {"http://", std::nullopt},
        {"http:///etc/passwd", std::nullopt},
        {"", std::nullopt},
        {"www.\x01x", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linkTarget(c.text), c.target) << c.text;
    EXPECT_FALSE(isLinkWord("file:///etc/passwd"));
    EXPECT_FALSE(isLinkWord("javascript:void(0)"));
}

TEST(ChatTextTest, LinkNumbersWrapAfterAHundredAndStayWithTheirText)
{
    LinkTable links;
    std::vector<ChatRun> shown;
    for (int i = 0; i < 250; ++i) {
        const std::string line = "1+A chats: www.site" + std::to_string(i) + ".org";
        for (const ChatRun& run : addlinetochat(line, 0, links).runs) {
            if (run.kind == Kind::Link)
                shown.push_back(run);
        }
    }
    ASSERT_EQ(shown.size(), 250u);
    EXPECT_EQ(shown[0].link, 0);
    EXPECT_EQ(shown[100].link, 100);
    EXPECT_EQ(shown[101].link, 1); // after 100 comes 1, not 0
    EXPECT_EQ(shown[249].link, 49);
    // A click resolves to the clicked link's own text while the table
    // still holds it: the last 100 links.
    for (std::size_t i = 150; i < shown.size(); ++i)
        EXPECT_EQ(links.text(shown[i].link), shown[i].text) << i;
    EXPECT_EQ(links.text(101), std::nullopt);
    EXPECT_EQ(links.text(-1), std::nullopt);
}

TEST(ChatTextTest, TypedLinesAndActions)
{
    const ChatSender me{3, 0xFF0000, true};
    const struct {
        const char* input;
        std::optional<std::string> message;
        bool clear;
    } cases[] = {
        {"hello", "CMD_chat+3+hello|clBlue", true},
        {"a|b+c", "CMD_chat+3+a|b+c|clBlue", true},
        {"/me waves", "CMD_action+3+waves|clBlue", true},
        {"/me", "CMD_action+3+|clBlue", true},
        {"/me  two", "CMD_action+3+ two|clBlue", true},
        {"/meow", std::nullopt, true},
        {"/mex y", std::nullopt, true},
        {"/help", std::nullopt, true},
        {"/", std::nullopt, true},
        {"", std::nullopt, true},
        {"caf\xFF"
         "e",
            "CMD_chat+3+cafe|clBlue", true},
    };
    for (const auto& c : cases) {
        const SendResult r = sendit(c.input, me);
        EXPECT_EQ(r.message, c.message) << c.input;
        EXPECT_EQ(r.clearInput, c.clear) << c.input;
    }
    const SendResult offline = sendit("hello", {3, 0, false});
    EXPECT_EQ(offline.message, std::nullopt);
    EXPECT_FALSE(offline.clearInput);
}

TEST(ChatTextTest, PhrasesSoundsAndSmilies)
{
    const ChatSender me{2, 0x00C0FFEE, true};
    EXPECT_EQ(b_phrase1Click("Way To Go!", me), "CMD_action+2+says: Way To Go!|$00C0FFEE");
    EXPECT_EQ(b_phrase1Click("/me dances", me), "CMD_action+2+dances|$00C0FFEE");
    EXPECT_EQ(b_phrase1Click("/medances", me), "CMD_action+2+says: /medances|$00C0FFEE");
    EXPECT_EQ(b_phrase1Click("", me), "CMD_action+2+says: |$00C0FFEE");

    EXPECT_EQ(wave4Click(4, me), "CMD_playasound+2+wave4+");
    EXPECT_EQ(wave4Click(20, me), "CMD_playasound+2+wave20+");
    EXPECT_EQ(wave4Click(0, me), std::nullopt);
    EXPECT_EQ(wave4Click(21, me), std::nullopt);
    EXPECT_EQ(wave4Click(4, {2, 0, false}), std::nullopt);

    EXPECT_EQ(N271Click("<Enter Chat Here>", 12), ":)#12");
    EXPECT_EQ(N271Click("hi ", 27), "hi :)#27");
    EXPECT_EQ(mychatKeyDown("<Enter Chat Here>"), "");
    EXPECT_EQ(mychatKeyDown("typed"), "typed");
    EXPECT_EQ(pasteIntoInput("<Enter Chat Here>", "x"), "<Enter Chat Here>x");
}

TEST(ChatTextTest, PhraseGateLetsOnePhraseThroughPerHundredAndOneTicks)
{
    const ChatSender me{1, 0, true};
    PhraseGate gate;
    std::vector<std::string> sent;
    auto press = [&](std::string_view phrase) {
        if (gate.pass())
            sent.push_back(b_phrase1Click(phrase, me));
    };
    press("Good One!");
    press("Nice Try!");
    ASSERT_EQ(sent.size(), 1u);
    for (int i = 0; i < 100; ++i)
        gate.tick();
    press("Thanks!");
    EXPECT_EQ(sent.size(), 1u);
    gate.tick();
    press("Thanks!");
    EXPECT_EQ(sent,
        (std::vector<std::string>{
            "CMD_action+1+says: Good One!|clBlack", "CMD_action+1+says: Thanks!|clBlack"}));
}

TEST(ChatTextTest, ChatterSoundLines)
{
    EXPECT_EQ(chatterSoundLine("Bram", "wave2"), "0+Bram: <Chatter Sound> Cough");
    EXPECT_EQ(chatterSoundLine("Bram", "WAVE20"), "0+Bram: <Chatter Sound> Crying");
    EXPECT_EQ(chatterSoundLine("Bram", "wave0"), std::nullopt);
    EXPECT_EQ(chatterSoundLine("Bram", "wave21"), std::nullopt);
    EXPECT_EQ(chatterSoundLine("Bram", "wave02"), std::nullopt);
    EXPECT_EQ(chatterSoundLine("Bram", "tick"), std::nullopt);
    // The line renders as the name, a colon, the marker and the caption.
    LinkTable links;
    const ChatParagraph p = addlinetochat(*chatterSoundLine("Bram", "wave2"), kColourMaroon, links);
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].text, "Bram:  <Chatter Sound> Cough ");
    EXPECT_EQ(p.style, kSystemStyle);

    EXPECT_EQ(soundResourceName("wave4"), "WAVE4");
    EXPECT_EQ(soundResourceName("goodword"), "GOODWORD");
    EXPECT_EQ(soundResourceName("../words/x"), std::nullopt);
    EXPECT_EQ(soundResourceName(""), std::nullopt);
}

} // namespace
} // namespace glypharo
