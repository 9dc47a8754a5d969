#pragma once

#include "client/ColourText.h"
#include "client/SoundSink.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glypharo {

// The input box shows this as real text until the player types.
inline constexpr std::string_view kChatPlaceholder = "<Enter Chat Here>";

// Text styles of the chat view: 0 for the program's own lines, 4 for links,
// seat + 5 for the lines of seats 1..9.
inline constexpr int kChatStyleCount = 15;
inline constexpr int kSystemStyle = 0;
inline constexpr int kLinkStyle = 4;
int chatStyleForSeat(int seat);

// Smiley codes ":)#10" .. ":)#27" show pictures 0 .. 17.
inline constexpr std::string_view kSmileyCode = ":)#";
inline constexpr int kSmileyCount = 18;
inline constexpr int kFirstSmiley = 10;

// The 101 link texts and the counter that numbers them. Numbers run
// 0, 1, .. 100, then 1, 2, .. (0 is only used once); clearing the chat does
// not reset them.
class LinkTable {
public:
    static constexpr int kSize = 101;

    // Stores the text under the next number and returns that number.
    int add(std::string text);
    // The text stored under `number`; nullopt when out of range or unused.
    std::optional<std::string> text(int number) const;
    int counter() const { return counter_; }

private:
    std::array<std::optional<std::string>, kSize> texts_{};
    int counter_ = -1;
};

// One piece of a rendered chat line.
struct ChatRun {
    enum class Kind { Text, Link, Smiley };
    Kind kind = Kind::Text;
    int style = kSystemStyle; // Text and Link runs
    std::string text; // Text and Link runs; a link's text keeps its trailing space
    int link = -1; // Link runs: the link's number in the LinkTable
    int picture = -1; // Smiley runs: picture 0 .. 17

    bool operator==(const ChatRun&) const = default;
};

// A rendered chat line: before drawing it, the view gives `style` the colour
// `colour` in bold, which also recolours earlier lines of that style.
struct ChatParagraph {
    int style = kSystemStyle;
    ColourValue colour = kColourBlack;
    std::vector<ChatRun> runs;
};

// Renders a chat line "S+text" drawn in `colour`: the text up to the first
// ":" is the name part; ":)#NN" codes become pictures; words containing a web
// address become links numbered through `links`. Adjacent words of the same
// style are joined into one run.
ChatParagraph addlinetochat(std::string_view line, ColourValue colour, LinkTable& links);

// A received "CMD_chat"/"CMD_action" body split into the line and its
// colour: the line ends at the first "|"; a missing or unreadable colour is
// red.
struct ReceivedChat {
    std::string line;
    ColourValue colour = kColourRed;
};
ReceivedChat chatrecieved(std::string_view data);

// Whether a chat word is shown as a link.
bool isLinkWord(std::string_view word);
// The web address a clicked link opens, or nullopt when the text holds no
// http or https address. Only web addresses are ever opened, so a chat line
// cannot start a local file or program.
std::optional<std::string> linkTarget(std::string_view text);

// Sending. Message texts are returned without the terminator.
struct ChatSender {
    int seat = 0;
    ColourValue colour = kColourBlack;
    bool connected = false;
};

struct SendResult {
    std::optional<std::string> message; // what to send, if anything
    bool clearInput = false; // whether the input box is emptied
};
// Enter in the input box.
SendResult sendit(std::string_view input, const ChatSender& sender);
// A phrase button (the phrase gate is checked by the caller).
std::string b_phrase1Click(std::string_view phrase, const ChatSender& sender);
// An item of the sound menu: 0 is "<Cancel>".
std::optional<std::string> wave4Click(int sound, const ChatSender& sender);
// The input text after choosing smiley 10 .. 27 from the smiley menu.
std::string N271Click(std::string_view input, int smiley);
// The input text after a key press starts (the placeholder goes away).
std::string mychatKeyDown(std::string_view input);
// The input text after "Paste" (a shown placeholder stays).
std::string pasteIntoInput(std::string_view input, std::string_view clipboard);

// Sends a phrase at most once per 101 ticks of the dispatch timer.
class PhraseGate {
public:
    static constexpr int kTicks = 100;
    bool isOpen() const { return open_; }
    // True and closes the gate when open; false otherwise.
    bool pass();
    // One dispatch tick.
    void tick();

private:
    bool open_ = true;
    int ticks_ = 0;
};

// The phrases and sounds the buttons and menus show. Kept in the header so
// the widgets can show them without linking the client library.
inline constexpr int kPhraseCount = 9;
inline constexpr int kSoundCount = 20;
inline constexpr std::array<std::string_view, kPhraseCount> kDesignedPhrases{
    "Way To Go!",
    "Good One!",
    "Nice Try!",
    "Excellent!",
    "Brilliant!",
    "Wow, WTG!",
    "Thanks!",
    "Way To Go Teamie!",
    "Good Game Everyone!",
};
inline constexpr std::array<std::string_view, kSoundCount> kPlayerSoundCaptions{
    "Doh",
    "Cough",
    "Hello",
    "Thank You",
    "Where have you been?",
    "Snoring",
    "Sneezing",
    "Sorry",
    "Welcome",
    "Yeehaa",
    "Yippee",
    "Oh No",
    "Applause",
    "Honk",
    "Oooh",
    "Razzberry",
    "Cheer",
    "Woman Laughing",
    "Man Laughing",
    "Crying",
};
// Sound n = 1 .. 20; empty for other numbers.
constexpr std::string_view soundCaption(int sound)
{
    if (sound < 1 || sound > kSoundCount)
        return {};
    return kPlayerSoundCaptions[static_cast<std::size_t>(sound - 1)];
}
// "wave4" (any case) -> 4; nullopt for names that are not a player sound.
std::optional<int> playerSoundNumber(std::string_view name);
// The line shown instead of a player's sound when "Player Phrase Sounds" is
// off: "0+<name>: <Chatter Sound> <caption>". nullopt for an unknown sound.
std::optional<std::string> chatterSoundLine(std::string_view seatName, std::string_view soundName);
// The resource a sound name plays: upper case, letters and digits only;
// nullopt for anything else.
std::optional<std::string> soundResourceName(std::string_view name);

} // namespace glypharo
