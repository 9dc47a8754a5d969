#pragma once

// Shared pieces of the program-level tests: the one QApplication, a test's
// own folders, the message hook, bounded waits, a loopback peer for the
// window's socket, a raw protocol client, and the real windows of the
// program built as main() builds them.

#include "app/AppWindows.h"
#include "app/BoardPanel.h"
#include "app/ClientSession.h"
#include "app/Desktop.h"
#include "app/HostForm.h"
#include "app/SingleInstance.h"
#include "app/Tchat.h"
#include "net/TSock.h"
#include "widgets/ImageButton.h"
#include "widgets/TileView.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace glypharo::apptest {

// Message boxes shown since the last clear; no modal box ever blocks a test.
inline std::vector<QString>& shownMessages()
{
    static std::vector<QString> shown;
    return shown;
}

// The QApplication of the test binary, created on first use (offscreen).
inline void ensureApp()
{
    static int argc = 1;
    static char name[] = "glypharo_app_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv); // lives as long as the test binary
    }
    setMessageHook([](const QString& text) { shownMessages().push_back(text); });
}

inline bool waitUntil(const std::function<bool()>& done, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// The messages of a byte stream, split at the terminator.
inline std::vector<std::string> splitTerminated(const QByteArray& bytes)
{
    std::vector<std::string> out;
    QList<QByteArray> parts = bytes.split('\xFF');
    parts.removeLast(); // what follows the last terminator is not a message yet
    for (const QByteArray& part : parts)
        if (!part.isEmpty())
            out.push_back(part.toStdString());
    return out;
}

inline bool holdsMessage(const QByteArray& received, const QByteArray& message)
{
    return received.startsWith(message + '\xFF') || received.contains('\xFF' + message + '\xFF');
}

// GLYPHARO_HOME, TMPDIR and the current folder of one test, under one
// temporary folder that is removed afterwards.
class TestFolders {
public:
    TestFolders()
        : old_cwd_(QDir::currentPath())
        , old_home_(qgetenv("GLYPHARO_HOME"))
        , old_tmp_(qgetenv("TMPDIR"))
    {
        QDir root(dir_.path());
        for (const char* sub : {"home", "tmp", "work"})
            root.mkpath(QString::fromLatin1(sub));
        qputenv("GLYPHARO_HOME", home().toLocal8Bit());
        qputenv("TMPDIR", root.filePath(QStringLiteral("tmp")).toLocal8Bit());
        QDir::setCurrent(root.filePath(QStringLiteral("work")));
    }
    ~TestFolders()
    {
        QDir::setCurrent(old_cwd_);
        restore("GLYPHARO_HOME", old_home_);
        restore("TMPDIR", old_tmp_);
    }
    TestFolders(const TestFolders&) = delete;
    TestFolders& operator=(const TestFolders&) = delete;

    QString home() const { return QDir(dir_.path()).filePath(QStringLiteral("home")); }
    QString settingsPath() const { return QDir(home()).filePath(QStringLiteral("vexmoorlobby.ini")); }

private:
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir dir_;
    QString old_cwd_;
    QByteArray old_home_;
    QByteArray old_tmp_;
};

// The far end of the window's `sock`: a loopback listener on a free port
// that takes one connection and keeps every byte it receives.
class LoopbackPeer {
public:
    LoopbackPeer()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            sock_ = server_.nextPendingConnection();
            QObject::connect(sock_, &QTcpSocket::readyRead, [this] { received += sock_->readAll(); });
        });
    }
    quint16 port() const { return server_.serverPort(); }
    bool waitAccepted()
    {
        return waitUntil([this] { return sock_ != nullptr; });
    }
    bool waitFor(const QByteArray& message, int ms = 5000)
    {
        return waitUntil([&] { return holdsMessage(received, message); }, ms);
    }
    std::vector<std::string> messages() const { return splitTerminated(received); }
    void closeConnection() { sock_->close(); }

    QByteArray received;

private:
    QTcpServer server_;
    QTcpSocket* sock_ = nullptr; // owned by server_
};

// A raw protocol client on a TSock, as another copy of the game would be.
class RawClient {
public:
    explicit RawClient(quint16 port)
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
    bool got(const QByteArray& message) const { return holdsMessage(received, message); }
    bool waitFor(const QByteArray& message, int ms = 5000)
    {
        return waitUntil([&] { return got(message); }, ms);
    }
    // Waits for the seat the host assigns and logs in under `name`.
    int login(const QByteArray& name)
    {
        if (!waitUntil([&] { return received.contains("CMD_sendlogininfo+"); }))
            return 0;
        int from = static_cast<int>(received.indexOf("CMD_sendlogininfo+")) + 18;
        int seat = received.mid(from, received.indexOf('\xFF', from) - from).toInt();
        send("CMD_logininfo+" + QByteArray::number(seat) + "+1.0.1+" + name);
        return seat;
    }

    TSock sock;
    QByteArray received;
    bool closed = false;
};

// The program's windows built as main() builds them, in the test's own
// folders, with the window shown. Two command-line parameters leave the
// window idle, so each test decides whether and where it connects.
class GameUnderTest {
public:
    explicit GameUnderTest(QStringList params = {QStringLiteral("Ann"), QStringLiteral("127.0.0.1")})
    {
        ensureApp();
        shownMessages().clear();
        windows_ = std::make_unique<GameWindows>(params, instance_);
        chat().show();
    }
    ~GameUnderTest()
    {
        windows_.reset();
        QCoreApplication::processEvents();
    }

    Tchat& chat() { return *windows_->chat; }
    ClientSession& session() { return *chat().session(); }
    BoardPanel& board() { return *chat().board(); }
    const ClientState& state() { return session().state(); }

    // The model's side of hosting with the window's socket pointed at
    // `port`, where the test listens: the host form does not listen.
    void hostTo(quint16 port, const std::string& name = "Ann")
    {
        session().setPlayerName(name);
        session().setGamePort(port);
        session().hostpress();
        session().connectTo("127.0.0.1");
    }
    // Hosting as the command line "name address true" does, with the host
    // form listening on a free port instead of the game port.
    void hostHere(const std::string& name = "Ann")
    {
        session().setPlayerName(name);
        session().setGamePort(0);
        chat().hostpress();
    }
    quint16 hostPort() { return chat().windows().server->runtime().port(); }

    // Hands messages to the model as its socket would and works the queue
    // off by ticking Timer1.
    void feed(std::initializer_list<std::string_view> messages)
    {
        for (std::string_view m : messages) {
            std::string wire(m);
            wire.push_back('\xFF');
            session().model().sockRead(wire);
        }
        while (!session().model().receivedlist().empty())
            session().model().Timer1Timer();
    }

    TileView* slot(int row, int col)
    {
        return board().word[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(col - 1)];
    }
    TileView* tile(int n) { return board().tile[static_cast<std::size_t>(n - 1)]; }
    void click(QWidget* w, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(w, b); }

    TestFolders folders;

private:
    SingleInstance instance_;
    std::unique_ptr<GameWindows> windows_;
};

} // namespace glypharo::apptest
