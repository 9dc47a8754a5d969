// Refusals, property rules, listening, look-ups and error names.
#include "SockTestSupport.h"

#include "net/TSockLookup.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <netdb.h>

using namespace glypharo;
using namespace glypharo::test;

namespace {

std::string raised(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ESockException& e) {
        return e.what();
    }
    return "(nothing raised)";
}

// Counts resolver calls and answers from a fixed table, off the network.
struct FakeResolver {
    int calls = 0;
    sockLookup::HostResolver previous;

    FakeResolver()
    {
        sockLookup::clearHostCache();
        previous
            = sockLookup::setHostResolver([this](const std::string& name) -> std::optional<std::uint32_t> {
                  ++calls;
                  if (name == "gamehost.test")
                      return htonl(INADDR_LOOPBACK);
                  return std::nullopt;
              });
    }
    ~FakeResolver()
    {
        sockLookup::setHostResolver(previous);
        sockLookup::clearHostCache();
    }
};

} // namespace

TEST(TSockRules, RefusalsRaiseTheirExactMessages)
{
    Host host;
    TSock connected;
    ASSERT_TRUE(connectTo(host, connected));
    TSock idle;
    TSock datagram;
    datagram.setSocketType(TSocketType::stDatagram);
    TSock* listener = &host.listener;
    QByteArray text;
    QByteArray from;
    TSock* accepted = nullptr;

    struct Case {
        const char* message;
        std::function<void()> action;
    };
    const Case cases[] = {
        {"Send - Socket Not Connected", [&] { idle.Send("x"); }},
        {"Receive - Socket Not Connected", [&] { idle.Receive(5); }},
        {"Receive - Socket Not Connected", [&] { idle.ReceiveAll(); }},
        {"Accept - Socket Not In Listening Mode", [&] { idle.Accept(accepted); }},
        {"Accept - Socket Not In Listening Mode", [&] { connected.Accept(accepted); }},
        {"SendDatagram - Socket Not Connected", [&] { idle.SendDatagram("x", "127.0.0.1"); }},
        {"ReceiveDatagram - Socket Not Connected", [&] { idle.ReceiveDatagram(text, from); }},
        {"Send - Cannot Send On A Listener Socket", [&] { listener->Send("x"); }},
        {"Receive - Cannot Receive On A Listener Socket", [&] { listener->ReceiveAll(); }},
        {"SocketType - Can't Assign Socket Type While Listening",
            [&] { listener->setSocketType(TSocketType::stDatagram); }},
        {"SocketType - Can't Assign Socket Type While Connected",
            [&] { connected.setSocketType(TSocketType::stDatagram); }},
        {"Listen - Socket Already In Use", [&] { connected.setListen(true); }},
        {"Listen - Socket Already In Use", [&] { connected.setListen(false); }},
        {"Listen - Cannot Listen On A Datagram Socket", [&] { datagram.setListen(true); }},
        {"SendDatagram - Datagram Send Not Supported On Stream Sockets",
            [&] { connected.SendDatagram("x", "127.0.0.1"); }},
        {"ReceiveDatagram - Datagram Receive Not Supported On Stream Sockets",
            [&] { connected.ReceiveDatagram(text, from); }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(raised(c.action), c.message);
    EXPECT_TRUE(connected.Connected());
    EXPECT_TRUE(listener->Listen());
}

TEST(TSockRules, ListeningStartsStopsAndRefusesTwice)
{
    TSock sock;
    Recorder rec(sock);
    sock.setPortName("0");
    sock.setListen(true);
    sock.setListen(true);
    EXPECT_TRUE(sock.Listen());
    EXPECT_GT(sock.LocalPort(), 0);
    sock.setListen(false);
    EXPECT_FALSE(sock.Listen());
    EXPECT_EQ(sock.SocketHandle(), TSock::kInvalidHandle);
    EXPECT_EQ(rec.events,
        (std::vector<std::string>{"info:0:Lookup Of Port 0", "info:3:Listening Started",
            "info:3:Listening Already Running", "info:2:Socket Closed", "info:3:Listening Stopped"}));

    // Closing a listener directly reports nothing.
    rec.events.clear();
    sock.setListen(true);
    rec.events.clear();
    EXPECT_TRUE(sock.Close());
    EXPECT_FALSE(sock.Listen());
    EXPECT_TRUE(rec.events.empty());
}

TEST(TSockRules, FailedListenLeavesTheSocketIdle)
{
    RawListener taken;
    TSock sock;
    sock.setPortName(portText(taken.port()));
    EXPECT_EQ(raised([&] { sock.setListen(true); }), "Listen - Error Binding Socket");
    EXPECT_FALSE(sock.Listen());
    EXPECT_EQ(sock.SocketHandle(), TSock::kInvalidHandle);
    sock.setPortName("0");
    sock.setListen(true); // not "Socket Already In Use"
    EXPECT_TRUE(sock.Listen());
}

TEST(TSockRules, SettersWhileConnectedReportAndStore)
{
    Host host;
    TSock client;
    ASSERT_TRUE(connectTo(host, client));
    Recorder rec(client);
    client.setHostName("elsewhere");
    client.setPortName("9001");
    client.setLineBreak(TLineBreak::lbCRLF);
    client.setTag(7);
    EXPECT_EQ(client.HostName(), "elsewhere");
    EXPECT_EQ(client.PortName(), "9001");
    EXPECT_EQ(client.LineBreak(), TLineBreak::lbCRLF);
    EXPECT_EQ(client.Tag(), 7);
    EXPECT_EQ(rec.events,
        (std::vector<std::string>{"info:0:Setting HostName While Connected Has No Effect",
            "info:0:Setting PortName While Connected Has No Effect"}));
    client.Send("ok"); // no line break added
    TSock* server = host.accepted.back();
    ASSERT_TRUE(waitFor([&] { return server->ReceiveBufferLength() == 2; }));
    EXPECT_EQ(server->ReceiveAll(), "ok");
}

TEST(TSockRules, LookupsOfOpenNameTheHostAndPortAndSkipTheResolverForNumbers)
{
    FakeResolver resolver;
    Host host;
    struct Case {
        QByteArray hostName;
        int resolverCalls; // total after this Open
    };
    const Case cases[] = {{"127.0.0.1", 0}, {"gamehost.test", 1}, {"gamehost.test", 1}, {"127.1", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hostName.toStdString());
        TSock client;
        Recorder rec(client);
        client.setHostName(c.hostName);
        client.setPortName(portText(host.port()));
        client.Open();
        ASSERT_TRUE(waitFor([&] { return client.Connected(); }));
        EXPECT_EQ(resolver.calls, c.resolverCalls);
        const std::vector<std::string> expected{"info:0:Lookup Of Port " + std::to_string(host.port()),
            "info:0:Lookup Of Host " + c.hostName.toStdString(), "info:1:Non-Blocking Socket Connected",
            "connect"};
        EXPECT_EQ(rec.events, expected);
    }
}

TEST(TSockRules, LookupFailuresRaiseAndLeaveTheSocketIdle)
{
    FakeResolver resolver;
    struct Case {
        QByteArray hostName;
        QByteArray portName;
        const char* message;
    };
    const Case cases[] = {
        {"127.0.0.1", "no-such-service", "Port Lookup - Could Not Find Service Entry"},
        {"127.0.0.1", "", "Port Lookup - Could Not Find Service Entry"},
        {"127.0.0.1", "77x", "Port Lookup - Could Not Find Service Entry"},
        {"127.0.0.1", "65536", "Port Lookup - Could Not Find Service Entry"},
        {"1.2.3.x", "7772", "Host Lookup - Could Not Find Host Entry"},
        {"nohost.test", "7772", "Host Lookup - Could Not Find Host Entry"},
    };
    for (const auto& c : cases) {
        TSock sock;
        sock.setHostName(c.hostName);
        sock.setPortName(c.portName);
        EXPECT_EQ(raised([&] { sock.Open(); }), c.message)
            << c.hostName.toStdString() << ":" << c.portName.toStdString();
        EXPECT_EQ(sock.SocketHandle(), TSock::kInvalidHandle);
    }
    EXPECT_EQ(resolver.calls, 1); // a digit-first host is never resolved
    EXPECT_THROW(sockLookup::hostAddress("nohost.test"), ESockException);
    EXPECT_EQ(resolver.calls, 2); // a miss is not cached
}

TEST(TSockLookup, PortsByNumberOrService)
{
    struct Case {
        const char* name;
        bool datagram;
        int port;
    };
    const Case cases[] = {{"7772", false, 7772}, {"0", false, 0}, {"65535", true, 65535}, {"007", false, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(ntohs(sockLookup::portNumber(c.name, c.datagram)), c.port) << c.name;
    if (getservbyname("http", "tcp") == nullptr)
        GTEST_SKIP() << "no services database";
    EXPECT_EQ(ntohs(sockLookup::portNumber("http", false)), 80);
    EXPECT_EQ(ntohs(sockLookup::portNumber("domain", true)), 53);
}

TEST(SockErrors, NamesAndErrnoMapping)
{
    const std::map<int, const char*> names{
        {10004, "WSAEINTR"},
        {10009, "WSAEBADF"},
        {10013, "WSAEACCES"},
        {10014, "WSAEFAULT"},
        {10022, "WSAEINVAL"},
        {10024, "WSAEMFILE"},
        {10035, "WSAEWOULDBLOCK"},
        {10053, "WSAECONNABORTED"},
        {10061, "WSAECONNREFUSED"},
        {10071, "WSAEREMOTE"},
        {10091, "WSASYSNOTREADY"},
        {10092, "WSAVERNOTSUPPORTED"},
        {10093, "WSANOTINITIALISED"},
        {10101, "WSAEDISCON"},
        {11001, "WSAHOST_NOT_FOUND"},
        {11004, "WSANO_DATA"},
        {10000, "UNKNOWN ERROR"},
        {10072, "UNKNOWN ERROR"},
        {11005, "UNKNOWN ERROR"},
        {0, "UNKNOWN ERROR"},
    };
    for (const auto& [code, name] : names)
        EXPECT_STREQ(sockErrorName(code), name) << code;

    const std::map<int, int> mapped{
        {ECONNREFUSED, 10061},
        {ECONNRESET, 10054},
        {ETIMEDOUT, 10060},
        {EHOSTUNREACH, 10065},
        {ENETUNREACH, 10051},
        {EADDRINUSE, 10048},
        {EADDRNOTAVAIL, 10049},
        {ECONNABORTED, 10053},
        {ENOTCONN, 10057},
        {EWOULDBLOCK, 10035},
        {EAGAIN, 10035},
        {EINPROGRESS, 10036},
        {EALREADY, 10037},
        {ENOTSOCK, 10038},
        {EMSGSIZE, 10040},
        {EACCES, 10013},
        {EINTR, 10004},
        {EBADF, 10009},
        {EFAULT, 10014},
        {EINVAL, 10022},
        {EMFILE, 10024},
        {EPIPE, 10054},
        {ENOBUFS, 10055},
    };
    for (const auto& [err, code] : mapped)
        EXPECT_EQ(wsaErrorFromErrno(err), code) << err;

    EXPECT_EQ(sockErrorText(wsaErrorFromErrno(ECONNREFUSED)), "Error #10061 (WSAECONNREFUSED)");
    EXPECT_EQ(
        sockErrorText(wsaErrorFromErrno(EPROTO)), "Error #" + std::to_string(EPROTO) + " (UNKNOWN ERROR)");
}
