#include "client/ChatRelay.h"

#include "protocol/FieldReader.h"

namespace glypharo {

ChatSender ChatRelay::sender() const
{
    return {ctx_.state.ownSeat, ctx_.options.chatColour, ctx_.state.connected};
}

bool ChatRelay::chatrecieved(std::string_view body)
{
    auto received = glypharo::chatrecieved(body);
    ctx_.observer.addChatLine(received.line, received.colour);
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
    // Spectator seats have no name label to show the sound with.
    if (!isSeatView(*seat))
        return true;
    if (auto line = chatterSoundLine(ctx_.state.seat(*seat).name, *name))
        ctx_.observer.addChatLine(*line, kSystemLineColour);
    return true;
}

bool ChatRelay::sendit(std::string_view input)
{
    auto result = glypharo::sendit(input, sender());
    if (result.message)
        ctx_.send(*result.message);
    return result.clearInput;
}

void ChatRelay::b_phrase1Click(int n)
{
    // Unconnected there is no socket to take the phrase, and the gate stays
    // open.
    if (n < 1 || n > kPhraseCount || !ctx_.state.connected || !gate_.isOpen())
        return;
    gate_.pass();
    ctx_.send(glypharo::b_phrase1Click(ctx_.options.phrases[static_cast<std::size_t>(n - 1)], sender()));
}

void ChatRelay::wave4Click(int n)
{
    if (auto message = glypharo::wave4Click(n, sender()))
        ctx_.send(*message);
}

} // namespace glypharo
