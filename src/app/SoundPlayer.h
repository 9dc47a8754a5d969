#pragma once

#include "app/WaveClip.h"
#include "client/SoundSink.h"

#include <QBuffer>
#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>

class QAudioSink;

namespace glypharo {

// Plays the sound resources ":/sounds/<NAME>.wav" by name, asynchronously.
// Each sound is read once, the first time it is asked for; a new sound cuts
// off the one playing. A name without a resource plays nothing and reports
// nothing. Without an audio device nothing is played and nothing waits.
//
// The samples go to a QAudioSink of our own rather than through
// QSoundEffect, whose shared sample cache in Qt 6.4 can deadlock the
// process at exit while a sound is still loading.
class SoundPlayer : public QObject, public SoundSink {
    Q_OBJECT
public:
    explicit SoundPlayer(QString folder = QStringLiteral(":/sounds"), QObject* parent = nullptr);
    ~SoundPlayer() override;

    void play(const std::string& name) override;
    void stop();

    const std::string& current() const { return current_; }
    std::size_t loadedCount() const { return clips_.size(); }

private:
    const WaveClip* clipFor(const std::string& resource);

    QString folder_;
    std::map<std::string, std::optional<WaveClip>> clips_;
    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    std::string current_;
};

} // namespace glypharo
