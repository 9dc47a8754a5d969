#include "app/Desktop.h"
#include "app/DownloadPlatform.h"
#include "app/Tdownload.h"

#include "HttpTestServer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace glypharo {
namespace {

using test::HttpTestServer;

constexpr int kWaitMs = 15000;
const QString kPath = QStringLiteral("/download/VexmoorLobbySetup.exe");

struct StartedProgram {
    QString program;
    QStringList args;
};

class DownloadWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "glypharo_app_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
        ASSERT_TRUE(home.isValid());
        qputenv("GLYPHARO_HOME", home.path().toLocal8Bit());
        setMessageHook([this](const QString& text) { messages << text; });
        window = std::make_unique<Tdownload>();
        window->setProgramRunner([this](const QString& program, const QStringList& args) {
            runs.push_back({program, args});
            return runnerSucceeds;
        });
    }

    void TearDown() override
    {
        window.reset();
        setMessageHook({});
        qunsetenv("GLYPHARO_HOME");
    }

    HttpGet* client() const { return window->findChild<HttpGet*>(); }
    QStringList filesLeft() const { return QDir(home.path()).entryList(QDir::Files | QDir::Hidden); }

    void download(const QString& address, bool insecureLoopback = true)
    {
        window->setInstallerAddress(address, insecureLoopback);
        QSignalSpy done(client(), &HttpGet::requestDone);
        window->getbutton.click();
        ASSERT_TRUE(done.wait(kWaitMs));
    }

    void expectNothingRun()
    {
        EXPECT_EQ(window->infolabel.text(), QStringLiteral("Download Aborted"));
        EXPECT_EQ(window->outcomeMark(), 2);
        EXPECT_TRUE(window->getbutton.isEnabled());
        EXPECT_FALSE(window->abortbutton.isEnabled());
        EXPECT_TRUE(runs.empty());
        EXPECT_EQ(filesLeft(), QStringList());
    }

    QTemporaryDir home;
    std::unique_ptr<Tdownload> window;
    std::vector<StartedProgram> runs;
    QStringList messages;
    bool runnerSucceeds = true;
};

TEST_F(DownloadWindowTest, CompleteDownloadSendsTheOldRequestAndStartsTheInstaller)
{
    const QList<QByteArray> pieces{QByteArray(40000, 'a'), QByteArray(30000, 'b'), QByteArray(123, 'c')};
    HttpTestServer server(HttpTestServer::ok(pieces, 5));
    QSignalSpy exit(window.get(), &Tdownload::exitRequested);
    download(server.url(kPath));

    ASSERT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(exit.size(), 1);
    const QString installed = QDir(home.path()).filePath(QStringLiteral("VexmoorLobbySetup.exe"));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].program, installed);
    EXPECT_EQ(runs[0].args, (QStringList{"/SP-", "/silent", "/noicons"}));
    EXPECT_EQ(window->infolabel.text(), QStringLiteral("Received 70123 bytes"));
    EXPECT_EQ(window->infolabel3.text(), QStringLiteral("Installing"));
    EXPECT_EQ(window->infolabel2.text(), QStringLiteral("VexmoorLobbySetup.exe"));
    EXPECT_FALSE(window->infolabel2.isVisibleTo(window.get()));
    EXPECT_EQ(window->outcomeMark(), 1);
    EXPECT_TRUE(window->getbutton.isEnabled());
    EXPECT_FALSE(window->abortbutton.isEnabled());
    EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("VexmoorLobbySetup.exe")});
    QFile file(installed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), pieces.join());
    EXPECT_TRUE(QFileInfo(installed).isExecutable());

    const QList<QByteArray> lines = server.request().split('\n');
    EXPECT_EQ(lines.value(0), "GET /download/VexmoorLobbySetup.exe HTTP/1.0\r");
    EXPECT_TRUE(lines.contains("User-Agent: Mozilla/3.0 (compatible)\r"));
    EXPECT_TRUE(lines.contains("Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r"));
    EXPECT_FALSE(server.request().contains("Pragma")); // no cache suppression
    EXPECT_FALSE(server.request().contains("Cache-Control"));
}

TEST_F(DownloadWindowTest, ProgressShowsHeaderDotsThenTheBodyAndItsRunningCount)
{
    HttpTestServer server(HttpTestServer::ok({QByteArray(10, 'x'), QByteArray(5, 'y')}, 20));
    window->setInstallerAddress(server.url(kPath), true);
    QStringList seen;
    QObject::connect(client(), &HttpGet::headerData, window.get(), [&] { seen << window->infolabel.text(); });
    QObject::connect(client(), &HttpGet::docData, window.get(),
        [&] { seen << window->infolabel.text() + QLatin1Char('|') + window->infolabel3.text(); });
    QSignalSpy done(client(), &HttpGet::requestDone);
    window->getbutton.click();
    EXPECT_FALSE(window->getbutton.isEnabled());
    EXPECT_TRUE(window->abortbutton.isEnabled());
    ASSERT_TRUE(done.wait(kWaitMs));
    // Three header lines: status, type, length.
    ASSERT_GE(seen.size(), 5);
    EXPECT_EQ(seen.mid(0, 3), (QStringList{"Loading.", "Loading..", "Loading..."}));
    EXPECT_EQ(seen.mid(3),
        (QStringList{
            "10 bytes|Downloading: VexmoorLobbySetup.exe", "15 bytes|Downloading: VexmoorLobbySetup.exe"}));
}

