#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace glypharo {

// The player's preferences from the "Glypharo" section of the settings file,
// held in one place. The initial values are the designed states the menus
// and dialogs show before the file is first read; the file's own defaults
// (used when a key is missing) are applied by loadinifile.
struct GameSettings {
    int textsize = 10;
    int top = 3;
    int left = 3;
    int width = 772;
    int height = 535;
    std::uint32_t textcolor = 0; // 0x00BBGGRR, black
    int playtoscore = 100;
    int timeperturn = 60;
    int botspeed = 1000; // 2000 slow, 1000 normal, 500 fast
    int turnsound = 0; // 0 classic ("turn"), 1 new ("turnnew")
    bool playerphrasesounds = true;
    bool playsounds = true;
    std::array<std::string, 9> phrases{"Way To Go!", "Good One!", "Nice Try!", "Excellent!", "Brilliant!",
        "Wow, WTG!", "Thanks!", "Way To Go Teamie!", "Good Game Everyone!"};
    bool showhelp = false; // set by a read whose "Help" key was "1"
};

// Ranges of the game start dialog's two controls.
inline constexpr int kPlayToMin = 50;
inline constexpr int kPlayToMax = 500;
inline constexpr int kTimeMin = 30;
inline constexpr int kTimeMax = 120;
inline constexpr int kTimeStep = 5;

} // namespace glypharo
