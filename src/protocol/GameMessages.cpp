#include "protocol/GameMessages.h"

#include "protocol/FieldReader.h"

namespace glypharo::gamemsg {

std::string startgame(std::string_view name, int playto, int secondsperturn)
{
    return MessageBuilder("CMD_startgame").field(name).field(playto).field(secondsperturn).field("").text();
}

std::string roundstart(int round, const std::vector<RoundSeat>& seats, const std::vector<RowLetter>& rows)
{
    MessageBuilder m("CMD_roundstart");
    m.field(round);
    for (const auto& s : seats)
        m.field("p").field(s.seat).field(s.inround ? "1" : "0");
    for (const auto& r : rows)
        m.field("w").field(r.row).field(r.letter);
    return m.text();
}

std::string mytiles(int seat, const std::array<int, 9>& tiles)
{
    MessageBuilder m("CMD_mytiles");
    m.field(seat);
    for (std::size_t i = 0; i < tiles.size(); ++i)
        m.field(static_cast<int>(i) + 1).field(tiles[i]);
    return m.text();
}

std::string nextplayer(int seat)
{
    return MessageBuilder("CMD_nextplayer").field(seat).field("").text();
}

std::string hisword(
    int seat, int row, std::string_view word, int score, int points, const std::vector<PlacedLetter>& placed)
{
    MessageBuilder m("CMD_hisword");
    m.field(seat).field(row).field(word).field(score).field(points);
    for (const auto& p : placed)
        m.field(p.position).field(p.letter);
    return m.text();
}

std::string hepass(int seat)
{
    return MessageBuilder("CMD_hepass").field(seat).field("").text();
}

std::string invalid(int seat, int reason)
{
    return MessageBuilder("CMD_invalid").field(seat).field(reason).field("").text();
}

std::string roundend()
{
    return "CMD_roundend+";
}

std::string winner(std::string_view name)
{
    return MessageBuilder("CMD_winner").field(name).field("").text();
}

std::string gamestats(int playto, int secondsperturn, long long timeleft, int currentseat, int round,
    const std::array<int, 6>& scores)
{
    MessageBuilder m("CMD_gamestats");
    m.field(playto).field(secondsperturn).field(std::to_string(timeleft)).field(currentseat).field(round);
    for (std::size_t i = 0; i < scores.size(); ++i)
        m.field(static_cast<int>(i) + 1).field(scores[i]);
    return m.text();
}

std::string thewords(const std::array<RowSnapshot, 6>& rows)
{
    MessageBuilder m("CMD_thewords");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        m.field("f").field(row).field("0").field(rows[r].finished ? "1" : "0");
        for (std::size_t p = 0; p < rows[r].letters.size(); ++p)
            m.field("w").field(row).field(static_cast<int>(p) + 1).field(rows[r].letters[p]);
    }
    return m.text();
}

std::string mywordBody(int seat, int row, const std::vector<std::pair<int, int>>& groups)
{
    std::string body = std::to_string(seat) + '+' + std::to_string(row);
    for (const auto& [position, tile] : groups)
        body += '+' + std::to_string(position) + '+' + std::to_string(tile);
    return body;
}

std::string ipassBody(int seat)
{
    return std::to_string(seat) + '+';
}

StartgameFields readStartgame(std::string_view body)
{
    FieldReader r(body);
    StartgameFields f;
    f.name = std::string(r.field().value_or(""));
    f.playto = r.number().value_or(5);
    f.secondsperturn = r.number().value_or(60);
    return f;
}

std::optional<MywordFields> readMyword(std::string_view body)
{
    FieldReader r(body);
    MywordFields f;
    auto seat = r.number();
    auto row = r.number();
    if (!seat || !row)
        return std::nullopt;
    f.seat = *seat;
    f.row = *row;
    if (r.atEnd()) // a word of the first letter alone, as a computer sends it
        return f;
    auto groups = r.groups(2);
    if (!groups)
        return std::nullopt;
    f.groups = groups->size();
    for (const auto& g : *groups) {
        // The position field is not used; the tile numbers are read up to
        // the first 0, after which the client only pads.
        auto tile = parseNumber(g[1]);
        if (!tile)
            return std::nullopt;
        if (*tile == 0)
            break;
        f.tiles.push_back(*tile);
    }
    return f;
}

std::optional<int> readIpass(std::string_view body)
{
    FieldReader r(body);
    return r.number();
}

} // namespace glypharo::gamemsg
