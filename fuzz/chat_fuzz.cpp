// Input: chat traffic as the client receives and sends it. The bytes are
// cut at 0x0A into lines; each line is handled as a received chat or action
// body (split into text and colour, then rendered into runs with smilies and
// links) and as text typed into the input box. The rendered runs must name
// links that resolve and keep styles and pictures in range; what is sent
// must not carry the terminator.

#include "client/ChatText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace glypharo;

void checkParagraph(const ChatParagraph& p, const LinkTable& links)
{
    if (p.style < 0 || p.style >= kChatStyleCount)
        std::abort();
    for (const ChatRun& run : p.runs) {
        switch (run.kind) {
        case ChatRun::Kind::Text:
            if (run.style < 0 || run.style >= kChatStyleCount)
                std::abort();
            break;
        case ChatRun::Kind::Link:
            if (run.style != kLinkStyle || !links.text(run.link))
                std::abort();
            break;
        case ChatRun::Kind::Smiley:
            if (run.picture < 0 || run.picture >= kSmileyCount)
                std::abort();
            break;
        }
    }
}

void checkSent(const std::optional<std::string>& message)
{
    if (message && message->find('\xff') != std::string::npos)
        std::abort();
}

void oneLine(std::string_view line, LinkTable& links, int seat)
{
    const ReceivedChat received = chatrecieved(line);
    checkParagraph(addlinetochat(received.line, received.colour, links), links);
    checkParagraph(addlinetochat(line, kColourBlack, links), links);
    (void)linkTarget(line);

    const ChatSender sender{seat, static_cast<ColourValue>(line.size() * 2654435761u), seat % 2 == 0};
    checkSent(sendit(line, sender).message);
    checkSent(b_phrase1Click(line, sender));
    checkSent(wave4Click(seat, sender));
    const std::string typed = mychatKeyDown(line);
    (void)N271Click(typed, kFirstSmiley + seat % kSmileyCount);
    (void)pasteIntoInput(kChatPlaceholder, line);
    (void)chatterSoundLine(line, line);
    if (auto name = soundResourceName(line)) {
        for (char c : *name) {
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    LinkTable links; // one chat view: link numbers wrap over many lines
    int seat = 0;
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos)
            end = all.size();
        oneLine(all.substr(start, end - start), links, seat);
        seat = (seat + 1) % 10;
        start = end + 1;
    }
    return 0;
}
