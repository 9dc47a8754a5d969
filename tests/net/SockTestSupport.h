#pragma once

// Helpers for socket tests over loopback: an event recorder, bounded waits
// and plain POSIX peers for the cases a TSock peer cannot play (a peer that
// never reads, a tiny receive window).

#include "net/TSock.h"

#include <QByteArray>
#include <QStringList>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

namespace glypharo::test {

constexpr int kWaitMs = 5000;

inline bool waitFor(const std::function<bool()>& done, int ms = kWaitMs)
{
    return QTest::qWaitFor(done, ms);
}

// Logs every event of one socket as text, in order:
// "connect", "disconnect", "read:<count>", "write", "accept",
// "autoaccept", "info:<code>:<msg>".
struct Recorder {
    std::vector<std::string> events;
    std::vector<QByteArray> infos;
    std::function<void(TSock*, int)> onRead;
    std::function<void(TSock*, TSocketInfo, const QByteArray&)> onInfo;
    std::function<void(TSock*)> onAccept;
    std::function<void(TSock*)> onDisconnect;

    explicit Recorder(TSock& sock)
    {
        QObject::connect(&sock, &TSock::OnConnect, [this](TSock*) { events.push_back("connect"); });
        QObject::connect(&sock, &TSock::OnDisconnect, [this](TSock* s) {
            events.push_back("disconnect");
            if (onDisconnect)
                onDisconnect(s);
        });
        QObject::connect(&sock, &TSock::OnRead, [this](TSock* s, int count) {
            events.push_back("read:" + std::to_string(count));
            if (onRead)
                onRead(s, count);
        });
        QObject::connect(&sock, &TSock::OnWrite, [this](TSock*) { events.push_back("write"); });
        QObject::connect(&sock, &TSock::OnAccept, [this](TSock* s) {
            events.push_back("accept");
            if (onAccept)
                onAccept(s);
        });
        QObject::connect(&sock, &TSock::OnInfo, [this](TSock* s, TSocketInfo info, const QByteArray& msg) {
            events.push_back("info:" + std::to_string(static_cast<int>(info)) + ":" + msg.toStdString());
            infos.push_back(msg);
            if (onInfo)
                onInfo(s, info, msg);
        });
    }

    bool has(const std::string& event) const
    {
        for (const auto& e : events)
            if (e == event)
                return true;
        return false;
    }
    int countOf(const std::string& prefix) const
    {
        int n = 0;
        for (const auto& e : events)
            n += e.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }
    // The events from the first one equal to `from`, for order checks.
    std::vector<std::string> from(const std::string& first) const
    {
        for (std::size_t i = 0; i < events.size(); ++i)
            if (events[i] == first)
                return {events.begin() + static_cast<long>(i), events.end()};
        return {};
    }
};

// A port nobody listens on: bound by a throwaway socket, then released.
inline int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

inline QByteArray portText(int port)
{
    return QByteArray::number(port);
}

// A listening TSock on an ephemeral loopback port that accepts every
// connection from OnAccept; the accepted sockets are collected.
struct Host {
    TSock listener;
    Recorder rec{listener};
    std::vector<TSock*> accepted;

    Host()
    {
        listener.setPortName("0");
        rec.onAccept = [this](TSock* s) {
            TSock* sock = nullptr;
            if (s->Accept(sock))
                accepted.push_back(sock);
        };
        listener.setListen(true);
    }
    int port() const { return listener.LocalPort(); }
};

// A TSock client opened to the host, waited on until both ends are connected.
inline bool connectTo(Host& host, TSock& client)
{
    client.setHostName("127.0.0.1");
    client.setPortName(portText(host.port()));
    const std::size_t before = host.accepted.size();
    client.Open();
    return waitFor([&] { return client.Connected() && host.accepted.size() > before; });
}

// A plain POSIX listener with a small receive window, for a peer that reads
// only when told to.
struct RawListener {
    int fd = -1;
    int peer = -1;

    explicit RawListener(int receiveBuffer = 0)
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (receiveBuffer > 0)
            ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd, 5);
    }
    ~RawListener()
    {
        if (peer >= 0)
            ::close(peer);
        ::close(fd);
    }
    int port() const
    {
        sockaddr_in a{};
        socklen_t len = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
        return ntohs(a.sin_port);
    }
    bool acceptPeer()
    {
        return waitFor([&] {
            peer = ::accept4(fd, nullptr, nullptr, SOCK_NONBLOCK);
            return peer >= 0;
        });
    }
    // Reads whatever is there without waiting; appends it to `into`.
    void drain(QByteArray& into) const
    {
        char buf[65536];
        for (;;) {
            const ssize_t n = ::recv(peer, buf, sizeof buf, MSG_DONTWAIT);
            if (n <= 0)
                return;
            into.append(buf, n);
        }
    }
};

} // namespace glypharo::test
