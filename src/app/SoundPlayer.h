#pragma once

#include "client/SoundSink.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <string>

class QSoundEffect;

namespace glypharo {

// Plays the sound resources ":/sounds/<NAME>.wav" by name, asynchronously.
// One QSoundEffect per sound, made the first time it is asked for; a new
// sound cuts off the one playing. A name without a resource plays nothing and
// reports nothing. Without an audio device the effects simply stay silent.
class SoundPlayer : public QObject, public SoundSink {
    Q_OBJECT
public:
    // `folder` is where the NAME.wav files are; the resources by default.
    explicit SoundPlayer(QString folder = QStringLiteral(":/sounds"), QObject* parent = nullptr);
    ~SoundPlayer() override;

    void play(const std::string& name) override;
    // Stops whatever is playing.
    void stop();

    // The name last started, for tests ("" when none).
    const std::string& current() const { return current_; }
    // How many sound objects exist so far.
    std::size_t loadedCount() const { return effects_.size(); }

private:
    QSoundEffect* effectFor(const std::string& resource);

    QString folder_;
    // nullptr marks a name already found to have no sound.
    std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
    QSoundEffect* playing_ = nullptr;
    std::string current_;
};

} // namespace glypharo
