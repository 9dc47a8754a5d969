// The runtime on real loopback sockets: seats follow connections, messages
// go out terminated, a closed socket frees its seat. Waits are bounded.
#include "host/runtime/HostRuntime.h"
#include "host/runtime/QtTimer.h"
#include "net/TSock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace glypharo {
namespace {

void ensureApp()
{
    static int argc = 1;
    static char name[] = "glypharo_host_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // lives for the whole test binary
}

bool waitUntil(const std::function<bool()>& done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A raw protocol client on a TSock.
struct Client {
    explicit Client(quint16 port)
    {
        sock.setHostName("127.0.0.1");
        sock.setPortName(QByteArray::number(port));
        QObject::connect(&sock, &TSock::OnRead, [this](TSock* s, int) { received += s->ReceiveAll(); });
        QObject::connect(&sock, &TSock::OnInfo, [this](TSock*, TSocketInfo, const QByteArray& msg) {
            if (msg == "Socket Closed")
                closed = true;
        });
        sock.Open();
    }
    void send(const QByteArray& text) { sock.Send(text + '\xFF'); }
    bool got(const QByteArray& text) const { return received.contains(text + '\xFF'); }

    TSock sock;
    QByteArray received;
    bool closed = false;
};

class HostRuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        host = std::make_unique<HostRuntime>();
        host->listen(0);
        ASSERT_NE(host->port(), 0);
    }

    std::unique_ptr<HostRuntime> host;
};

TEST_F(HostRuntimeTest, SeatsFollowConnectionsAndClosingFreesThem)
{
    Client ann(host->port());
    ASSERT_TRUE(waitUntil([&] { return ann.got("CMD_sendlogininfo+1"); }));
    ann.send("CMD_logininfo+1+1.0.1+Ann");
    ASSERT_TRUE(waitUntil([&] { return ann.got("CMD_newplayerinfo+1+Ann+0"); }));

    auto bob = std::make_unique<Client>(host->port());
    ASSERT_TRUE(waitUntil([&] { return bob->got("CMD_sendlogininfo+2"); }));
    bob->send("CMD_logininfo+2+1.0.1+Bob");
    ASSERT_TRUE(waitUntil([&] { return bob->got("CMD_existingplayers+1+Ann+0"); }));
    EXPECT_EQ(host->openConnections(), 2);

    bob.reset(); // the peer goes away
    ASSERT_TRUE(waitUntil([&] { return ann.got("CMD_playerdisconnected+2+Bob"); }));
    EXPECT_FALSE(host->server().seats()[2].connected);
    EXPECT_EQ(host->openConnections(), 1);

    Client cy(host->port());
    EXPECT_TRUE(waitUntil([&] { return cy.got("CMD_sendlogininfo+2"); }));
}

TEST_F(HostRuntimeTest, KickClosesTheSocketAndShutdownClosesAll)
{
    Client ann(host->port());
    ASSERT_TRUE(waitUntil([&] { return ann.got("CMD_sendlogininfo+1"); }));
    Client bob(host->port());
    ASSERT_TRUE(waitUntil([&] { return bob.got("CMD_sendlogininfo+2"); }));
    ann.send("CMD_kickhim+1+2+");
    ASSERT_TRUE(waitUntil([&] { return bob.closed; }));
    EXPECT_EQ(host->openConnections(), 1);

    host->shutdown();
    EXPECT_TRUE(waitUntil([&] { return ann.closed; }));
    EXPECT_EQ(host->openConnections(), 0);
    EXPECT_EQ(host->port(), 0);
}

TEST_F(HostRuntimeTest, QueueTimerSleepsWhenIdle)
{
    Client ann(host->port());
    ASSERT_TRUE(waitUntil([&] { return ann.got("CMD_sendlogininfo+1"); }));
    ann.send("CMD_logininfo+1+1.0.1+Ann");
    ann.send("CMD_chat+1+hi");
    ASSERT_TRUE(waitUntil([&] { return ann.got("CMD_chat+1+Ann chats: hi"); }));
    EXPECT_TRUE(host->server().receivedlist().empty());
    EXPECT_FALSE(host->socktimer().isActive());
}

TEST(QtTimerTest, TicksWhileActiveOnly)
{
    ensureApp();
    int ticks = 0;
    QtTimer timer([&] { ++ticks; });
    timer.setInterval(1);
    EXPECT_EQ(timer.interval(), 1);
    EXPECT_FALSE(timer.isActive());
    timer.start();
    EXPECT_TRUE(timer.isActive());
    ASSERT_TRUE(waitUntil([&] { return ticks >= 3; }));
    timer.stop();
    const int seen = ticks;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(ticks, seen);
}

} // namespace
} // namespace glypharo
