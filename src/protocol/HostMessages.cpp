#include "protocol/HostMessages.h"

#include "protocol/FieldReader.h"

namespace glypharo::hostmsg {

std::string sendlogininfo(int seat)
{
    return MessageBuilder("CMD_sendlogininfo").field(seat).text();
}

std::string full()
{
    return MessageBuilder("CMD_full").field("").text();
}

std::string newplayerinfo(int seat, std::string_view name)
{
    return MessageBuilder("CMD_newplayerinfo").field(seat).field(name).field("0").text();
}

std::string existingplayers(const std::vector<PlayerEntry>& others)
{
    MessageBuilder b("CMD_existingplayers");
    for (const auto& p : others)
        b.field(p.seat).field(p.name).field(p.watching ? "1" : "0");
    return b.text();
}

std::string havewrongversion(std::string_view name)
{
    return MessageBuilder("CMD_havewrongversion").field(name).text();
}

std::string wrongversion()
{
    return MessageBuilder("CMD_wrongversion").field("").text();
}

std::string playerdisconnected(int seat, std::string_view name)
{
    return MessageBuilder("CMD_playerdisconnected").field(seat).field(name).text();
}

std::string justwatching(int seat, std::string_view mode)
{
    return MessageBuilder("CMD_justwatching").field(seat).field(mode).text();
}

std::string chat(std::string_view seatText, std::string_view name, std::string_view text)
{
    std::string line(name);
    line += " chats: ";
    line += text;
    return MessageBuilder("CMD_chat").field(seatText).field(line).text();
}

std::string action(std::string_view seatText, std::string_view name, std::string_view text)
{
    std::string line(name);
    line += ' ';
    line += text;
    return MessageBuilder("CMD_action").field(seatText).field(line).text();
}

std::string playasound(int seat, std::string_view rest)
{
    return MessageBuilder("CMD_playasound").field(seat).field(rest).text();
}

} // namespace glypharo::hostmsg
