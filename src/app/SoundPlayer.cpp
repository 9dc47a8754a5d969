#include "app/SoundPlayer.h"

#include "client/ChatText.h"
#include "widgets/SoundResources.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>

namespace glypharo {

SoundPlayer::SoundPlayer(QString folder, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
{
    initSoundResources();
}

SoundPlayer::~SoundPlayer()
{
    stop();
}

const WaveClip* SoundPlayer::clipFor(const std::string& resource)
{
    auto found = clips_.find(resource);
    if (found == clips_.end()) {
        std::optional<WaveClip> clip;
        QFile file(folder_ + QLatin1Char('/') + QString::fromStdString(resource) + QStringLiteral(".wav"));
        if (file.open(QIODevice::ReadOnly))
            clip = parseWave(file.readAll());
        found = clips_.emplace(resource, std::move(clip)).first;
    }
    return found->second ? &*found->second : nullptr;
}

void SoundPlayer::play(const std::string& name)
{
    const std::optional<std::string> resource = soundResourceName(name);
    if (!resource)
        return;
    const WaveClip* clip = clipFor(*resource);
    if (clip == nullptr)
        return;
    stop();
    current_ = *resource;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return; // nothing to play into
    QAudioFormat format;
    format.setChannelCount(clip->channels);
    format.setSampleRate(clip->sampleRate);
    format.setSampleFormat(clip->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return;
    buffer_.setData(clip->samples);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        // Played to the end: let the device go.
        if (state == QAudio::IdleState && sink_)
            sink_->stop();
    });
    sink_->start(&buffer_);
}

void SoundPlayer::stop()
{
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
    current_.clear();
}

} // namespace glypharo
