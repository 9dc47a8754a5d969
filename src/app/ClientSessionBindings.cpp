// How the main window's views, menus and chat reach the client model.
#include "app/BoardPanel.h"
#include "app/ClientSession.h"
#include "app/Desktop.h"
#include "app/Latin1.h"
#include "app/Tchat.h"
#include "app/Tphrases.h"
#include "app/Tspylist.h"
#include "app/Ttallylist.h"
#include "client/ColourText.h"
#include "widgets/ChatInput.h"
#include "widgets/ChatLineRenderer.h"
#include "widgets/ChatPanel.h"
#include "widgets/ImageButton.h"

#include <QColorDialog>

namespace glypharo {

void ClientSession::bindBoard()
{
    connect(&board_, &BoardPanel::tileClicked, this, [this](int n) { model_.tile_1Click(n); });
    connect(&board_, &BoardPanel::slotClicked, this, [this](int r, int c, Qt::MouseButton b) {
        if (b == Qt::RightButton)
            model_.boardRightClick();
        else if (b == Qt::LeftButton && c >= 2)
            model_.word_12Click(r, c);
    });
    connect(&board_, &BoardPanel::boardRightClicked, this, [this] { model_.boardRightClick(); });
    connect(&board_, &BoardPanel::passClicked, this, [this] { model_.button_passClick(); });
    connect(&board_, &BoardPanel::clearClicked, this, [this] { model_.button_clearClick(); });
    connect(&board_, &BoardPanel::submitClicked, this, [this] { model_.button_submitClick(); });
    connect(&board_, &BoardPanel::startClicked, &chat_, &Tchat::button_startClick);
    connect(&board_, &BoardPanel::seatMenuRequested, this, &ClientSession::showSeatMenu);

    RemoveFromGame1_ = popup_kick_.addAction(QStringLiteral("Remove From Game"));
    SettoJustWatch1_ = popup_kick_.addAction(QStringLiteral("Set to Just Watch"));
    UnsetJustWatch1_ = popup_kick_.addAction(QStringLiteral("Unset Just Watch"));
    connect(RemoveFromGame1_, &QAction::triggered, this, [this] { model_.RemoveFromGame1Click(); });
    connect(SettoJustWatch1_, &QAction::triggered, this, [this] { model_.SettoJustWatch1Click(); });
    connect(UnsetJustWatch1_, &QAction::triggered, this, [this] { model_.UnsetJustWatch1Click(); });
}

void ClientSession::showSeatMenu(int seat, QPoint at)
{
    model_.label_playername1ContextPopup(seat);
    const SeatMenu& m = model_.state().seatMenu;
    RemoveFromGame1_->setEnabled(m.removeFromGame);
    SettoJustWatch1_->setEnabled(m.setToJustWatch);
    UnsetJustWatch1_->setEnabled(m.unsetJustWatch);
    popup_kick_.popup(at);
}

void ClientSession::bindChat()
{
    ChatPanel* panel = board_.chat;
    connect(panel, &ChatPanel::textEntered, this, [this, panel](const QString& text) {
        if (model_.sendit(ss(text)))
            panel->setInputText(QString());
    });
    connect(panel, &ChatPanel::phraseClicked, this, [this](int n) { model_.b_phrase1Click(n); });
    connect(panel, &ChatPanel::soundChosen, this, [this](int n) { model_.wave4Click(n); });
    connect(panel, &ChatPanel::linkClicked, this, &ClientSession::openLink);
    for (int i = 0; i < 9; ++i)
        panel->setPhrase(i + 1, qs(model_.options().phrases[static_cast<std::size_t>(i)]));
}

void ClientSession::openLink(const QString& text)
{
    // Only web addresses are ever opened: a chat line must not start a
    // program or open a local file on this machine.
    auto target = linkTarget(ss(text));
    if (!target || !openWebAddress(qs(*target)))
        glypharo::showMessage(QStringLiteral("Cannot open Webpage"));
}

void ClientSession::bindMenus()
{
    Tchat& c = chat_;
    ChatPanel* panel = board_.chat;
    connect(c.PlaySounds1, &QAction::triggered, this, [this](bool on) {
        chat_.settings.playsounds = on;
        model_.options().playSounds = on;
        chat_.saveinifile();
    });
    connect(c.PlayerPhraseSounds1, &QAction::triggered, this, [this](bool on) {
        chat_.settings.playerphrasesounds = on;
        model_.options().playerPhraseSounds = on;
        chat_.saveinifile();
    });
    for (QAction* a : {c.Classic1, c.New1}) {
        connect(a, &QAction::triggered, this, [this, a] {
            chat_.settings.turnsound = a->data().toInt();
            model_.options().turnSound = chat_.settings.turnsound;
            chat_.saveinifile();
        });
    }
    for (QAction* a : {c.Slow1, c.Normal1, c.Fast1}) {
        connect(a, &QAction::triggered, this, [this, a] {
            chat_.settings.botspeed = a->data().toInt();
            chat_.saveinifile();
        });
    }
    connect(c.TextColor1, &QAction::triggered, this, &ClientSession::chooseTextColour);
    for (QAction* a : c.textSizeItems)
        connect(a, &QAction::triggered, this, [this, a] { chooseTextSize(a->data().toInt()); });

    // The two "Scroll Chat Off" items always show the same state.
    QAction* inner = panel->scrollChatOffAction();
    connect(c.ScrollChatOff1, &QAction::toggled, inner, &QAction::setChecked);
    connect(inner, &QAction::toggled, c.ScrollChatOff1, &QAction::setChecked);
    connect(c.ClearMainChat1, &QAction::triggered, panel->clearMainChatAction(), &QAction::trigger);

    connect(c.JustWatch1, &QAction::triggered, this, [this] {
        // The tick follows the host's answer, not the click.
        chat_.JustWatch1->setChecked(model_.state().justWatch);
        model_.JustWatch1Click();
    });
    connect(c.QuickInstructions1, &QAction::triggered, &board_, &BoardPanel::showQuickInstructions);
    connect(c.SpyList1, &QAction::triggered, this, [this] {
        if (windows_.spylist) {
            windows_.spylist->show();
            windows_.spylist->raise();
        }
    });
    connect(c.ViewTally1, &QAction::triggered, this, [this] {
        if (windows_.tallylist)
            windows_.tallylist->showWithPlayers(model_.loadchecklist());
    });
    connect(c.PrhaseList1, &QAction::triggered, this, [this] {
        if (!windows_.phrases)
            return;
        QStringList list;
        for (const auto& p : model_.options().phrases)
            list << qs(p);
        windows_.phrases->setPhrases(list);
        windows_.phrases->show();
        windows_.phrases->raise();
    });
}

void ClientSession::chooseTextColour()
{
    QColor start = chatQColor(chat_.settings.textcolor);
    QColor chosen = QColorDialog::getColor(start, &chat_, QStringLiteral("Text Color"));
    if (!chosen.isValid())
        return;
    chat_.settings.textcolor = colourFromRgb(chosen.red(), chosen.green(), chosen.blue());
    model_.options().chatColour = chat_.settings.textcolor;
    board_.chat->setInputColour(chosen);
    chat_.saveinifile();
}

void ClientSession::chooseTextSize(int size)
{
    chat_.settings.textsize = size;
    for (QAction* a : chat_.textSizeItems)
        a->setChecked(a->data().toInt() == size);
    board_.chat->setTextSize(size);
    chat_.saveinifile();
}

} // namespace glypharo
