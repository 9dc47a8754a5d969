#include "app/ClientSession.h"

#include "app/BoardPanel.h"
#include "app/Desktop.h"
#include "app/Latin1.h"
#include "app/SoundPlayer.h"
#include "app/Tchat.h"
#include "app/Tdownload.h"
#include "app/Tphrases.h"
#include "app/Tspylist.h"
#include "app/Ttallylist.h"
#include "client/ColourText.h"
#include "net/TSock.h"
#include "protocol/Protocol.h"
#include "widgets/ChatInput.h"
#include "widgets/ChatLineRenderer.h"
#include "widgets/ChatPanel.h"

#include <QColorDialog>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcClient, "glypharo.client", QtWarningMsg)

namespace glypharo {

ClientSession::ClientSession(Tchat& chat, BoardPanel& board)
    : chat_(chat)
    , board_(board)
    , timer1_([this] { model_.Timer1Timer(); })
    , turntimer_([this] { model_.turntimerTimer(); })
    , model_(*this, *this, timer1_, turntimer_)
    , gameSounds_(std::make_unique<SoundPlayer>())
    , playerSounds_(std::make_unique<SoundPlayer>())
{
    timer1_.setInterval(1);
    turntimer_.setInterval(1000);
    model_.setTextWidth([this](const std::string& text, bool bold) { return board_.labelWidth(text, bold); });

    sock_ = new TSock(this);
    sock_->setObjectName(QStringLiteral("sock"));
    sock_->setPortName(QByteArray::number(kGamePort));
    connect(sock_, &TSock::OnRead, this, [this] { sockRead(); });
    connect(sock_, &TSock::OnInfo, this,
        [this](TSock*, TSocketInfo info, const QByteArray& msg) { sockInfo(info, msg); });

    bindBoard();
    bindChat();
    bindMenus();
    board_.render(model_.state());
}

ClientSession::~ClientSession()
{
    // The window is going: nothing the socket reports may reach it now.
    disconnect(sock_, nullptr, this, nullptr);
}

void ClientSession::bindWindows(const AppWindows& w)
{
    windows_ = w;
    if (w.tallylist)
        w.tallylist->model.setPlayerSource([this] { return model_.loadchecklist(); });
    if (w.spylist) {
        connect(w.spylist, &Tspylist::removeRequested, this, [this](int index) {
            model_.listbox_spysMouseMove(index);
            model_.popup_kickhimClick();
        });
    }
    if (w.phrases) {
        connect(w.phrases, &Tphrases::phrasesChosen, this, [this](const QStringList& list) {
            std::array<std::string, 9> p;
            for (int i = 0; i < 9 && i < list.size(); ++i) {
                p[static_cast<std::size_t>(i)] = ss(list[i]);
                // An empty field keeps the button's phrase as it is.
                if (!p[static_cast<std::size_t>(i)].empty()) {
                    model_.options().phrases[static_cast<std::size_t>(i)] = p[static_cast<std::size_t>(i)];
                    chat_.settings.phrases[static_cast<std::size_t>(i)] = p[static_cast<std::size_t>(i)];
                    board_.chat->setPhrase(i + 1, list[i]);
                }
            }
            chat_.settingsFile.savephrases(p);
        });
    }
}

void ClientSession::connectTo(const std::string& address, int requested)
{
    const int port = requested < 0 ? gamePort_ : requested;
    if (connector_) {
        connector_(address, port);
        return;
    }
    sock_->setHostName(QByteArray::fromStdString(address));
    sock_->setPortName(QByteArray::number(port));
    try {
        sock_->Open();
    } catch (const std::exception& e) {
        // A name that does not resolve: the window stays open without a seat.
        glypharo::showMessage(QString::fromLocal8Bit(e.what()));
    }
}

void ClientSession::addSystemLine(const std::string& text)
{
    addChatLine("0+" + text, kSystemLineColour);
}

void ClientSession::startGame(const std::string& playtoscore, const std::string& creationtime)
{
    std::string text
        = "CMD_startgame+" + model_.state().playerName + "+" + playtoscore + "+" + creationtime + "+";
    sendMessage(text);
}

void ClientSession::applySettings(const GameSettings& s)
{
    auto& o = model_.options();
    o.playSounds = s.playsounds;
    o.playerPhraseSounds = s.playerphrasesounds;
    o.turnSound = s.turnsound;
    o.chatColour = s.textcolor;
    o.phrases = s.phrases;
    for (int i = 0; i < 9; ++i)
        board_.chat->setPhrase(i + 1, qs(s.phrases[static_cast<std::size_t>(i)]));
    board_.chat->setTextSize(s.textsize);
    board_.chat->setInputColour(chatQColor(s.textcolor));
}

// --- receiving ---

void ClientSession::sockRead()
{
    QByteArray data = sock_->ReceiveAll();
    model_.sockRead(std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
}

void ClientSession::sockInfo(TSocketInfo info, const QByteArray& text)
{
    // Messages that arrived before the close are still part of the game: a
    // winner sent just before the host ends must reach the board and the
    // tally before the window goes. Bounded, since a closed model keeps its
    // queue.
    if (text == "Socket Closed") {
        for (auto n = model_.receivedlist().size(); n > 0 && !model_.receivedlist().empty(); --n)
            model_.Timer1Timer();
    }
    chat_.sockInfo(static_cast<int>(info), text);
}

// --- observer ---

void ClientSession::changed(ChangeSet what)
{
    const ClientState& s = model_.state();
    board_.render(s);
    if (what.has(ClientChange::SpyList) && windows_.spylist) {
        windows_.spylist->setEntries(s.spys);
        windows_.spylist->setRemovalEnabled(s.spyKickEnabled);
    }
    if (what.has(ClientChange::Menu) || what.has(ClientChange::Winner)) {
        chat_.JustWatch1->setChecked(s.justWatch);
    }
    chat_.StartGame1->setEnabled(s.startGameEnabled);
}

void ClientSession::playGameSound(const std::string& name)
{
    gameSounds_->play(name);
}

void ClientSession::playPlayerSound(const std::string& name)
{
    playerSounds_->play(name);
}

void ClientSession::addChatLine(const std::string& line, ChatColour colour)
{
    board_.chat->addLine(addlinetochat(line, colour, links_));
}

void ClientSession::sendMessage(const std::string& text)
{
    if (sock_->SocketHandle() == TSock::kInvalidHandle)
        return;
    QByteArray wire = QByteArray::fromStdString(text);
    wire.append(kTerminator);
    try {
        sock_->Send(wire);
    } catch (const std::exception& e) {
        qCDebug(lcClient) << "send failed:" << e.what();
    }
}

void ClientSession::showMessage(const std::string& text)
{
    glypharo::showMessage(qs(text));
}

void ClientSession::closeWindow()
{
    chat_.close();
}

void ClientSession::loadinifile()
{
    chat_.loadinifile();
}

int ClientSession::bestWordThreshold()
{
    return windows_.tallylist ? windows_.tallylist->bestWordThreshold() : 0;
}

void ClientSession::addword(const std::string& word, int points, int column)
{
    if (windows_.tallylist)
        windows_.tallylist->addword(word, points, column);
}

void ClientSession::addgame(const std::string& winner)
{
    if (windows_.tallylist)
        windows_.tallylist->addgame(winner);
}

} // namespace glypharo
