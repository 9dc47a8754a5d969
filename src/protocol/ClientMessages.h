#pragma once

#include <array>
#include <string>
#include <string_view>

// Builders for the messages a player's client sends to the host. Each
// returns the message text without its terminator.
namespace glypharo::clientmsg {

// "CMD_logininfo+seat+version+name"; the name is the rest of the message.
std::string logininfo(int seat, std::string_view version, std::string_view name);

// "CMD_kickhim+requester+seat+"
std::string kickhim(int requestingSeat, int seat);

// "CMD_chat+seat+text" and "CMD_action+seat+text"; the text carries its own
// "|colour" ending.
std::string chat(int seat, std::string_view text);
std::string action(int seat, std::string_view text);

// "CMD_playasound+seat+wave<n>+"
std::string playasound(int seat, int soundNumber);

// "CMD_startgame+name+playto+seconds+": the dialog's field texts go as typed;
// the host substitutes defaults for texts that are not numbers.
std::string startgame(std::string_view name, std::string_view playto, std::string_view secondsperturn);

// Watch modes of CMD_justwatch.
inline constexpr std::string_view kStartWatching = "1";
inline constexpr std::string_view kStopWatching = "2";
// "CMD_justwatch+seat+mode"
std::string justwatch(int seat, std::string_view mode);

// "CMD_ipass+seat+"
std::string ipass(int seat);

// "CMD_myword+seat+row" then "+c+tile" for the columns 2 to 10; `tiles[i]`
// is the rack tile laid in column i + 2, 0 for an empty column.
std::string myword(int seat, int row, const std::array<int, 9>& tiles);

} // namespace glypharo::clientmsg