TEST_F(DownloadWindowTest, FailedTransfersRunNothingAndLeaveNoFile)
{
    enum class Stop { Never, AtOnce, OnFirstPiece };
    struct Case {
        const char* name;
        HttpTestServer::Reply reply;
        Stop stop;
    };
    const QList<QByteArray> slow(200, QByteArray(1000, 's'));
    const Case cases[] = {
        {"not found", {"HTTP/1.0 404 Not Found\r\nContent-Length: 9", {"not found"}, 0}, Stop::Never},
        {"server error", {"HTTP/1.0 500 Oops\r\nContent-Length: 0", {}, 0}, Stop::Never},
        {"redirect", {"HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/x.exe\r\nContent-Length: 0", {}, 0},
            Stop::Never},
        {"cut short", {"HTTP/1.0 200 OK\r\nContent-Length: 5000", {QByteArray(1000, 'p')}, 0}, Stop::Never},
        {"stopped on the first piece", HttpTestServer::ok(slow, 20), Stop::OnFirstPiece},
        {"stopped before any answer", HttpTestServer::ok(slow, 20), Stop::AtOnce},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        runs.clear();
        HttpTestServer server(c.reply);
        auto stop = [this] {
            if (window->abortbutton.isEnabled())
                window->abortbutton.click();
        };
        QMetaObject::Connection stopper;
        if (c.stop == Stop::OnFirstPiece)
            stopper = QObject::connect(client(), &HttpGet::docData, window.get(), stop);
        if (c.stop == Stop::AtOnce)
            stopper = QObject::connect(&window->getbutton, &QPushButton::clicked, window.get(), stop);
        download(server.url(kPath));
        QObject::disconnect(stopper);
        expectNothingRun();
        if (c.stop == Stop::Never) {
            EXPECT_EQ(server.connections(), 1);
        } else {
            EXPECT_EQ(window->infolabel3.text(), QStringLiteral("Download Aborted"));
        }
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(DownloadWindowTest, InsecureAddressesAreRefusedBeforeAnyConnection)
{
    HttpTestServer server(HttpTestServer::ok({"never"}));
    const QString port = QString::number(server.port());
    struct Case {
        QString address;
        bool insecureLoopback;
    };
    const Case cases[] = {
        {"http://127.0.0.1:" + port + kPath, false}, // plain http needs the test switch
        {"http://localhost:" + port + kPath, true}, // and then only the literal loopback address
        {"ftp://127.0.0.1:" + port + kPath, true},
        {"127.0.0.1:" + port + kPath, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        download(c.address, c.insecureLoopback);
        expectNothingRun();
        EXPECT_FALSE(window->infolabel.toolTip().isEmpty());
    }
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(DownloadWindowTest, InstallerThatCannotStartKeepsTheGame)
{
    runnerSucceeds = false;
    HttpTestServer server(HttpTestServer::ok({"MZ"}));
    QSignalSpy exit(window.get(), &Tdownload::exitRequested);
    download(server.url(kPath));
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_EQ(messages, QStringList{QStringLiteral("An Error has Occurred.")});
    EXPECT_EQ(exit.size(), 0);
    EXPECT_EQ(window->infolabel3.text(), QStringLiteral("Installing"));
}

TEST_F(DownloadWindowTest, PlayWithOthersStartsAnInstalledLobbyOnly)
{
    const QString lobby = QDir(home.path()).filePath(QStringLiteral("VexmoorLobby"));
    {
        QFile f(lobby);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString missing
        = QStringLiteral("Please close the game and open the Vexmoor Lobby using the icon on "
                         "your desktop or using the your Window's start-up menu.");
    struct Case {
        QString path;
        bool runnerSucceeds;
        bool started;
        QStringList messages;
        bool exits;
    };
    const Case cases[] = {
        {lobby, true, true, {}, true},
        {lobby, false, true, {QStringLiteral("An Error has Occurred.")}, false},
        {home.filePath(QStringLiteral("nowhere/VexmoorLobby")), true, false, {missing}, false},
        {QString(), true, false, {missing}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        runs.clear();
        messages.clear();
        runnerSucceeds = c.runnerSucceeds;
        window->setLobbyProgram(c.path);
        QSignalSpy exit(window.get(), &Tdownload::exitRequested);
        window->Button2.click();
        ASSERT_EQ(runs.size(), c.started ? 1u : 0u);
        if (c.started) {
            EXPECT_EQ(runs[0].program, lobby);
            EXPECT_TRUE(runs[0].args.isEmpty());
        }
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(exit.size(), c.exits ? 1 : 0);
    }
}

TEST_F(DownloadWindowTest, PlaySoloClosesOnlyTheWindow)
{
    window->showCentred();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Button1.isDefault());
    EXPECT_EQ(window->size(), QSize(724, 500));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Download The Vexmoor Lobby"));
    QSignalSpy exit(window.get(), &Tdownload::exitRequested);
    window->Button1.click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(exit.size(), 0);
}

TEST(DownloadPlatform, InstallerFileNameIsTheAddressAfterItsLastSlash)
{
    const std::pair<QString, QString> cases[] = {
        {"https://www.vexmoor.com/download/VexmoorLobbySetup.exe", "VexmoorLobbySetup.exe"},
        {"https://host/a/b/c/setup-2.exe", "setup-2.exe"},
        {"Setup.exe", "Setup.exe"},
        {"https://host/download/", ""},
        {"https://host/..", ""},
        {"https://host/a\\..\\x.exe", ""},
        {"https://host/C:x.exe", ""},
    };
    for (const auto& [address, name] : cases)
        EXPECT_EQ(installerFileName(address), name) << address.toStdString();
    EXPECT_EQ(
        installerFileName(QString::fromLatin1(kInstallerAddress)), QStringLiteral("VexmoorLobbySetup.exe"));
    EXPECT_TRUE(QString::fromLatin1(kInstallerAddress).startsWith(QStringLiteral("https://")));
}

} // namespace
} // namespace glypharo
