#include "client/ChatRelay.h"

#include "protocol/ClientMessages.h"
#include "protocol/FieldReader.h"

#include <array>

namespace glypharo {

namespace {

constexpr std::array<std::string_view, 20> kSoundCaptions = {"Doh", "Cough", "Hello", "Thank You",
    "Where have you been?", "Snoring", "Sneezing", "Sorry", "Welcome", "Yeehaa", "Yippee", "Oh No",
    "Applause", "Honk", "Oooh", "Razzberry", "Cheer", "Woman Laughing", "Man Laughing", "Crying"};

std::string_view soundCaptionOf(std::string_view name)
{
    if (name.substr(0, 4) != "wave")
        return {};
    auto n = parseNumber(name.substr(4));
    if (!n || *n < 1 || *n > static_cast<int>(kSoundCaptions.size()))
        return {};
    return kSoundCaptions[static_cast<std::size_t>(*n - 1)];
}

} // namespace

bool ChatRelay::chatrecieved(std::string_view body)
{
    ctx_.observer.addChatLine(std::string(body), kUnreadableColour);
    return true;
}

bool ChatRelay::playasound(std::string_view body)
{
    FieldReader r(body);
    auto seat = r.number();
    auto name = r.field();
    if (!seat || !name)
        return false;
    if (ctx_.options.playerPhraseSounds) {
        ctx_.observer.playPlayerSound(std::string(*name));
        return true;
    }
    auto caption = soundCaptionOf(*name);
    if (!isSeatView(*seat) || caption.empty())
        return true;
    ctx_.systemLine(ctx_.state.seat(*seat).name + ": <Chatter Sound> " + std::string(caption));
    return true;
}

bool ChatRelay::sendit(std::string_view input)
{
    const auto& st = ctx_.state;
    if (!st.connected)
        return false;
    auto colour = "|" + ctx_.options.chatColourText;
    if (!input.empty() && input[0] != '/')
        ctx_.send(clientmsg::chat(st.ownSeat, std::string(input) + colour));
    else if (input.substr(0, 3) == "/me")
        ctx_.send(
            clientmsg::action(st.ownSeat, std::string(input.size() > 4 ? input.substr(4) : "") + colour));
    return true;
}

void ChatRelay::b_phrase1Click(int n)
{
    auto& st = ctx_.state;
    // Unconnected there is no socket to take the phrase.
    if (n < 1 || n > 9 || !st.phraseGateOpen || !st.connected)
        return;
    std::string_view phrase = ctx_.options.phrases[static_cast<std::size_t>(n - 1)];
    auto colour = "|" + ctx_.options.chatColourText;
    if (phrase.substr(0, 4) != "/me ")
        ctx_.send(clientmsg::action(st.ownSeat, "says: " + std::string(phrase) + colour));
    else
        ctx_.send(clientmsg::action(st.ownSeat, std::string(phrase.substr(4)) + colour));
    st.phraseGateOpen = false;
}

void ChatRelay::wave4Click(int n)
{
    const auto& st = ctx_.state;
    if (n < 1 || n > 20 || !st.connected)
        return;
    ctx_.send(clientmsg::playasound(st.ownSeat, n));
}

void ChatRelay::tickPhraseGate()
{
    auto& st = ctx_.state;
    if (!st.phraseGateOpen)
        st.phraseGateTicks += 1;
    if (st.phraseGateTicks > 100) {
        st.phraseGateOpen = true;
        st.phraseGateTicks = 0;
    }
}

} // namespace glypharo
