#include "app/AppWindows.h"
#include "app/BoardPanel.h"
#include "app/ClientSession.h"
#include "app/Desktop.h"
#include "app/Tdownload.h"
#include "widgets/ChatPanel.h"
#include "widgets/ChatView.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace glypharo;

namespace {

void ensureApp()
{
    static int argc = 1;
    static char name[] = "glypharo_app_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
    setMessageHook([](const QString&) {});
}

struct StartCase {
    QStringList params;
    bool hosts;
    bool joins;
    std::string connectsTo;
    std::string name;
    bool download;
    QString line;
};

} // namespace

// What the lobby's command line makes of a start: solo, hosting, joining or
// idle. The connector stands in for the socket, so no packet ever goes to
// the addresses named here.
TEST(TchatCommandLine, DecidesSoloHostJoinOrIdle)
{
    ensureApp();
    const StartCase cases[] = {
        {{}, true, false, "127.0.0.1", "You", true, QStringLiteral("Loading Solo Game..Please wait.")},
        {{"Ann", "10.0.0.5", "true"}, true, false, "127.0.0.1", "Ann", false,
            QStringLiteral("Loading Multi-player Game.. Please Wait.")},
        {{"Ann", "10.0.0.5", "TRUE"}, false, true, "10.0.0.5", "Ann", false,
            QStringLiteral("Loading Multi-player Game.. Please Wait.")},
        {{"Ann", "10.0.0.5", "false", "extra"}, false, true, "10.0.0.5", "Ann", false,
            QStringLiteral("Loading Multi-player Game.. Please Wait.")},
        {{"Ann", "10.0.0.5"}, false, false, "", "", false,
            QStringLiteral("Loading Multi-player Game.. Please Wait.")},
        {{"Ann"}, false, false, "", "", false, QStringLiteral("Loading Multi-player Game.. Please Wait.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.params.join(QLatin1Char(' ')).toStdString());
        QTemporaryDir home;
        qputenv("GLYPHARO_HOME", home.path().toLocal8Bit());
        Tchat chat(c.params);
        Tdownload download(&chat);
        AppWindows w;
        w.download = &download;
        chat.setWindows(w);
        std::vector<std::pair<std::string, int>> opened;
        chat.session()->setConnector([&](const std::string& a, int p) { opened.emplace_back(a, p); });

        chat.processparams();

        const ClientState& s = chat.session()->state();
        EXPECT_EQ(s.host, c.hosts);
        if (c.hosts || c.joins) {
            ASSERT_EQ(opened.size(), 1u);
            EXPECT_EQ(opened[0].first, c.connectsTo);
            EXPECT_EQ(opened[0].second, 7772);
            EXPECT_EQ(s.loginName, c.name);
        } else {
            EXPECT_TRUE(opened.empty());
            EXPECT_EQ(s.loginName, "");
        }
        EXPECT_EQ(download.isVisible(), c.download);
        EXPECT_EQ(s.buttonStart, c.hosts);
        EXPECT_EQ(chat.StartGame1->isEnabled(), c.hosts);
        EXPECT_TRUE(chat.board()->chat->mainchat()->toPlainText().contains(c.line));
        download.hide();
    }
    qunsetenv("GLYPHARO_HOME");
}
