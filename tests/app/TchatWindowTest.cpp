// The main window around the game: the start button and its dialog, the
// settings it saves, and what closing saves.
#include "AppTestSupport.h"

#include "app/SettingsFile.h"
#include "app/Tgamestart.h"

#include <QFile>
#include <QScreen>
#include <QToolButton>

#include <optional>

namespace glypharo::apptest {
namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The arrow of an up-down control: the first tool button is "up".
QToolButton* arrow(UpDown& control, Qt::ArrowType type)
{
    for (QToolButton* b : control.findChildren<QToolButton*>())
        if (b->arrowType() == type)
            return b;
    return nullptr;
}

class TchatWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        game = std::make_unique<GameUnderTest>();
        peer = std::make_unique<LoopbackPeer>();
        game->hostTo(peer->port());
        ASSERT_TRUE(peer->waitAccepted());
    }
    void connectAsSeat1()
    {
        game->feed({"CMD_sendlogininfo+1", "CMD_newplayerinfo+1+Ann+0"});
        ASSERT_TRUE(game->state().connected);
    }
    Tgamestart& dialog() { return *game->chat().windows().gamestart; }

    std::unique_ptr<GameUnderTest> game;
    std::unique_ptr<LoopbackPeer> peer;
};

TEST_F(TchatWindowTest, StartGameBeforeTheSeatIsAssignedSaysNotConnected)
{
    ASSERT_TRUE(game->board().button_start->isVisible());
    game->click(game->board().button_start);
    game->chat().StartGame1->trigger();
    EXPECT_EQ(shownMessages(),
        (std::vector<QString>{
            QStringLiteral("You are not connected"), QStringLiteral("You are not connected")}));
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(TchatWindowTest, GameStartArrowsStopAtTheEndsAndTimeMovesInFives)
{
    connectAsSeat1();
    game->click(game->board().button_start);
    ASSERT_TRUE(dialog().isVisible());
    struct Case {
        UpDown& control;
        int from;
        Qt::ArrowType press;
        int clicks;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {dialog().UpDown1, 500, Qt::UpArrow, 1, "500"},
        {dialog().UpDown1, 499, Qt::UpArrow, 3, "500"},
        {dialog().UpDown1, 100, Qt::UpArrow, 1, "101"},
        {dialog().UpDown1, 50, Qt::DownArrow, 1, "50"},
        {dialog().UpDown2, 30, Qt::DownArrow, 1, "30"},
        {dialog().UpDown2, 60, Qt::UpArrow, 2, "70"},
        {dialog().UpDown2, 120, Qt::UpArrow, 1, "120"},
        {dialog().UpDown2, 35, Qt::DownArrow, 2, "30"},
    };
    for (const auto& c : cases) {
        c.control.setPosition(c.from);
        QToolButton* b = arrow(c.control, c.press);
        ASSERT_NE(b, nullptr);
        for (int i = 0; i < c.clicks; ++i)
            QTest::mouseClick(b, Qt::LeftButton);
        QLineEdit& edit
            = &c.control == &dialog().UpDown1 ? dialog().edit_playtoscore : dialog().edit_creationtime;
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.shown)) << c.from;
        EXPECT_TRUE(edit.isReadOnly());
    }
}

TEST_F(TchatWindowTest, StartSendsTheStartMessageAndSavesBothValues)
{
    connectAsSeat1();
    game->click(game->board().button_start);
    ASSERT_TRUE(dialog().isVisible());
    dialog().UpDown1.setPosition(250);
    dialog().UpDown2.setPosition(90);
    QTest::mouseClick(&dialog().button_start, Qt::LeftButton);
    ASSERT_TRUE(peer->waitFor("CMD_startgame+Ann+250+90+"));
    EXPECT_FALSE(dialog().isVisible());

    GameSettings saved;
    SettingsFile(game->folders.settingsPath().toStdString()).loadinifile(saved);
    EXPECT_EQ(saved.playtoscore, 250);
    EXPECT_EQ(saved.timeperturn, 90);
    const QByteArray ini = readFile(game->folders.settingsPath());
    EXPECT_TRUE(ini.contains("Playtoscore")) << ini.constData();
    EXPECT_TRUE(ini.contains("Timeperturn")) << ini.constData();
}

