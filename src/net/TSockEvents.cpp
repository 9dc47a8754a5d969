// Readiness plumbing: QSocketNotifiers on the handle, turned into the
// socket's events in the order its callers rely on.
//
// Which readiness is watched, and why it cannot spin:
// - a listening socket watches readability (FD_ACCEPT); after raising
//   OnAccept it stops watching until Accept takes the connection;
// - a datagram socket watches readability (FD_READ); after raising OnRead it
//   stops watching until ReceiveDatagram takes the datagram;
// - a stream socket watches writability while connecting (FD_CONNECT) and,
//   once connected, readability always (FD_READ and FD_CLOSE, read at once)
//   and writability only while the send buffer holds bytes (FD_WRITE).
// OnWrite is therefore raised after each flush of a pending send buffer,
// never on an idle connection.
//
// Urgent (out-of-band) data is not watched: the game never sends it, and
// errors surface through readability and writability.
#include "net/TSock.h"

#include "net/TSockLookup.h"

#include <QLoggingCategory>
#include <QMetaMethod>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>

namespace glypharo {
namespace {

Q_LOGGING_CATEGORY(lcNet, "glypharo.net", QtWarningMsg)

TSock::EventErrorHook& eventErrorHook()
{
    static TSock::EventErrorHook hook;
    return hook;
}

void eventFailed(const char* message)
{
    try {
        if (eventErrorHook())
            eventErrorHook()(message);
        else
            qCWarning(lcNet, "socket event handler failed: %s", message);
    } catch (...) {
        qCWarning(lcNet, "socket event error hook failed");
    }
}

void setNonBlocking(int fd, bool nonBlocking)
{
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, nonBlocking ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK));
}

} // namespace

TSock::EventErrorHook TSock::setEventErrorHook(EventErrorHook hook)
{
    EventErrorHook previous = std::move(eventErrorHook());
    eventErrorHook() = std::move(hook);
    return previous;
}

// Every readiness slot runs through here: nothing a handler throws may
// reach the event loop.
template <class Event> void TSock::guarded(Event&& event)
{
    try {
        event();
    } catch (const std::exception& e) {
        eventFailed(e.what());
    } catch (...) {
        eventFailed("Unknown exception");
    }
}

void TSock::applyBlocking()
{
    if (handle_ == kInvalidHandle)
        return;
#ifdef SO_NOSIGPIPE
    const int on = 1;
    ::setsockopt(handle_, SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof on);
#endif
    // A listener always works by notification, whatever Blocking says.
    const bool notified = listen_ || !blocking_;
    setNonBlocking(handle_, notified);
    if (notified)
        createNotifiers();
    else
        dropNotifiers();
    if (connecting_ && pendingConnectError_ != 0) {
        // The refusal came with the connect call itself; deliver it as the
        // notification it would have been, once the caller is back.
        QTimer::singleShot(0, this, [this, fd = handle_] {
            if (handle_ == fd && connecting_)
                guarded([this] { onConnectReady(); });
        });
    }
}

void TSock::createNotifiers()
{
    if (readNotifier_ == nullptr) {
        readNotifier_ = new QSocketNotifier(handle_, QSocketNotifier::Read, this);
        connect(
            readNotifier_, &QSocketNotifier::activated, this, [this] { guarded([this] { onReadReady(); }); });
    }
    if (writeNotifier_ == nullptr) {
        writeNotifier_ = new QSocketNotifier(handle_, QSocketNotifier::Write, this);
        connect(writeNotifier_, &QSocketNotifier::activated, this,
            [this] { guarded([this] { onWriteReady(); }); });
    }
    updateNotifiers();
}

void TSock::dropNotifiers()
{
    // deleteLater: this may run inside one of the notifiers' own signals.
    for (QSocketNotifier** n : {&readNotifier_, &writeNotifier_}) {
        if (*n == nullptr)
            continue;
        (*n)->setEnabled(false);
        (*n)->disconnect(this);
        (*n)->deleteLater();
        *n = nullptr;
    }
}

void TSock::updateNotifiers()
{
    if (readNotifier_ == nullptr || writeNotifier_ == nullptr)
        return;
    bool read = false;
    bool write = false;
    if (listen_)
        read = readArmed_;
    else if (socketType_ == TSocketType::stDatagram)
        read = connected_ && readArmed_;
    else {
        read = connected_;
        write = connecting_ || (connected_ && !sendBuf_.isEmpty() && !sendBroken_);
    }
    readNotifier_->setEnabled(read);
    writeNotifier_->setEnabled(write);
}

