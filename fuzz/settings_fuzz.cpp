// Input: the bytes of the settings file "vexmoorlobby.ini", which the lobby
// program shares and a person may edit. Reading must never fail on them,
// must give values in the ranges the windows expect, and what a read gives
// must survive our own save and the next read unchanged.

#include "app/GameSettings.h"
#include "app/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using namespace glypharo;

std::string scratchPath()
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/settings-fuzz-" + std::to_string(::getpid()) + ".ini";
}

bool sameStored(const GameSettings& a, const GameSettings& b)
{
    return a.textsize == b.textsize && a.top == b.top && a.left == b.left && a.width == b.width
        && a.height == b.height && a.textcolor == b.textcolor && a.playtoscore == b.playtoscore
        && a.timeperturn == b.timeperturn && a.botspeed == b.botspeed && a.turnsound == b.turnsound
        && a.playsounds == b.playsounds && a.playerphrasesounds == b.playerphrasesounds
        && a.phrases == b.phrases;
}

void checkRanges(const GameSettings& s)
{
    if (s.botspeed != 500 && s.botspeed != 1000 && s.botspeed != 2000)
        std::abort();
    if (s.playtoscore < kPlayToMin || s.playtoscore > kPlayToMax)
        std::abort();
    if (s.timeperturn < kTimeMin || s.timeperturn > kTimeMax)
        std::abort();
    if (s.turnsound != 0 && s.turnsound != 1)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = scratchPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    const SettingsFile file(path);
    GameSettings first;
    file.loadinifile(first);
    checkRanges(first);
    if (file.readBotspeed() != first.botspeed)
        std::abort();
    if (file.saveinifile(first)) {
        GameSettings again;
        file.loadinifile(again);
        if (!sameStored(first, again))
            std::abort();
    }
    std::remove(path.c_str());
    return 0;
}
