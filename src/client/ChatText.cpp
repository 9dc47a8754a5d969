#include "client/ChatText.h"

#include "protocol/FieldReader.h"
#include "protocol/Protocol.h"

#include <algorithm>

namespace glypharo {

namespace {

std::string lowered(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The terminator byte would cut the message in two on the wire.
std::string withoutTerminator(std::string_view text)
{
    std::string out(text);
    std::erase(out, kTerminator);
    return out;
}

void addTextRun(ChatParagraph& paragraph, int style, std::string_view text)
{
    if (!paragraph.runs.empty()) {
        ChatRun& last = paragraph.runs.back();
        if (last.kind == ChatRun::Kind::Text && last.style == style) {
            last.text += text;
            return;
        }
    }
    paragraph.runs.push_back({ChatRun::Kind::Text, style, std::string(text), -1, -1});
}

// Each word keeps its trailing space; a text without spaces is one word.
void addWords(ChatParagraph& paragraph, std::string_view text, LinkTable& links)
{
    std::string rest(text);
    rest += ' ';
    std::size_t start = 0;
    while (start < rest.size()) {
        const std::size_t space = rest.find(' ', start);
        const std::string word = rest.substr(start, space - start + 1);
        start = space + 1;
        if (isLinkWord(word)) {
            const int number = links.add(word);
            paragraph.runs.push_back({ChatRun::Kind::Link, kLinkStyle, word, number, -1});
        } else {
            addTextRun(paragraph, paragraph.style, word);
        }
    }
}

int smileyPicture(std::string_view digits)
{
    const std::optional<int> number = parseNumber(digits);
    if (!number || *number < kFirstSmiley || *number >= kFirstSmiley + kSmileyCount)
        return 0;
    return *number - kFirstSmiley;
}

std::string actionMessage(const ChatSender& sender, std::string_view text)
{
    return MessageBuilder("CMD_action")
        .field(sender.seat)
        .field(withoutTerminator(text) + "|" + colourToText(sender.colour))
        .text();
}

} // namespace

int chatStyleForSeat(int seat)
{
    // A seat number outside 1..9 would name a style that does not exist.
    return isSeat(seat) ? seat + 5 : kSystemStyle;
}

int LinkTable::add(std::string text)
{
    ++counter_;
    if (counter_ >= kSize)
        counter_ = 1;
    texts_[static_cast<std::size_t>(counter_)] = std::move(text);
    return counter_;
}

std::optional<std::string> LinkTable::text(int number) const
{
    if (number < 0 || number >= kSize)
        return std::nullopt;
    return texts_[static_cast<std::size_t>(number)];
}

ChatParagraph addlinetochat(std::string_view line, ColourValue colour, LinkTable& links)
{
    ChatParagraph paragraph;
    paragraph.colour = colour;
    std::string_view rest = line;
    if (const std::size_t plus = rest.find('+'); plus != std::string_view::npos) {
        paragraph.style = chatStyleForSeat(parseNumber(rest.substr(0, plus)).value_or(0));
        rest.remove_prefix(plus + 1);
    }
    std::string_view name;
    if (const std::size_t colon = rest.find(':'); colon != std::string_view::npos) {
        name = rest.substr(0, colon + 1);
        rest.remove_prefix(colon + 1);
    }
    addTextRun(paragraph, paragraph.style, std::string(name) + " ");
    for (std::size_t code = rest.find(kSmileyCode); code != std::string_view::npos;
         code = rest.find(kSmileyCode)) {
        addWords(paragraph, rest.substr(0, code), links);
        rest.remove_prefix(code + kSmileyCode.size());
        const std::string_view digits = rest.substr(0, 2);
        rest.remove_prefix(digits.size());
        paragraph.runs.push_back({ChatRun::Kind::Smiley, paragraph.style, {}, -1, smileyPicture(digits)});
    }
    addWords(paragraph, rest, links);
    return paragraph;
}

ReceivedChat chatrecieved(std::string_view data)
{
    const std::size_t bar = data.find('|');
    if (bar == std::string_view::npos)
        return {std::string(data), kColourRed};
    return {std::string(data.substr(0, bar)), colourFromText(data.substr(bar + 1)).value_or(kColourRed)};
}

bool isLinkWord(std::string_view word)
{
    const std::string low = lowered(word);
    return low.find("http://") != std::string::npos || low.find("https://") != std::string::npos
        || low.find("www.") != std::string::npos;
}

std::optional<std::string> linkTarget(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    const std::string low = lowered(text);
    std::string address;
    const std::size_t http = std::min(low.find("http://"), low.find("https://"));
    if (http != std::string::npos) {
        address = std::string(text.substr(http));
    } else if (const std::size_t www = low.find("www."); www != std::string::npos) {
        address = "http://" + std::string(text.substr(www));
    } else {
        return std::nullopt;
    }
    const std::size_t host = address.find("://") + 3;
    if (host >= address.size() || address[host] == '/')
        return std::nullopt;
    const bool printable = std::all_of(address.begin(), address.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u > 0x20 && u < 0x7F;
    });
    if (!printable)
        return std::nullopt;
    return address;
}

SendResult sendit(std::string_view input, const ChatSender& sender)
{
    if (!sender.connected)
        return {std::nullopt, false};
    if (input.empty())
        return {std::nullopt, true};
    if (input.front() != '/') {
        return {MessageBuilder("CMD_chat")
                    .field(sender.seat)
                    .field(withoutTerminator(input) + "|" + colourToText(sender.colour))
                    .text(),
            true};
    }
    // "/me" is an action only as a whole word; "/meow" is not "/me" + "w".
    if (input == "/me")
        return {actionMessage(sender, ""), true};
    if (input.starts_with("/me "))
        return {actionMessage(sender, input.substr(4)), true};
    return {std::nullopt, true};
}

std::string b_phrase1Click(std::string_view phrase, const ChatSender& sender)
{
    if (phrase.starts_with("/me "))
        return actionMessage(sender, phrase.substr(4));
    return actionMessage(sender, "says: " + std::string(phrase));
}

std::optional<std::string> wave4Click(int sound, const ChatSender& sender)
{
    if (sound < 1 || sound > kSoundCount || !sender.connected)
        return std::nullopt;
    return MessageBuilder("CMD_playasound")
        .field(sender.seat)
        .field("wave" + std::to_string(sound))
        .raw("+")
        .text();
}

std::string N271Click(std::string_view input, int smiley)
{
    std::string text = input == kChatPlaceholder ? std::string() : std::string(input);
    return text + std::string(kSmileyCode) + std::to_string(smiley);
}

std::string mychatKeyDown(std::string_view input)
{
    return input == kChatPlaceholder ? std::string() : std::string(input);
}

std::string pasteIntoInput(std::string_view input, std::string_view clipboard)
{
    return std::string(input) + std::string(clipboard);
}

bool PhraseGate::pass()
{
    if (!open_)
        return false;
    open_ = false;
    return true;
}

void PhraseGate::tick()
{
    if (!open_)
        ++ticks_;
    if (ticks_ > kTicks) {
        open_ = true;
        ticks_ = 0;
    }
}

std::optional<int> playerSoundNumber(std::string_view name)
{
    const std::string low = lowered(name);
    if (!low.starts_with("wave"))
        return std::nullopt;
    const std::optional<int> number = parseNumber(std::string_view(low).substr(4));
    if (!number || *number < 1 || *number > kSoundCount || low.substr(4).starts_with('0'))
        return std::nullopt;
    return number;
}

std::optional<std::string> chatterSoundLine(std::string_view seatName, std::string_view soundName)
{
    const std::optional<int> sound = playerSoundNumber(soundName);
    if (!sound)
        return std::nullopt;
    return "0+" + std::string(seatName) + ": <Chatter Sound> " + std::string(soundCaption(*sound));
}

std::optional<std::string> soundResourceName(std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return std::nullopt;
    }
    return upper;
}

} // namespace glypharo
