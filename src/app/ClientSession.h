#pragma once

#include "app/GameSettings.h"
#include "app/Tchat.h"
#include "client/ChatText.h"
#include "client/ClientModel.h"
#include "host/runtime/QtTimer.h"

#include <QMenu>
#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace glypharo {

class Tchat;
class BoardPanel;
class TSock;
class SoundPlayer;
struct AppWindows;
enum class TSocketInfo;

// The main window's client: the model, its socket `sock` and timers, and the
// binding of the model's effects to the window's views, sounds and tally.
class ClientSession : public QObject, private ClientObserver, private TallySink {
    Q_OBJECT
public:
    ClientSession(Tchat& chat, BoardPanel& board);
    ~ClientSession() override;

    void bindWindows(const AppWindows& w);
    ClientModel& model() { return model_; }
    const ClientState& state() const { return model_.state(); }
    TSock& sock() { return *sock_; }

    void setPlayerName(const std::string& n) { model_.setPlayerName(n); }
    void setHostAddress(const std::string& a) { model_.setHostAddress(a); }
    const std::string& playerName() const { return model_.state().playerName; }
    const std::string& hostAddress() const { return model_.state().hostAddress; }
    bool connected() const { return model_.state().connected; }

    // The model's side of the command line, hosting and joining.
    void processparams() { model_.processparams(); }
    void hostpress() { model_.hostpress(); }
    void joinpress() { model_.joinpress(); }
    // Opens `sock` to the host on `port`, by default the game port (or the
    // port set below).
    void connectTo(const std::string& address, int port = -1);
    // Where the host listens; tests point a window at a host of their own.
    void setGamePort(int port) { gamePort_ = port; }
    int gamePort() const { return gamePort_; }
    // Replaces the opening of `sock` (tests of the command line must not
    // send a single packet to the addresses they name).
    using Connector = std::function<void(const std::string& address, int port)>;
    void setConnector(Connector c) { connector_ = std::move(c); }

    void addSystemLine(const std::string& text);
    void startGame(const std::string& playtoscore, const std::string& creationtime);
    void applySettings(const GameSettings& s);

private:
    // ClientObserver
    void changed(ChangeSet what) override;
    void playGameSound(const std::string& name) override;
    void playPlayerSound(const std::string& name) override;
    void addChatLine(const std::string& line, ChatColour colour) override;
    void sendMessage(const std::string& text) override;
    void showMessage(const std::string& text) override;
    void closeWindow() override;
    void loadinifile() override;
    // TallySink, forwarded to the tally window.
    int bestWordThreshold() override;
    void addword(const std::string& word, int points, int column) override;
    void addgame(const std::string& winner) override;

    void bindBoard();
    void bindChat();
    void bindMenus();
    void sockRead();
    void sockInfo(TSocketInfo info, const QByteArray& text);
    void openLink(const QString& text);
    void showSeatMenu(int seat, QPoint at);
    void setOption(bool& option, bool value);
    void chooseTextColour();
    void chooseTextSize(int size);

    Tchat& chat_;
    BoardPanel& board_;
    AppWindows windows_;
    QtTimer timer1_;
    QtTimer turntimer_;
    ClientModel model_;
    TSock* sock_ = nullptr;
    std::unique_ptr<SoundPlayer> gameSounds_;
    std::unique_ptr<SoundPlayer> playerSounds_;
    LinkTable links_;
    int gamePort_ = 7772;
    Connector connector_;
    QMenu popup_kick_;
    QAction* RemoveFromGame1_ = nullptr;
    QAction* SettoJustWatch1_ = nullptr;
    QAction* UnsetJustWatch1_ = nullptr;
};

} // namespace glypharo
