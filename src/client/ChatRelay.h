#pragma once

#include "client/ChatText.h"
#include "client/ClientContext.h"

#include <string_view>

namespace glypharo {

// The chat as the model sees it: received lines and player sounds, and the
// typed lines, phrases and sounds the player sends. The texts themselves
// are built and read by ChatText.
class ChatRelay {
public:
    explicit ChatRelay(ClientContext& ctx)
        : ctx_(ctx)
    {
    }

    bool chatrecieved(std::string_view body);
    bool playasound(std::string_view body);

    // Enter in the input box; true when the input box is to be emptied.
    bool sendit(std::string_view input);
    // Phrase button 1..9.
    void b_phrase1Click(int n);
    // Item of the sound menu, 0 "<Cancel>" and 1..20.
    void wave4Click(int n);

    // One dispatch tick of the phrase gate.
    void tickPhraseGate() { gate_.tick(); }
    bool phraseGateOpen() const { return gate_.isOpen(); }

private:
    ChatSender sender() const;

    ClientContext& ctx_;
    PhraseGate gate_;
};

} // namespace glypharo
