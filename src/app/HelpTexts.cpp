#include "app/HelpTexts.h"

#include <array>

namespace glypharo {

namespace {
struct Page {
    const char* caption;
    const char* text;
};

const std::array<Page, 8> kPages{{
    {"Overview",
        "Glypharo is a word game for up to six players. Every round the host deals one first letter "
        "for each word row on the board. Players take turns in seat order; on your turn you receive "
        "nine fresh letter tiles and complete one open row by laying tiles after its first letter.\n\n"
        "The host checks every word against its English dictionary. An accepted word finishes the "
        "row and scores the sum of its letter values. When every row is finished the round ends. "
        "A player whose score is above the play-to score and above everybody else's wins the game.\n\n"
        "Up to three more people can join a game to watch and chat. Seats without a person are "
        "played by computer players."},
    {"Connecting",
        "Started without anything on the command line, Glypharo hosts a solo game on your own "
        "computer, with a computer player in the second seat.\n\n"
        "To play with others, the game is started with three values: your name, the host's "
        "address and \"true\" when your copy hosts. For example:\n\n"
        "    glypharo Ann 127.0.0.1 true      (Ann hosts)\n"
        "    glypharo Bob 192.0.2.7 false     (Bob joins Ann's game)\n\n"
        "The host listens on TCP port 7772, so that port must be reachable from the other players' "
        "computers. The first six people take the playing seats; the next three can only watch. "
        "If the host closes the game, every player's window closes too."},
    {"Game Play",
        "When your turn starts you see \"Your Turn.\" and nine tiles in your rack.\n\n"
        "Click a tile to pick it up, then click the empty slot right after a row's first letter to "
        "lay it. Each further letter goes into the next slot of the same row. Click the last letter "
        "you laid to take it back. Clicking a raised tile and then another tile swaps them.\n\n"
        "Submit sends the word to the host (a right click on the board does the same), Clear takes "
        "all your letters back, and Pass gives the turn to the next player. If the host refuses "
        "your word you may try again until your time runs out. The bar above the rack shows the "
        "time left."},
    {"Scoring",
        "A word scores the values of all its letters, the row's first letter included:\n\n"
        "    1 point:   A E I L N O R S T U\n"
        "    3 points:  B C D G H M P\n"
        "    5 points:  F V W Y\n"
        "    7 points:  J K X\n"
        "    10 points: Q Z\n\n"
        "There is no bonus for length, so a short word with a Q or Z can beat a long one. The "
        "game ends after a round in which one player is above the play-to score and ahead of "
        "everybody; a tie at the top means another round."},
    {"Documentation",
        "The board shows up to six word rows. The seat names on the right show who plays; the "
        "arrow marks whose turn it is, and the number beside a name is that player's score. "
        "The \"+\" number shows the points of the last word.\n\n"
        "View Tally keeps your games and wins against the players you choose to follow, and your "
        "best word, from one game to the next. The Spy List shows who is watching. "
        "The host can remove a player or set a seat to watch by right-clicking its name."},
    {"License",
        "Glypharo 1.0.1. Copyright Vexmoor Software.\n\n"
        "The English word list is derived from SCOWL (Spell Checker Oriented Word Lists) by Kevin "
        "Atkinson and others, used under its permissive license; see the word list's README for "
        "the full notice.\n\n"
        "This program is provided as is, without warranty of any kind."},
    {"Options",
        "Options > Play Sounds turns the game's sounds on or off. Player Phrase Sounds decides "
        "whether the sounds other players send are played or shown as a chat line.\n\n"
        "Turn Sound chooses the sound that announces your turn. Bot Speed sets how long the "
        "computer players think before they move (host only).\n\n"
        "Text Color and Text Size change how your chat looks. Scroll Chat Off (Ctrl+S) stops the "
        "chat from following new lines so you can read back. Reset Screen Location puts the "
        "window back in the top-left corner.\n\n"
        "Just Watch lets you sit out: a computer player plays your seat until you switch it off."},
    {"The Lobby",
        "The Vexmoor Lobby is a separate program where players meet and arrange games. It starts "
        "Glypharo for you with the right name and address, and shares its settings file "
        "\"vexmoorlobby.ini\" with the game.\n\n"
        "When you start Glypharo on its own, a window offers to download the lobby, to open it "
        "if you already have it, or to go on playing solo."},
}};
} // namespace

QString helpCaption(int page)
{
    if (page < 1 || page > 8)
        return {};
    return QString::fromLatin1(kPages[static_cast<std::size_t>(page - 1)].caption);
}

QString helpText(int page)
{
    if (page < 1 || page > 8)
        return {};
    return QString::fromLatin1(kPages[static_cast<std::size_t>(page - 1)].text);
}

} // namespace glypharo