TEST_F(TchatWindowTest, SettingsReadAtLoginSetTheDialog)
{
    QFile f(game->folders.settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Glypharo]\nPlaytoscore=900\nTimeperturn=45\nHelp=2\n");
    f.close();
    connectAsSeat1();
    EXPECT_EQ(dialog().edit_playtoscore.text(), QStringLiteral("500")) << "held at the end of the range";
    EXPECT_EQ(dialog().edit_creationtime.text(), QStringLiteral("45"));
    EXPECT_FALSE(game->board().panel_help.isVisible()) << "the help panel shows on the first reading only";
}

TEST(TchatBoundsTest, ClosingSavesChangedBoundsWithOneCorrectionEach)
{
    const QRect work(0, 0, 800, 600);
    struct Case {
        const char* what;
        QRect window;
        QRect remembered;
        std::optional<QRect> saved;
    };
    const std::vector<Case> cases = {
        {"unchanged", {3, 3, 772, 535}, {3, 3, 772, 535}, std::nullopt},
        {"moved", {40, 50, 772, 535}, {3, 3, 772, 535}, QRect(40, 50, 772, 535)},
        {"resized inside the work area", {3, 3, 790, 590}, {3, 3, 772, 535}, QRect(3, 3, 790, 590)},
        {"wider than the work area", {0, 0, 810, 535}, {3, 3, 772, 535}, QRect(0, 0, 795, 535)},
        {"far wider: corrected once only", {0, 0, 900, 535}, {3, 3, 772, 535}, QRect(0, 0, 885, 535)},
        {"higher than the work area", {0, 0, 772, 700}, {3, 3, 772, 535}, QRect(0, 0, 772, 685)},
        {"both", {0, 0, 830, 650}, {0, 0, 772, 535}, QRect(0, 0, 815, 635)},
        {"unchanged even when too large", {0, 0, 900, 700}, {0, 0, 900, 700}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tchat::boundsToSave(c.window, c.remembered, work), c.saved) << c.what;
}

TEST_F(TchatWindowTest, ClosingUnmovedWritesNothingAndMovedSavesTheBounds)
{
    QFile f(game->folders.settingsPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Glypharo]\nLeft=20\nTop=30\nWidth=800\nHeight=600\nHelp=2\n");
    f.close();
    connectAsSeat1(); // the settings are read: the remembered bounds
    ASSERT_EQ(game->chat().storedBounds(), QRect(20, 30, 800, 600));
    const QByteArray before = readFile(game->folders.settingsPath());
    ASSERT_FALSE(before.isEmpty());
    game->chat().close();
    EXPECT_EQ(readFile(game->folders.settingsPath()), before);

    game->chat().show();
    game->chat().move(60, 40);
    QCoreApplication::processEvents();
    const QRect frame = game->chat().storedBounds();
    game->chat().close();
    GameSettings saved;
    SettingsFile(game->folders.settingsPath().toStdString()).loadinifile(saved);
    EXPECT_EQ(QRect(saved.left, saved.top, saved.width, saved.height), frame);
}

TEST_F(TchatWindowTest, ResetScreenLocationRestoresTheDesignedBounds)
{
    game->chat().move(200, 150);
    game->chat().resize(900, 650);
    game->chat().ResetScreenLocation1->trigger();
    QCoreApplication::processEvents();
    // The menu bar does not count towards the stored height, so the
    // designed 772 x 535 holds the whole board below it.
    EXPECT_EQ(game->chat().storedBounds(), QRect(3, 3, 772, 535));
    EXPECT_LE(game->board().geometry().bottom(), game->chat().height() - 1);
}

} // namespace
} // namespace glypharo::apptest
