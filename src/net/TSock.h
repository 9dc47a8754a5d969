#pragma once

#include "net/SockErrors.h"
#include "net/TSockStream.h"

#include <QByteArray>
#include <QList>
#include <QMetaObject>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace glypharo {

enum class TSocketType { stStream, stDatagram };
enum class TLineBreak { lbCRLF, lbCR, lbLF, lbSmart };
enum class TSocketInfo {
    infoLookup = 0,
    infoConnect = 1,
    infoClose = 2,
    infoListen = 3,
    infoReceive = 4,
    infoSend = 5,
    infoAccept = 6,
    infoError = 7,
};

// The program's TCP/UDP socket: properties, operations and events over one
// IPv4 socket handle. In non-blocking mode readiness comes from
// QSocketNotifiers on the thread that owns the socket and is turned into the
// events OnConnect, OnRead, OnWrite, OnAccept/OnAutoAccept and OnDisconnect,
// each preceded by its OnInfo report. Texts are byte strings: every byte,
// 0 and 255 included, passes unchanged and nothing is added.
//
// Events are Qt signals whose first argument is the socket they concern.
// A socket born from Accept (a child of the listening socket) forwards its
// OnRead, OnWrite, OnDisconnect and OnInfo to the listener's signals, so the
// listener's handlers serve it too; DropCopiedHandlers() ends that.
//
// Exceptions thrown by handlers never reach the event loop: a socket event
// that fails is handed to the event-error hook (see setEventErrorHook).
class TSock : public QObject {
    Q_OBJECT

public:
    static constexpr int kInvalidHandle = -1;
    static constexpr int kScratchSize = 32768;
    // Unsent bytes beyond this mean the peer has stopped reading: the
    // connection is reported (WSAENOBUFS) and closed instead of growing.
    static constexpr qsizetype kSendBufferLimit = 4 * 1024 * 1024;

    explicit TSock(QObject* owner = nullptr);
    ~TSock() override;

    TSocketType SocketType() const { return socketType_; }
    void setSocketType(TSocketType type);
    QByteArray HostName() const { return hostName_; }
    void setHostName(const QByteArray& name);
    QByteArray PortName() const { return portName_; }
    void setPortName(const QByteArray& name);
    bool Blocking() const { return blocking_; }
    void setBlocking(bool blocking);
    bool AutoAccept() const { return autoAccept_; }
    void setAutoAccept(bool autoAccept) { autoAccept_ = autoAccept; }
    bool Listen() const { return listen_; }
    void setListen(bool listen);
    TLineBreak LineBreak() const { return lineBreak_; }
    void setLineBreak(TLineBreak lineBreak) { lineBreak_ = lineBreak; }
    int BlockingTimeout() const { return blockingTimeout_; }
    void setBlockingTimeout(int seconds) { blockingTimeout_ = seconds; }
    int Tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    bool Open();
    bool Close();
    bool Send(const QByteArray& text);
    QByteArray Receive(int count);
    QByteArray ReceiveAll() { return Receive(-1); }
    bool Accept(TSock*& newSock);
    bool SendDatagram(const QByteArray& text, const QByteArray& host);
    void ReceiveDatagram(QByteArray& text, QByteArray& host);
    // The peer's address in dotted form (filled by accepting and by datagram
    // receiving; "0.0.0.0" before either).
    QByteArray PeerHostName() const;

    int SocketHandle() const { return handle_; }
    bool Connected() const { return connected_; }
    // The local port the handle is bound to (0 without a handle); lets a
    // listener on PortName "0" tell its clients where it is.
    quint16 LocalPort() const;
    qsizetype ReceiveBufferLength() const { return recvBuf_.size(); }
    qsizetype SendBufferLength() const { return sendBuf_.size(); }
    TSockStream& Stream() { return *stream_; }

    // Stops forwarding this accepted socket's events to the listener.
    void DropCopiedHandlers();

    // Receives the message of every exception that a handler threw out of a
    // socket event (the application shows it in its general error report).
    // The default logs it. Returns the previous hook.
    using EventErrorHook = std::function<void(const char* message)>;
    static EventErrorHook setEventErrorHook(EventErrorHook hook);

signals:
    void OnConnect(glypharo::TSock* sender);
    void OnDisconnect(glypharo::TSock* sender);
    void OnRead(glypharo::TSock* sender, int count);
    void OnWrite(glypharo::TSock* sender);
    void OnAccept(glypharo::TSock* sender);
    void OnAutoAccept(glypharo::TSock* sender, glypharo::TSock* newSock);
    void OnInfo(glypharo::TSock* sender, glypharo::TSocketInfo socketInfo, const QByteArray& msg);

private:
    // Builds the socket of an accepted connection, owned by the listener.
    TSock(TSock* listener, int handle, std::uint32_t peerAddress, std::uint16_t peerPort);

    void report(TSocketInfo info, const QByteArray& msg);
    std::uint32_t lookupHost(const QByteArray& name);
    std::uint16_t lookupPort(const QByteArray& name);
    void openStream();
    void openDatagram();
    int acceptPending(std::uint32_t& address, std::uint16_t& port);
    TSock* adoptAccepted(int handle, std::uint32_t address, std::uint16_t port);
    bool waitReadable();
    void receiveBlocking(int readSize);
    QByteArray takeReceived(int count);
    void sendPending();
    bool sendBlocking();
    bool closeOverfull();
    void closeHandle();

    // Readiness plumbing (TSockEvents.cpp).
    void applyBlocking();
    void createNotifiers();
    void dropNotifiers();
    void updateNotifiers();
    void onReadReady();
    void onWriteReady();
    void onConnectReady();
    void onStreamReadable();
    void onDatagramReadable();
    void onAcceptReady();
    void peerClosed();
    template <class Event> void guarded(Event&& event);

    TSocketType socketType_ = TSocketType::stStream;
    QByteArray hostName_;
    QByteArray portName_;
    bool blocking_ = false;
    bool autoAccept_ = false;
    bool listen_ = false;
    TLineBreak lineBreak_ = TLineBreak::lbSmart;
    int blockingTimeout_ = 0;
    int tag_ = 0;

    int handle_ = kInvalidHandle;
    bool connected_ = false;
    bool connecting_ = false; // non-blocking connect under way
    int pendingConnectError_ = 0; // errno of a connect that failed at once
    bool sendBroken_ = false; // the network refused a send: stop asking
    bool readArmed_ = true; // datagram FD_READ / FD_ACCEPT re-armed by a receive or accept
    QByteArray recvBuf_;
    QByteArray sendBuf_;
    std::uint32_t targetAddress_ = 0; // network byte order
    std::uint16_t targetPort_ = 0;
    std::uint32_t peerAddress_ = 0;
    std::uint16_t peerPort_ = 0;
    QSocketNotifier* readNotifier_ = nullptr;
    QSocketNotifier* writeNotifier_ = nullptr;
    QList<QMetaObject::Connection> copiedHandlers_;
    std::unique_ptr<TSockStream> stream_;
};

} // namespace glypharo

Q_DECLARE_METATYPE(glypharo::TSocketInfo)
