#pragma once

#include <string>
#include <string_view>
#include <vector>

// Builders for the messages the host's connection rules send. Each returns
// the message text without its terminator.
namespace glypharo::hostmsg {

// One group of CMD_existingplayers.
struct PlayerEntry {
    int seat = 0;
    std::string name;
    bool watching = false;
};

std::string sendlogininfo(int seat);
// "CMD_full+": the one empty field is part of the message.
std::string full();
std::string newplayerinfo(int seat, std::string_view name);
// The first group's "+" follows the command word directly.
std::string existingplayers(const std::vector<PlayerEntry>& others);
std::string havewrongversion(std::string_view name);
std::string wrongversion();
std::string playerdisconnected(int seat, std::string_view name);
// mode "1" now watching, "2" playing again.
std::string justwatching(int seat, std::string_view mode);
// The seat text is copied exactly as the sender wrote it.
std::string chat(std::string_view seatText, std::string_view name, std::string_view text);
std::string action(std::string_view seatText, std::string_view name, std::string_view text);
// The seat is written anew as a decimal number; the rest goes as received.
std::string playasound(int seat, std::string_view rest);

} // namespace glypharo::hostmsg
