#include "app/SoundPlayer.h"

#include "client/ChatText.h"
#include "widgets/SoundResources.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace glypharo {

SoundPlayer::SoundPlayer(QString folder, QObject* parent)
    : QObject(parent)
    , folder_(std::move(folder))
{
    initSoundResources();
}

SoundPlayer::~SoundPlayer() = default;

QSoundEffect* SoundPlayer::effectFor(const std::string& resource)
{
    if (const auto found = effects_.find(resource); found != effects_.end())
        return found->second.get();
    const QString path
        = folder_ + QLatin1Char('/') + QString::fromStdString(resource) + QStringLiteral(".wav");
    std::unique_ptr<QSoundEffect> effect;
    if (QFile::exists(path)) {
        effect = std::make_unique<QSoundEffect>();
        const QUrl url = path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                           : QUrl::fromLocalFile(path);
        effect->setSource(url);
    }
    return effects_.emplace(resource, std::move(effect)).first->second.get();
}

void SoundPlayer::play(const std::string& name)
{
    const std::optional<std::string> resource = soundResourceName(name);
    if (!resource)
        return;
    QSoundEffect* effect = effectFor(*resource);
    if (effect == nullptr)
        return;
    stop();
    playing_ = effect;
    current_ = *resource;
    // Without an output device there is nothing to play into.
    if (!QMediaDevices::audioOutputs().isEmpty())
        effect->play();
}

void SoundPlayer::stop()
{
    if (playing_ != nullptr)
        playing_->stop();
    playing_ = nullptr;
    current_.clear();
}

} // namespace glypharo
