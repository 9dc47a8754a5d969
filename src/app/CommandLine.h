#pragma once

#include <QStringList>

#include <string>
#include <vector>

namespace glypharo {

// What the command line asks for. The lobby's positional arguments (name,
// host address, "true" to host) keep their meaning; an argument starting
// with "--" is an option of ours and never a player name.
struct CommandLine {
    enum class Mode { Game, Help, Version, Serve, Error };
    Mode mode = Mode::Game;
    QStringList positional;
    int port = 7772;
    std::string error;
};

CommandLine parseCommandLine(const std::vector<std::string>& args);
const char* usageText();

} // namespace glypharo
