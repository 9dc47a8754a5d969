#pragma once

#include "client/ClientObserver.h"

#include <string>
#include <utility>
#include <vector>

namespace glypharo::fakes {

// Records everything the client model reports. `events` keeps all effects
// in order as short texts ("send CMD_ipass+2+", "sound tick", "chat 0+..",
// "box Game is full", "close", "loadinifile"); the lists below keep each
// kind on its own.
class RecordingClientObserver : public ClientObserver {
public:
    void changed(ChangeSet what) override { changes.push_back(what); }
    void playGameSound(const std::string& name) override;
    void playPlayerSound(const std::string& name) override;
    void addChatLine(const std::string& line, ChatColour colour) override;
    void sendMessage(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void closeWindow() override;
    void loadinifile() override;
    void debugLog(const std::string& text) override { debug.push_back(text); }

    // Forgets everything recorded so far.
    void clear();

    std::vector<std::string> events;
    std::vector<std::string> sent;
    std::vector<std::string> sounds;
    std::vector<std::string> playerSounds;
    std::vector<std::pair<std::string, ChatColour>> chat;
    std::vector<std::string> boxes;
    std::vector<std::string> debug;
    std::vector<ChangeSet> changes;
    int closes = 0;
    int inifileReads = 0;
};

// A tally that records the words and games it is given.
class RecordingTally : public TallySink {
public:
    int bestWordThreshold() override { return best; }
    void addword(const std::string& word, int points, int column) override;
    void addgame(const std::string& winner) override { games.push_back(winner); }

    struct Word {
        std::string word;
        int points;
        int column;
    };
    int best = 0;
    std::vector<Word> words;
    std::vector<std::string> games;
};

} // namespace glypharo::fakes
