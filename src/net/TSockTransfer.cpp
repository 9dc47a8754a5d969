// Sending and receiving: the send and receive buffers, blocking and
// non-blocking streams, and datagrams.
#include "net/TSock.h"

#include "net/TSockLookup.h"

#include <QPointer>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace glypharo {
namespace {

#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL; // a vanished peer must not raise SIGPIPE
#else
constexpr int kSendFlags = 0; // SO_NOSIGPIPE is set on the handle instead
#endif

bool transient(int err)
{
    return err == EAGAIN || err == EWOULDBLOCK || err == EINTR;
}

} // namespace

// --- send ----------------------------------------------------------------------

bool TSock::Send(const QByteArray& text)
{
    if (handle_ == kInvalidHandle)
        throw ESockException("Send - Socket Not Connected");
    if (listen_)
        throw ESockException("Send - Cannot Send On A Listener Socket");
    if (socketType_ == TSocketType::stDatagram)
        return SendDatagram(text, hostName_);
    sendBuf_.append(text);
    if (sendBuf_.isEmpty())
        return true;
    if (blocking_)
        return sendBlocking();
    // The send call comes before the report, so that a handler throwing from
    // the report cannot keep the bytes from going out.
    sendPending();
    updateNotifiers();
    if (sendBuf_.size() > kSendBufferLimit)
        return closeOverfull();
    report(TSocketInfo::infoSend, "Non-Blocking Outgoing Data");
    return true;
}

void TSock::sendPending()
{
    const ssize_t taken
        = ::send(handle_, sendBuf_.constData(), static_cast<size_t>(sendBuf_.size()), kSendFlags);
    if (taken > 0)
        sendBuf_.remove(0, taken);
    else if (taken < 0 && !transient(errno))
        // The connection is gone; the read side will see its end. Asking
        // again on every writability would only spin.
        sendBroken_ = true;
}

bool TSock::sendBlocking()
{
    while (!sendBuf_.isEmpty()) {
        const ssize_t taken
            = ::send(handle_, sendBuf_.constData(), static_cast<size_t>(sendBuf_.size()), kSendFlags);
        if (taken < 0) {
            if (errno == EINTR || wsaErrorFromErrno(errno) == sockerr::WSAEINPROGRESS)
                continue;
            // What is left cannot reach this peer any more.
            sendBuf_.clear();
            report(TSocketInfo::infoError, "Socket Error On Send");
            throw ESockException("Send - Socket Error");
        }
        sendBuf_.remove(0, taken);
        report(TSocketInfo::infoSend, "Blocking Outgoing Data");
    }
    return true;
}

bool TSock::closeOverfull()
{
    try {
        report(TSocketInfo::infoError, QByteArray::fromStdString(sockErrorText(sockerr::WSAENOBUFS)));
    } catch (...) {
        Close();
        throw;
    }
    Close();
    return false;
}

// --- receive -------------------------------------------------------------------

QByteArray TSock::Receive(int count)
{
    if (handle_ == kInvalidHandle && recvBuf_.isEmpty())
        throw ESockException("Receive - Socket Not Connected");
    if (listen_)
        throw ESockException("Receive - Cannot Receive On A Listener Socket");
    if (count == 0)
        return {}; // a zero-byte read would look like the peer closing
    if (count < 0)
        count = -1;
    const int readSize = (count == -1 || count > kScratchSize) ? kScratchSize : count;
    if (socketType_ == TSocketType::stDatagram) {
        QByteArray data;
        QByteArray host;
        ReceiveDatagram(data, host);
        return data;
    }
    if (blocking_ && connected_)
        receiveBlocking(readSize);
    return takeReceived(count);
}

bool TSock::waitReadable()
{
    pollfd p{};
    p.fd = handle_;
    p.events = POLLIN;
    const int timeout = blockingTimeout_ < 0 ? -1 : blockingTimeout_ * 1000;
    int ready = 0;
    do
        ready = ::poll(&p, 1, timeout);
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

void TSock::receiveBlocking(int readSize)
{
    if (!waitReadable())
        return;
    report(TSocketInfo::infoReceive, "Blocking Incoming Data");
    QByteArray scratch(readSize, Qt::Uninitialized);
    ssize_t got = 0;
    do
        got = ::recv(handle_, scratch.data(), static_cast<size_t>(readSize), 0);
    while (got < 0 && errno == EINTR);
    if (got < 0) {
        // Bytes received earlier stay buffered for the next Receive.
        const int code = wsaErrorFromErrno(errno);
        report(TSocketInfo::infoError, "Socket Error On Receive");
        throw ESockException(std::string("Receive - Socket Error ") + sockErrorName(code));
    }
    if (got > 0) {
        recvBuf_.append(scratch.constData(), got);
        return;
    }
    try {
        report(TSocketInfo::infoClose, "Socket Disconnected On Receive");
    } catch (...) {
        Close();
        throw;
    }
    const QPointer<TSock> self(this);
    Close();
    if (self)
        emit OnDisconnect(this);
}

QByteArray TSock::takeReceived(int count)
{
    // Never more than asked, in either mode: a stream reader's buffer holds
    // count bytes and the rest waits for the next Receive.
    if (count == -1 || count >= recvBuf_.size()) {
        QByteArray all;
        all.swap(recvBuf_);
        return all;
    }
    QByteArray front = recvBuf_.left(count);
    recvBuf_.remove(0, count);
    return front;
}

// --- datagrams -----------------------------------------------------------------

bool TSock::SendDatagram(const QByteArray& text, const QByteArray& host)
{
    if (handle_ == kInvalidHandle)
        throw ESockException("SendDatagram - Socket Not Connected");
    if (socketType_ == TSocketType::stStream)
        throw ESockException("SendDatagram - Datagram Send Not Supported On Stream Sockets");
    setHostName(host);
    if (text.isEmpty())
        return true;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = targetAddress_;
    target.sin_port = targetPort_;
    return ::sendto(handle_, text.constData(), static_cast<size_t>(text.size()), kSendFlags,
               reinterpret_cast<const sockaddr*>(&target), sizeof target)
        == text.size();
}

void TSock::ReceiveDatagram(QByteArray& text, QByteArray& host)
{
    if (handle_ == kInvalidHandle)
        throw ESockException("ReceiveDatagram - Socket Not Connected");
    if (socketType_ == TSocketType::stStream)
        throw ESockException("ReceiveDatagram - Datagram Receive Not Supported On Stream Sockets");
    text.clear();
    host.clear();
    if (waitReadable()) {
        QByteArray scratch(kScratchSize, Qt::Uninitialized);
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t got = ::recvfrom(
            handle_, scratch.data(), kScratchSize, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &length);
        if (got >= 0) {
            peerAddress_ = from.sin_addr.s_addr;
            peerPort_ = from.sin_port;
            text = scratch.left(got);
            host = PeerHostName();
        }
    }
    // The next datagram raises its own OnRead.
    readArmed_ = true;
    updateNotifiers();
}

} // namespace glypharo
