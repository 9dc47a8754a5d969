#include "net/TSock.h"

#include "net/TSockLookup.h"
#include "net/TSockStream.h"

#include <QMetaMethod>
#include <QPointer>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace glypharo {
namespace {

sockaddr_in makeAddress(std::uint32_t address, std::uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = address;
    a.sin_port = port;
    return a;
}

std::string text(const QByteArray& bytes)
{
    return bytes.toStdString();
}

} // namespace

TSock::TSock(QObject* owner)
    : QObject(owner)
    , stream_(std::make_unique<TSockStream>(*this))
{
}

TSock::TSock(TSock* listener, int handle, std::uint32_t peerAddress, std::uint16_t peerPort)
    : QObject(listener)
    , blocking_(listener->blocking_)
    , blockingTimeout_(listener->blockingTimeout_)
    , handle_(handle)
    , connected_(true)
    , peerAddress_(peerAddress)
    , peerPort_(peerPort)
    , stream_(std::make_unique<TSockStream>(*this))
{
    // The listener's handlers serve its accepted sockets: forward the events
    // they are copied for (OnConnect and the accept events are not).
    copiedHandlers_ = {
        connect(this, &TSock::OnRead, listener, &TSock::OnRead),
        connect(this, &TSock::OnWrite, listener, &TSock::OnWrite),
        connect(this, &TSock::OnDisconnect, listener, &TSock::OnDisconnect),
        connect(this, &TSock::OnInfo, listener, &TSock::OnInfo),
    };
    applyBlocking();
}

TSock::~TSock()
{
    // A socket being destroyed reports nothing: its owner is the one ending
    // it, and a handler reacting to the report could reach a dying object.
    dropNotifiers();
    if (handle_ != kInvalidHandle)
        ::close(handle_);
}

void TSock::DropCopiedHandlers()
{
    for (const auto& c : std::as_const(copiedHandlers_))
        disconnect(c);
    copiedHandlers_.clear();
}

// --- reporting ---------------------------------------------------------------

void TSock::report(TSocketInfo info, const QByteArray& msg)
{
    static const QMetaMethod onInfo = QMetaMethod::fromSignal(&TSock::OnInfo);
    if (!isSignalConnected(onInfo))
        return;
    try {
        emit OnInfo(this, info, msg);
    } catch (...) {
        throw ESockException("Error here");
    }
}

std::uint32_t TSock::lookupHost(const QByteArray& name)
{
    report(TSocketInfo::infoLookup, "Lookup Of Host " + name);
    return sockLookup::hostAddress(text(name));
}

std::uint16_t TSock::lookupPort(const QByteArray& name)
{
    report(TSocketInfo::infoLookup, "Lookup Of Port " + name);
    return sockLookup::portNumber(text(name), socketType_ == TSocketType::stDatagram);
}

// --- properties --------------------------------------------------------------

void TSock::setSocketType(TSocketType type)
{
    if (listen_)
        throw ESockException("SocketType - Can't Assign Socket Type While Listening");
    // A handle still connecting is as bound to its type as a connected one.
    if (handle_ != kInvalidHandle)
        throw ESockException("SocketType - Can't Assign Socket Type While Connected");
    socketType_ = type;
}

void TSock::setHostName(const QByteArray& name)
{
    hostName_ = name;
    if (!connected_)
        return;
    if (socketType_ == TSocketType::stStream)
        report(TSocketInfo::infoLookup, "Setting HostName While Connected Has No Effect");
    else
        targetAddress_ = lookupHost(name);
}

void TSock::setPortName(const QByteArray& name)
{
    portName_ = name;
    if (connected_)
        report(TSocketInfo::infoLookup, "Setting PortName While Connected Has No Effect");
}

void TSock::setBlocking(bool blocking)
{
    blocking_ = blocking;
    applyBlocking();
}

void TSock::setListen(bool listen)
{
    if (handle_ != kInvalidHandle && !listen_)
        throw ESockException("Listen - Socket Already In Use");
    if (listen && socketType_ == TSocketType::stDatagram)
        throw ESockException("Listen - Cannot Listen On A Datagram Socket");
    if (!listen) {
        listen_ = false;
        Close();
        report(TSocketInfo::infoListen, "Listening Stopped");
        return;
    }
    if (listen_) {
        report(TSocketInfo::infoListen, "Listening Already Running");
        return;
    }
    const std::uint16_t port = lookupPort(portName_);
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw ESockException("Listen - Error Binding Socket");
    // A restarted host must get its port back at once, not after TIME_WAIT.
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    const sockaddr_in any = makeAddress(htonl(INADDR_ANY), port);
    const char* failure = nullptr;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0)
        failure = "Listen - Error Binding Socket";
    else if (::listen(fd, 5) != 0)
        failure = "Listen - Error Starting Listen";
    if (failure) {
        // The handle goes too, so the socket stays idle and can try again.
        ::close(fd);
        throw ESockException(failure);
    }
    handle_ = fd;
    targetAddress_ = any.sin_addr.s_addr;
    targetPort_ = port;
    listen_ = true;
    readArmed_ = true;
    createNotifiers();
    report(TSocketInfo::infoListen, "Listening Started");
}