void TSock::onReadReady()
{
    if (handle_ == kInvalidHandle)
        return;
    if (listen_)
        onAcceptReady();
    else if (socketType_ == TSocketType::stDatagram)
        onDatagramReadable();
    else if (connected_)
        onStreamReadable();
}

void TSock::onWriteReady()
{
    if (handle_ == kInvalidHandle)
        return;
    if (connecting_) {
        onConnectReady();
        return;
    }
    if (!connected_ || socketType_ != TSocketType::stStream || sendBuf_.isEmpty()) {
        updateNotifiers();
        return;
    }
    const QPointer<TSock> self(this);
    Send(QByteArray());
    if (!self)
        return;
    report(TSocketInfo::infoSend, "Non-Blocking Outgoing Data");
    if (self)
        emit OnWrite(this);
}

void TSock::onConnectReady()
{
    int err = pendingConnectError_;
    if (err == 0) {
        socklen_t length = sizeof err;
        if (::getsockopt(handle_, SOL_SOCKET, SO_ERROR, &err, &length) != 0)
            err = errno;
    }
    connecting_ = false;
    pendingConnectError_ = 0;
    if (err != 0) {
        // The handle stays (as a refused socket does) but is watched no more.
        updateNotifiers();
        report(TSocketInfo::infoError, QByteArray::fromStdString(sockErrorText(wsaErrorFromErrno(err))));
        return;
    }
    connected_ = true;
    updateNotifiers();
    const QPointer<TSock> self(this);
    report(TSocketInfo::infoConnect, "Non-Blocking Socket Connected");
    if (self)
        emit OnConnect(this);
}

void TSock::onStreamReadable()
{
    char scratch[kScratchSize];
    ssize_t got = 0;
    do
        got = ::recv(handle_, scratch, sizeof scratch, 0);
    while (got < 0 && errno == EINTR);
    const QPointer<TSock> self(this);
    if (got > 0) {
        recvBuf_.append(scratch, got);
        report(TSocketInfo::infoReceive, "Non-Blocking Incoming Data");
        if (self)
            emit OnRead(this, static_cast<int>(recvBuf_.size()));
        return;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return;
    if (got < 0) {
        // A broken connection (reset, timed out) is reported, then ended like
        // a closed one, so that its owner hears "Socket Closed" and frees it.
        const int code = wsaErrorFromErrno(errno);
        try {
            report(TSocketInfo::infoError, QByteArray::fromStdString(sockErrorText(code)));
        } catch (...) {
            if (self)
                peerClosed();
            throw;
        }
        if (!self)
            return;
    }
    peerClosed();
}

void TSock::peerClosed()
{
    const QPointer<TSock> self(this);
    const int fd = handle_;
    // Closed even when the handler throws, and only once when the handler
    // has closed it already.
    const auto closeIfStillOpen = [&] {
        if (self && fd != kInvalidHandle && handle_ == fd)
            Close();
    };
    try {
        emit OnDisconnect(this);
    } catch (...) {
        closeIfStillOpen();
        throw;
    }
    closeIfStillOpen();
}

void TSock::onDatagramReadable()
{
    readArmed_ = false;
    updateNotifiers();
    emit OnRead(this, static_cast<int>(recvBuf_.size()));
}

void TSock::onAcceptReady()
{
    readArmed_ = false;
    updateNotifiers();
    static const QMetaMethod onAutoAccept = QMetaMethod::fromSignal(&TSock::OnAutoAccept);
    if (!(autoAccept_ && isSignalConnected(onAutoAccept))) {
        emit OnAccept(this);
        return;
    }
    std::uint32_t address = 0;
    std::uint16_t port = 0;
    const int fd = acceptPending(address, port);
    if (fd < 0)
        return;
    TSock* sock = adoptAccepted(fd, address, port);
    // In blocking mode too the handler runs here rather than on a thread of
    // its own: the new socket, its notifiers and every handler belong to this
    // thread, and running the handler elsewhere would race every other event
    // of the same objects.
    emit OnAutoAccept(this, sock);
}

} // namespace glypharo
