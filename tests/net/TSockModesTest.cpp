// Blocking mode, datagrams, accepting, and handlers that throw.
#include "SockTestSupport.h"

#include <gtest/gtest.h>

using namespace glypharo;
using namespace glypharo::test;

namespace {

// Collects what the event-error hook receives while a test runs.
struct HookedErrors {
    std::vector<std::string> messages;
    TSock::EventErrorHook previous;
    HookedErrors()
    {
        previous = TSock::setEventErrorHook([this](const char* m) { messages.emplace_back(m); });
    }
    ~HookedErrors() { TSock::setEventErrorHook(previous); }
};

} // namespace

TEST(TSockBlocking, OpenSendReceiveAndPeerClose)
{
    Host host;
    TSock client;
    Recorder rec(client);
    client.setBlocking(true);
    client.setBlockingTimeout(2);
    client.setHostName("127.0.0.1");
    client.setPortName(portText(host.port()));
    EXPECT_TRUE(client.Open());
    EXPECT_EQ(rec.events.back(), "connect");
    EXPECT_TRUE(rec.has("info:1:Blocking Socket Connected"));
    ASSERT_TRUE(waitFor([&] { return !host.accepted.empty(); }));
    TSock* server = host.accepted.back();

    EXPECT_TRUE(client.Send(QByteArray("up\xFF")));
    EXPECT_TRUE(rec.has("info:5:Blocking Outgoing Data"));
    ASSERT_TRUE(waitFor([&] { return server->ReceiveBufferLength() == 3; }));

    server->Send("xyz");
    EXPECT_EQ(client.Receive(2), "xy"); // never more than asked
    EXPECT_TRUE(rec.has("info:4:Blocking Incoming Data"));
    client.setBlockingTimeout(0);
    EXPECT_EQ(client.Receive(-1), "z"); // nothing more: the buffered rest at once

    rec.events.clear();
    server->Close();
    client.setBlockingTimeout(2);
    EXPECT_EQ(client.ReceiveAll(), "");
    EXPECT_EQ(rec.events,
        (std::vector<std::string>{"info:4:Blocking Incoming Data", "info:2:Socket Disconnected On Receive",
            "info:2:Socket Closed", "disconnect"}));
    EXPECT_EQ(client.SocketHandle(), TSock::kInvalidHandle);
}

TEST(TSockBlocking, RefusedConnectReportsAndCloses)
{
    TSock client;
    Recorder rec(client);
    client.setBlocking(true);
    client.setHostName("127.0.0.1");
    client.setPortName(portText(freePort()));
    EXPECT_FALSE(client.Open());
    EXPECT_EQ(rec.from("info:2:Blocking Socket Can't Connect"),
        (std::vector<std::string>{"info:2:Blocking Socket Can't Connect", "info:2:Socket Closed"}));
    EXPECT_FALSE(rec.has("connect"));
    EXPECT_EQ(client.SocketHandle(), TSock::kInvalidHandle);
}

TEST(TSockAccept, AcceptCopiesSettingsAndForwardsEventsToTheListener)
{
    Host host;
    host.listener.setBlocking(true);
    host.listener.setBlockingTimeout(3);
    TSock client;
    client.setHostName("127.0.0.1");
    client.setPortName(portText(host.port()));
    client.Open();
    ASSERT_TRUE(waitFor([&] { return !host.accepted.empty(); }));
    TSock* server = host.accepted.back();
    EXPECT_EQ(server->parent(), &host.listener);
    EXPECT_TRUE(server->Connected());
    EXPECT_TRUE(server->Blocking());
    EXPECT_EQ(server->BlockingTimeout(), 3);
    EXPECT_EQ(server->HostName(), "127.0.0.1");
    EXPECT_EQ(server->PortName(), "0");
    EXPECT_EQ(server->PeerHostName(), "127.0.0.1");
    EXPECT_EQ(host.rec.from("info:6:Blocking Accept"),
        (std::vector<std::string>{"info:6:Blocking Accept", "info:6:Created New TSock Structure"}));

    // The listener's handlers hear the accepted socket, named as the sender.
    TSock* infoSender = nullptr;
    QObject::connect(
        &host.listener, &TSock::OnInfo, [&](TSock* s, TSocketInfo, const QByteArray&) { infoSender = s; });
    server->Close();
    EXPECT_EQ(infoSender, server);
    EXPECT_EQ(host.rec.events.back(), "info:2:Socket Closed");
    server->DropCopiedHandlers();
    infoSender = nullptr;
    server->Close();
    EXPECT_EQ(infoSender, nullptr);
}

TEST(TSockAccept, AutoAcceptHandsOverTheNewSocketOnlyWhenAssigned)
{
    for (const bool assigned : {true, false}) {
        SCOPED_TRACE(assigned ? "OnAutoAccept assigned" : "no OnAutoAccept");
        TSock listener;
        Recorder rec(listener);
        listener.setAutoAccept(true);
        listener.setPortName("0");
        std::vector<TSock*> born;
        if (assigned)
            QObject::connect(&listener, &TSock::OnAutoAccept, [&](TSock* s, TSock* sock) {
                EXPECT_EQ(s, &listener);
                born.push_back(sock);
            });
        listener.setListen(true);
        TSock client;
        client.setHostName("127.0.0.1");
        client.setPortName(portText(listener.LocalPort()));
        client.Open();
        ASSERT_TRUE(waitFor([&] { return !born.empty() || rec.has("accept"); }));
        if (assigned) {
            EXPECT_FALSE(rec.has("accept"));
            EXPECT_EQ(born[0]->parent(), &listener);
            EXPECT_TRUE(born[0]->Connected());
            EXPECT_EQ(born[0]->HostName(), "127.0.0.1");
        } else {
            TSock* sock = nullptr;
            EXPECT_TRUE(listener.Accept(sock));
            EXPECT_TRUE(sock->Connected());
        }
    }
}

