#include "app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>

namespace glypharo {

// On Unix a relative local-socket name lives in QDir::tempPath(), which
// follows TMPDIR: copies with their own temp folder never meet.

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent)
    , name_(std::move(name))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            s->write("activate\n");
            s->flush();
            Q_EMIT activateRequested();
        }
    });
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOverToFirst()
{
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(500))
        return false;
    // The first copy answers once it has taken the request.
    socket.waitForReadyRead(500);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::becomeFirst()
{
    if (server_.listen(name_))
        return true;
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

bool SingleInstance::holdMutex(const QString& name)
{
    lock_ = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(name));
    lock_->setStaleLockTime(0);
    return lock_->tryLock(0);
}

} // namespace glypharo
