// The main menu of the main window.
#include "app/Tchat.h"

#include <QMenuBar>

namespace glypharo {

namespace {
QAction* item(QMenu* menu, const char* name, const QString& caption, bool checkable = false)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(checkable);
    return a;
}
} // namespace

void Tchat::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    StartGame1 = item(file, "StartGame1", QStringLiteral("Start Game"));
    StartGame1->setEnabled(false);
    file->addSeparator();
    Exit1 = item(file, "Exit1", QStringLiteral("Exit"));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    PlaySounds1 = item(options, "PlaySounds1", QStringLiteral("Play Sounds"), true);
    PlayerPhraseSounds1 = item(options, "PlayerPhraseSounds1", QStringLiteral("Player Phrase Sounds"), true);

    QMenu* turn = options->addMenu(QStringLiteral("Turn Sound"));
    auto* turnGroup = new QActionGroup(this);
    Classic1 = item(turn, "Classic1", QStringLiteral("Classic"), true);
    New1 = item(turn, "New1", QStringLiteral("New"), true);
    turnGroup->addAction(Classic1);
    turnGroup->addAction(New1);
    Classic1->setData(0);
    New1->setData(1);

    QMenu* bot = options->addMenu(QStringLiteral("Bot Speed"));
    auto* botGroup = new QActionGroup(this);
    Slow1 = item(bot, "Slow1", QStringLiteral("Slow"), true);
    Normal1 = item(bot, "Normal1", QStringLiteral("Normal"), true);
    Fast1 = item(bot, "Fast1", QStringLiteral("Fast"), true);
    for (QAction* a : {Slow1, Normal1, Fast1})
        botGroup->addAction(a);
    Slow1->setData(2000);
    Normal1->setData(1000);
    Fast1->setData(500);

    options->addSeparator();
    TextColor1 = item(options, "TextColor1", QStringLiteral("Text Color"));
    QMenu* size = options->addMenu(QStringLiteral("Text Size"));
    const int sizes[] = {8, 10, 12, 14};
    for (std::size_t i = 0; i < 4; ++i) {
        QString n = QString::number(sizes[i]);
        textSizeItems[i] = item(size, ("N" + n.toStdString()).c_str(), n, true);
        textSizeItems[i]->setData(sizes[i]);
    }
    ScrollChatOff1 = item(options, "ScrollChatOff1", QStringLiteral("Scroll Chat Off"), true);
    ScrollChatOff1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ClearMainChat1 = item(options, "ClearMainChat1", QStringLiteral("Clear Main Chat"));
    options->addSeparator();
    ResetScreenLocation1 = item(options, "ResetScreenLocation1", QStringLiteral("Reset Screen Location"));
    JustWatch1 = item(options, "JustWatch1", QStringLiteral("Just Watch"), true);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    ViewTally1 = item(view, "ViewTally1", QStringLiteral("View Tally"));
    SpyList1 = item(view, "SpyList1", QStringLiteral("Spy List"));
    PrhaseList1 = item(view, "PrhaseList1", QStringLiteral("Phrase List"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    Content1 = item(help, "Content1", QStringLiteral("Content"));
    Content1->setShortcut(QKeySequence(Qt::Key_F1));
    About1 = item(help, "About1", QStringLiteral("About"));
    QuickInstructions1 = item(help, "QuickInstructions1", QStringLiteral("Quick Instructions"));
    QuickInstructions1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));

    applySettingsToMenus();
}

void Tchat::applySettingsToMenus()
{
    PlaySounds1->setChecked(settings.playsounds);
    PlayerPhraseSounds1->setChecked(settings.playerphrasesounds);
    (settings.turnsound == 1 ? New1 : Classic1)->setChecked(true);
    (settings.botspeed == 2000 ? Slow1 : settings.botspeed == 500 ? Fast1 : Normal1)->setChecked(true);
    // A size without its own item (9, say) leaves every item unticked.
    for (QAction* a : textSizeItems)
        a->setChecked(a->data().toInt() == settings.textsize);
}

} // namespace glypharo