// --- open and close ------------------------------------------------------------

bool TSock::Open()
{
    if (handle_ != kInvalidHandle)
        return connected_;
    const bool datagram = socketType_ == TSocketType::stDatagram;
    // Look-ups come before the handle exists, so a name that cannot be found
    // leaves the socket idle rather than holding a handle that goes nowhere.
    const std::uint16_t port = lookupPort(portName_);
    const std::uint32_t address = lookupHost(datagram ? QByteArray() : hostName_);
    const int fd = ::socket(AF_INET, (datagram ? SOCK_DGRAM : SOCK_STREAM) | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        report(TSocketInfo::infoError, QByteArray::fromStdString(sockErrorText(wsaErrorFromErrno(errno))));
        return false;
    }
    handle_ = fd;
    targetAddress_ = address;
    targetPort_ = port;
    connected_ = connecting_ = sendBroken_ = false;
    pendingConnectError_ = 0;
    readArmed_ = true;
    if (datagram)
        openDatagram();
    else
        openStream();
    return connected_;
}

void TSock::openStream()
{
    const sockaddr_in target = makeAddress(targetAddress_, targetPort_);
    if (!blocking_) {
        connecting_ = true;
        applyBlocking();
        // Completion (or refusal) arrives with writability; an error the call
        // gives at once is kept for that moment.
        if (::connect(handle_, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0
            && errno != EINPROGRESS && errno != EINTR)
            pendingConnectError_ = errno;
        return;
    }
    applyBlocking();
    if (::connect(handle_, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        report(TSocketInfo::infoClose, "Blocking Socket Can't Connect");
        Close();
        return;
    }
    connected_ = true;
    report(TSocketInfo::infoConnect, "Blocking Socket Connected");
    emit OnConnect(this);
}

void TSock::openDatagram()
{
    const sockaddr_in target = makeAddress(targetAddress_, targetPort_);
    if (::bind(handle_, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        // Report why and let go of the handle, so a later Open can retry.
        const int code = wsaErrorFromErrno(errno);
        closeHandle();
        report(TSocketInfo::infoError, QByteArray::fromStdString(sockErrorText(code)));
        return;
    }
    connected_ = true;
    applyBlocking();
    report(TSocketInfo::infoConnect, "Datagram Socket Connected");
    emit OnConnect(this);
}

void TSock::closeHandle()
{
    dropNotifiers();
    handle_ = kInvalidHandle;
    connected_ = connecting_ = false;
    // Unsent bytes belonged to the connection that ended; they must not go to
    // the next one. Received bytes stay for Receive.
    sendBuf_.clear();
}

bool TSock::Close()
{
    const int fd = handle_;
    closeHandle();
    const bool closed = fd != kInvalidHandle && ::close(fd) == 0;
    const bool wasListening = listen_;
    listen_ = false;
    if (!wasListening) {
        try {
            report(TSocketInfo::infoClose, "Socket Closed");
        } catch (...) {
            // A failing handler must not undo a close that has happened.
        }
    }
    return closed;
}

QByteArray TSock::PeerHostName() const
{
    return QByteArray::fromStdString(sockLookup::dottedAddress(peerAddress_));
}

quint16 TSock::LocalPort() const
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (handle_ == kInvalidHandle
        || ::getsockname(handle_, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return 0;
    return ntohs(local.sin_port);
}

// --- accept ----------------------------------------------------------------------

int TSock::acceptPending(std::uint32_t& address, std::uint16_t& port)
{
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    int fd = -1;
    do
        fd = ::accept4(handle_, reinterpret_cast<sockaddr*>(&peer), &length, SOCK_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    // The next pending connection raises its own event.
    readArmed_ = true;
    updateNotifiers();
    if (fd >= 0) {
        address = peer.sin_addr.s_addr;
        port = peer.sin_port;
    }
    return fd;
}

TSock* TSock::adoptAccepted(int handle, std::uint32_t address, std::uint16_t port)
{
    peerAddress_ = address;
    peerPort_ = port;
    auto* sock = new TSock(this, handle, address, port);
    sock->portName_ = portName_;
    sock->hostName_ = PeerHostName();
    return sock;
}

bool TSock::Accept(TSock*& newSock)
{
    newSock = nullptr;
    if (!listen_)
        throw ESockException("Accept - Socket Not In Listening Mode");
    if (blocking_)
        report(TSocketInfo::infoAccept, "Blocking Accept");
    std::uint32_t address = 0;
    std::uint16_t port = 0;
    const int fd = acceptPending(address, port);
    if (fd < 0) {
        report(TSocketInfo::infoAccept, "Could Not Accept Connection");
        return false;
    }
    newSock = adoptAccepted(fd, address, port);
    report(TSocketInfo::infoAccept, "Created New TSock Structure");
    return true;
}

} // namespace glypharo
