#include "fakes/RecordingClientObserver.h"

namespace glypharo::fakes {

void RecordingClientObserver::playGameSound(const std::string& name)
{
    sounds.push_back(name);
    events.push_back("sound " + name);
}

void RecordingClientObserver::playPlayerSound(const std::string& name)
{
    playerSounds.push_back(name);
    events.push_back("player sound " + name);
}

void RecordingClientObserver::addChatLine(const std::string& line, ChatColour colour)
{
    chat.emplace_back(line, colour);
    events.push_back("chat " + line);
}

void RecordingClientObserver::sendMessage(const std::string& text)
{
    sent.push_back(text);
    events.push_back("send " + text);
}

void RecordingClientObserver::showMessage(const std::string& text)
{
    boxes.push_back(text);
    events.push_back("box " + text);
}

void RecordingClientObserver::closeWindow()
{
    ++closes;
    events.push_back("close");
}

void RecordingClientObserver::loadinifile()
{
    ++inifileReads;
    events.push_back("loadinifile");
}

void RecordingClientObserver::clear()
{
    events.clear();
    sent.clear();
    sounds.clear();
    playerSounds.clear();
    chat.clear();
    boxes.clear();
    debug.clear();
    changes.clear();
    closes = 0;
    inifileReads = 0;
}

void RecordingTally::addword(const std::string& word, int points, int column)
{
    words.push_back({word, points, column});
    best = points;
}

} // namespace glypharo::fakes
