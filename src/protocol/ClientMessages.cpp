#include "protocol/ClientMessages.h"

#include "protocol/FieldReader.h"

namespace glypharo::clientmsg {

std::string logininfo(int seat, std::string_view version, std::string_view name)
{
    return MessageBuilder("CMD_logininfo").field(seat).field(version).field(name).text();
}

std::string kickhim(int requestingSeat, int seat)
{
    return MessageBuilder("CMD_kickhim").field(requestingSeat).field(seat).field("").text();
}

std::string chat(int seat, std::string_view text)
{
    return MessageBuilder("CMD_chat").field(seat).field(text).text();
}

std::string action(int seat, std::string_view text)
{
    return MessageBuilder("CMD_action").field(seat).field(text).text();
}

std::string playasound(int seat, int soundNumber)
{
    return MessageBuilder("CMD_playasound")
        .field(seat)
        .field("wave" + std::to_string(soundNumber))
        .field("")
        .text();
}

std::string startgame(std::string_view name, std::string_view playto, std::string_view secondsperturn)
{
    return MessageBuilder("CMD_startgame").field(name).field(playto).field(secondsperturn).field("").text();
}

std::string justwatch(int seat, std::string_view mode)
{
    return MessageBuilder("CMD_justwatch").field(seat).field(mode).text();
}

std::string ipass(int seat)
{
    return MessageBuilder("CMD_ipass").field(seat).field("").text();
}

std::string myword(int seat, int row, const std::array<int, 9>& tiles)
{
    MessageBuilder b("CMD_myword");
    b.field(seat).field(row);
    for (std::size_t i = 0; i < tiles.size(); ++i)
        b.field(static_cast<int>(i) + 2).field(tiles[i]);
    return b.text();
}

} // namespace glypharo::clientmsg
