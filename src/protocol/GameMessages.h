#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Builders and readers of the game's messages (start, rounds, turns, words,
// passes, results and the catch-up for a newcomer). Builders return the text
// without its terminator; readers check every field before the caller
// changes any state.
namespace glypharo::gamemsg {

// ---- host to client ----

// "CMD_startgame+name+playto+seconds+"
std::string startgame(std::string_view name, int playto, int secondsperturn);

struct RoundSeat {
    int seat;
    bool inround;
};
struct RowLetter {
    int row;
    int letter;
};
// "CMD_roundstart+round" then "+p+seat+flag" per seat, "+w+row+letter" per row.
std::string roundstart(int round, const std::vector<RoundSeat>& seats, const std::vector<RowLetter>& rows);

// "CMD_mytiles+seat" then "+place+letter" for places 1..9.
std::string mytiles(int seat, const std::array<int, 9>& tiles);

// "CMD_nextplayer+seat+"
std::string nextplayer(int seat);

struct PlacedLetter {
    int position;
    int letter;
};
// "CMD_hisword+seat+row+word+score+points" then "+position+letter" per tile.
std::string hisword(
    int seat, int row, std::string_view word, int score, int points, const std::vector<PlacedLetter>& placed);

// "CMD_hepass+seat+"
std::string hepass(int seat);

// Reasons of CMD_invalid.
inline constexpr int kNotAWord = 1;
inline constexpr int kRowFinished = 2;
// "CMD_invalid+seat+reason+"
std::string invalid(int seat, int reason);

// "CMD_roundend+"
std::string roundend();

// "CMD_winner+name+"
std::string winner(std::string_view name);

// "CMD_gamestats+playto+seconds+timeleft+current+round" then "+seat+score"
// for seats 1..6.
std::string gamestats(int playto, int secondsperturn, long long timeleft, int currentseat, int round,
    const std::array<int, 6>& scores);

// What a newcomer is told about one word row.
struct RowSnapshot {
    bool finished = true;
    std::array<int, 10> letters{}; // positions 1..10
};
// "CMD_thewords" then per row 1..6: "+f+row+0+finished" and ten
// "+w+row+position+letter".
std::string thewords(const std::array<RowSnapshot, 6>& rows);

// ---- client to host (bodies, without the command word) ----

// A CMD_myword body: "seat+row" then "+position+tile" per group.
std::string mywordBody(int seat, int row, const std::vector<std::pair<int, int>>& groups);
// A CMD_ipass body: "seat+".
std::string ipassBody(int seat);

struct StartgameFields {
    std::string name;
    int playto = 5;
    int secondsperturn = 60;
};
// Never fails: an unreadable play-to score or turn time takes its default.
StartgameFields readStartgame(std::string_view body);

struct MywordFields {
    int seat = 0;
    int row = 0;
    // Tile numbers in group order up to (not including) the first 0.
    std::vector<int> tiles;
    // Every group of the message, the padding after the first 0 included.
    std::size_t groups = 0;
};
// nullopt when the seat, the row or a tile number before the first 0 is not
// a number, or a group is cut short. Ranges are the engine's to judge.
std::optional<MywordFields> readMyword(std::string_view body);

// The seat of a CMD_ipass body; nullopt when it is not a number.
std::optional<int> readIpass(std::string_view body);

} // namespace glypharo::gamemsg
