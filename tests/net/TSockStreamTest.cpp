// Non-blocking stream sockets over loopback: reads, writes, back-pressure,
// closing and the events' order.
#include "SockTestSupport.h"

#include <gtest/gtest.h>

using namespace glypharo;
using namespace glypharo::test;

namespace {

QByteArray pattern(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

} // namespace

TEST(TSockStream, ReadsGroupWhatOneNetworkReadBrings)
{
    struct Case {
        const char* name;
        std::vector<QByteArray> sends; // each waits for the previous to be read
        std::vector<QByteArray> reads; // what each OnRead's ReceiveAll returns
    };
    const Case cases[] = {
        {"two messages in one read",
            {QByteArray("CMD_a+1\xFF"
                        "CMD_b+2\xFF")},
            {QByteArray("CMD_a+1\xFF"
                        "CMD_b+2\xFF")}},
        {"one message over two reads", {"CMD_cha", QByteArray("t+1+hi\xFF")},
            {"CMD_cha", QByteArray("t+1+hi\xFF")}},
        {"zero bytes pass", {QByteArray("\0\0a\0", 4)}, {QByteArray("\0\0a\0", 4)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Host host;
        TSock client;
        ASSERT_TRUE(connectTo(host, client));
        TSock* server = host.accepted.back();
        server->DropCopiedHandlers();
        Recorder rec(*server);
        std::vector<QByteArray> got;
        rec.onRead = [&](TSock* s, int) { got.push_back(s->ReceiveAll()); };
        for (const auto& text : c.sends) {
            const std::size_t before = got.size();
            client.Send(text);
            ASSERT_TRUE(waitFor([&] { return got.size() > before; }));
        }
        EXPECT_EQ(got, c.reads);
        EXPECT_EQ(rec.countOf("info:4:Non-Blocking Incoming Data"), static_cast<int>(c.reads.size()));
    }
}

TEST(TSockStream, TextSentWhileConnectingGoesOutOnceConnected)
{
    Host host;
    TSock client;
    Recorder rec(client);
    client.setHostName("127.0.0.1");
    client.setPortName(portText(host.port()));
    EXPECT_FALSE(client.Open());
    EXPECT_TRUE(client.Send(QByteArray("early\xFF")));
    ASSERT_TRUE(
        waitFor([&] { return !host.accepted.empty() && host.accepted.back()->ReceiveBufferLength() == 6; }));
    EXPECT_EQ(host.accepted.back()->ReceiveAll(), QByteArray("early\xFF"));
    EXPECT_EQ(rec.from("info:1:Non-Blocking Socket Connected").at(1), "connect");
}

TEST(TSockStream, BurstIsReadInPiecesAndCountIsTheBufferedLength)
{
    Host host;
    TSock client;
    ASSERT_TRUE(connectTo(host, client));
    TSock* server = host.accepted.back();
    std::vector<int> counts;
    QObject::connect(server, &TSock::OnRead, [&](TSock*, int count) { counts.push_back(count); });

    const QByteArray burst = pattern(100000);
    client.Send(burst);
    ASSERT_TRUE(waitFor([&] { return server->ReceiveBufferLength() == burst.size(); }));

    ASSERT_GE(counts.size(), 4u);
    int previous = 0;
    for (const int count : counts) {
        EXPECT_GT(count, previous);
        EXPECT_LE(count - previous, TSock::kScratchSize);
        previous = count;
    }
    EXPECT_EQ(counts.back(), burst.size());
    EXPECT_EQ(server->ReceiveAll(), burst);
}

TEST(TSockStream, SendUnderBackPressureFinishesOnWritabilityBeforeOnWrite)
{
    RawListener peer(4096);
    TSock client;
    Recorder rec(client);
    client.setHostName("127.0.0.1");
    client.setPortName(portText(peer.port()));
    client.Open();
    ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
    ASSERT_TRUE(peer.acceptPeer());
    const int small = 4096;
    ::setsockopt(client.SocketHandle(), SOL_SOCKET, SO_SNDBUF, &small, sizeof small);

    std::vector<qsizetype> pendingAtWrite;
    QObject::connect(
        &client, &TSock::OnWrite, [&](TSock* s) { pendingAtWrite.push_back(s->SendBufferLength()); });
    const QByteArray data = pattern(128 * 1024);
    EXPECT_TRUE(client.Send(data));
    const qsizetype pendingAfterSend = client.SendBufferLength();
    EXPECT_GT(pendingAfterSend, 0);
    EXPECT_TRUE(pendingAtWrite.empty());

    // Now the peer reads, with a wider window so the test stays quick.
    const int wide = 1 << 20;
    ::setsockopt(peer.peer, SOL_SOCKET, SO_RCVBUF, &wide, sizeof wide);
    QByteArray received;
    ASSERT_TRUE(waitFor([&] {
        peer.drain(received);
        return received.size() == data.size();
    }));
    EXPECT_EQ(received, data);
    EXPECT_EQ(client.SendBufferLength(), 0);
    ASSERT_FALSE(pendingAtWrite.empty());
    EXPECT_LT(pendingAtWrite.front(), pendingAfterSend);
    EXPECT_EQ(pendingAtWrite.back(), 0);
    // Each writability flushes (one report from Send) and reports once more.
    EXPECT_EQ(rec.countOf("info:5:"), 1 + 2 * static_cast<int>(pendingAtWrite.size()));
}

TEST(TSockStream, PeerThatNeverReadsIsClosedAtTheSendBound)
{
    RawListener peer(4096);
    TSock client;
    Recorder rec(client);
    client.setHostName("127.0.0.1");
    client.setPortName(portText(peer.port()));
    client.Open();
    ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
    ASSERT_TRUE(peer.acceptPeer());

    const QByteArray chunk = pattern(256 * 1024);
    bool lastResult = true;
    for (int i = 0; i < 64 && client.SocketHandle() != TSock::kInvalidHandle; ++i)
        lastResult = client.Send(chunk);

    EXPECT_FALSE(lastResult);
    EXPECT_EQ(client.SocketHandle(), TSock::kInvalidHandle);
    EXPECT_EQ(client.SendBufferLength(), 0);
    const auto tail = rec.from("info:7:Error #10055 (WSAENOBUFS)");
    ASSERT_EQ(tail.size(), 2u);
    EXPECT_EQ(tail[1], "info:2:Socket Closed");
    EXPECT_THROW(client.Send("x"), ESockException);
}

TEST(TSockStream, RefusedConnectReportsTheErrorAndNeverConnects)
{
    TSock client;
    Recorder rec(client);
    client.setHostName("127.0.0.1");
    client.setPortName(portText(freePort()));
    EXPECT_FALSE(client.Open());
    ASSERT_TRUE(waitFor([&] { return rec.countOf("info:7:") > 0; }));
    EXPECT_TRUE(rec.has("info:7:Error #10061 (WSAECONNREFUSED)"));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(rec.has("connect"));
    EXPECT_EQ(rec.countOf("info:7:"), 1); // reported once; the dead handle is not watched
    EXPECT_FALSE(client.Connected());
    EXPECT_TRUE(client.Close());
    EXPECT_EQ(rec.events.back(), "info:2:Socket Closed");
}

TEST(TSockStream, PeerCloseRaisesOnDisconnectThenSocketClosedOnce)
{
    for (const bool handlerCloses : {false, true}) {
        SCOPED_TRACE(handlerCloses ? "handler closes too" : "handler only listens");
        Host host;
        TSock client;
        ASSERT_TRUE(connectTo(host, client));
        TSock* server = host.accepted.back();
        server->DropCopiedHandlers();
        Recorder rec(*server);
        if (handlerCloses)
            rec.onDisconnect = [](TSock* s) { s->Close(); };
        client.Close();
        ASSERT_TRUE(waitFor([&] { return server->SocketHandle() == TSock::kInvalidHandle; }));
        EXPECT_EQ(rec.events, (std::vector<std::string>{"disconnect", "info:2:Socket Closed"}));
        EXPECT_FALSE(server->Connected());
    }
}

TEST(TSockStream, ResetConnectionIsReportedAndEndedLikeAClose)
{
    RawListener peer;
    TSock client;
    Recorder rec(client);
    client.setHostName("127.0.0.1");
    client.setPortName(portText(peer.port()));
    client.Open();
    ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
    ASSERT_TRUE(peer.acceptPeer());
    const linger hard{1, 0}; // close with a reset
    ::setsockopt(peer.peer, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(peer.peer);
    peer.peer = -1;
    ASSERT_TRUE(waitFor([&] { return client.SocketHandle() == TSock::kInvalidHandle; }));
    EXPECT_EQ(rec.from("info:7:Error #10054 (WSAECONNRESET)"),
        (std::vector<std::string>{
            "info:7:Error #10054 (WSAECONNRESET)", "disconnect", "info:2:Socket Closed"}));
}

TEST(TSockStream, ReceiveBufferSurvivesClose)
{
    Host host;
    TSock client;
    ASSERT_TRUE(connectTo(host, client));
    Recorder rec(client);
    host.accepted.back()->Send(QByteArray("hello\xFF"));
    ASSERT_TRUE(waitFor([&] { return rec.has("read:6"); }));
    EXPECT_TRUE(client.Close());
    EXPECT_EQ(client.Receive(2), "he");
    EXPECT_EQ(client.ReceiveAll(), QByteArray("llo\xFF"));
    try {
        client.ReceiveAll();
        ADD_FAILURE() << "no exception";
    } catch (const ESockException& e) {
        EXPECT_STREQ(e.what(), "Receive - Socket Not Connected");
    }
}

TEST(TSockStream, StreamReadsAtMostTheAskedCountAndWrites)
{
    Host host;
    TSock client;
    ASSERT_TRUE(connectTo(host, client));
    TSock* server = host.accepted.back();
    EXPECT_EQ(client.Stream().Write("hello", 5), 5);
    ASSERT_TRUE(waitFor([&] { return server->ReceiveBufferLength() == 5; }));
    char buf[3] = {};
    EXPECT_EQ(server->Stream().Read(buf, 3), 3);
    EXPECT_EQ(QByteArray(buf, 3), "hel");
    EXPECT_EQ(server->Stream().Read(buf, 3), 2);
    EXPECT_EQ(QByteArray(buf, 2), "lo");
    EXPECT_EQ(server->Stream().Seek(10, 0), 0);
}
