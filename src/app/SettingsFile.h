#pragma once

#include "app/GameSettings.h"

#include <string>

namespace glypharo {

// The settings file "vexmoorlobby.ini", shared with the lobby program. Only
// the section "Glypharo" is ours; every other section, key, value, comment
// and their order survive our writes byte for byte. Every operation opens the
// file, works and releases it; nothing is cached.
class SettingsFile {
public:
    static constexpr const char* kFileName = "vexmoorlobby.ini";
    static constexpr const char* kSection = "Glypharo";

    explicit SettingsFile(std::string path)
        : path_(std::move(path))
    {
    }

    // Reads the section into `s` following the file's defaults and fallbacks,
    // then writes "Help" = "2". `s.showhelp` tells whether the
    // quick-instructions panel is due.
    void loadinifile(GameSettings& s) const;
    // Writes every key but the phrases and "Help", in their order. Returns
    // false when the file could not be written (the old file stays intact).
    bool saveinifile(const GameSettings& s) const;
    // The phrase editor's save: "Phrase1".."Phrase9", empty texts included.
    bool savephrases(const std::array<std::string, 9>& phrases) const;
    // Only "Botspeed", read as loadinifile reads it, writing nothing (the
    // headless host has no window whose first reading it would be).
    int readBotspeed() const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace glypharo