TEST(TSockDatagram, RoundTripKeepsEveryByteAndNamesTheSender)
{
    TSock udp;
    Recorder rec(udp);
    udp.setSocketType(TSocketType::stDatagram);
    udp.setPortName(portText(freePort()));
    EXPECT_TRUE(udp.Open());
    EXPECT_EQ(rec.from("info:1:Datagram Socket Connected"),
        (std::vector<std::string>{"info:1:Datagram Socket Connected", "connect"}));
    std::vector<QByteArray> texts;
    std::vector<QByteArray> hosts;
    rec.onRead = [&](TSock* s, int count) {
        EXPECT_EQ(count, 0);
        QByteArray text;
        QByteArray host;
        s->ReceiveDatagram(text, host);
        texts.push_back(text);
        hosts.push_back(host);
    };
    const QByteArray first("ping\0\xFF", 6);
    // The datagram goes to HostName at the socket's own port: here, itself.
    EXPECT_TRUE(udp.SendDatagram(first, "127.0.0.1"));
    ASSERT_TRUE(waitFor([&] { return texts.size() == 1; }));
    EXPECT_TRUE(udp.Send("pong"));
    ASSERT_TRUE(waitFor([&] { return texts.size() == 2; }));
    EXPECT_EQ(texts, (std::vector<QByteArray>{first, "pong"}));
    EXPECT_EQ(hosts, (std::vector<QByteArray>{"127.0.0.1", "127.0.0.1"}));
    EXPECT_EQ(udp.PeerHostName(), "127.0.0.1");
    EXPECT_EQ(rec.countOf("read:"), 2);
    EXPECT_TRUE(rec.has("info:0:Lookup Of Host 127.0.0.1"));
}

TEST(TSockHandlers, ThrowingHandlersLeaveTheSocketConsistent)
{
    HookedErrors errors;
    Host host;
    TSock client;
    ASSERT_TRUE(connectTo(host, client));
    TSock* server = host.accepted.back();
    server->DropCopiedHandlers();

    // A failing read report: the bytes stay buffered and the next read counts them.
    bool failIncoming = true;
    Recorder rec(*server);
    rec.onInfo = [&](TSock*, TSocketInfo, const QByteArray& msg) {
        if (failIncoming && msg == "Non-Blocking Incoming Data")
            throw std::runtime_error("handler failed");
    };
    client.Send("ab");
    ASSERT_TRUE(waitFor([&] { return !errors.messages.empty(); }));
    EXPECT_EQ(errors.messages, (std::vector<std::string>{"Error here"}));
    EXPECT_EQ(rec.countOf("read:"), 0);
    failIncoming = false;
    client.Send("c");
    ASSERT_TRUE(waitFor([&] { return rec.has("read:3"); }));
    EXPECT_EQ(server->ReceiveAll(), "abc");

    // A failing send report: Send raises, the bytes still reach the peer.
    Recorder clientRec(client);
    clientRec.onInfo = [](TSock*, TSocketInfo info, const QByteArray&) {
        if (info == TSocketInfo::infoSend)
            throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(client.Send("late"), ESockException);
    ASSERT_TRUE(waitFor([&] { return server->ReceiveBufferLength() == 4; }));
    EXPECT_EQ(server->ReceiveAll(), "late");

    // A failing disconnect handler: the socket is closed all the same.
    rec.onDisconnect = [](TSock*) { throw std::runtime_error("disconnect failed"); };
    client.Close();
    ASSERT_TRUE(waitFor([&] { return server->SocketHandle() == TSock::kInvalidHandle; }));
    EXPECT_EQ(errors.messages.back(), "disconnect failed");
    EXPECT_EQ(rec.events.back(), "info:2:Socket Closed");

    // A failing close report is swallowed by Close itself.
    TSock listener;
    QObject::connect(&listener, &TSock::OnInfo,
        [](TSock*, TSocketInfo, const QByteArray&) { throw std::runtime_error("info failed"); });
    EXPECT_FALSE(listener.Close());
    EXPECT_EQ(server->ReceiveBufferLength(), 0);
}

TEST(TSockHandlers, HandlerMayDeleteTheSocket)
{
    Host host;
    TSock client;
    ASSERT_TRUE(connectTo(host, client));
    TSock* server = host.accepted.back();
    server->DropCopiedHandlers();
    bool deleted = false;
    QObject::connect(server, &TSock::OnRead, [&](TSock* s, int) {
        delete s;
        deleted = true;
    });
    client.Send("bye");
    ASSERT_TRUE(waitFor([&] { return deleted; }));
    QCoreApplication::processEvents();
}
