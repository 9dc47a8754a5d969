#pragma once

#include "app/GameSettings.h"
#include "app/SettingsFile.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

namespace glypharo {

class Tabout;
class Tgamestart;
class Thelp;
class Tphrases;
class Tspylist;
class Ttallylist;
class Tdownload;
class HostForm;
class TSock;
class ClientSession;
class BoardPanel;

// The other windows, created in their fixed order after the main window.
struct AppWindows {
    HostForm* server = nullptr;
    Tabout* about = nullptr;
    Tgamestart* gamestart = nullptr;
    Thelp* help = nullptr;
    Tphrases* phrases = nullptr;
    Tspylist* spylist = nullptr;
    Ttallylist* tallylist = nullptr;
    Tdownload* download = nullptr;
};

// The main window: the board, the chat, the menus. It renders the client
// model and turns clicks into model calls; closing it ends the program.
class Tchat : public QMainWindow {
    Q_OBJECT
public:
    explicit Tchat(QStringList params, QWidget* parent = nullptr);
    ~Tchat() override;

    void setWindows(const AppWindows& w);
    const AppWindows& windows() const { return windows_; }

    // Menu items, named as their captions.
    QAction* StartGame1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* PlaySounds1 = nullptr;
    QAction* PlayerPhraseSounds1 = nullptr;
    QAction* Classic1 = nullptr;
    QAction* New1 = nullptr;
    QAction* Slow1 = nullptr;
    QAction* Normal1 = nullptr;
    QAction* Fast1 = nullptr;
    QAction* TextColor1 = nullptr;
    std::array<QAction*, 4> textSizeItems{}; // N8, N10, N12, N14
    QAction* ScrollChatOff1 = nullptr;
    QAction* ClearMainChat1 = nullptr;
    QAction* ResetScreenLocation1 = nullptr;
    QAction* JustWatch1 = nullptr;
    QAction* ViewTally1 = nullptr;
    QAction* SpyList1 = nullptr;
    QAction* PrhaseList1 = nullptr;
    QAction* Content1 = nullptr;
    QAction* About1 = nullptr;
    QAction* QuickInstructions1 = nullptr;

    GameSettings settings;
    SettingsFile settingsFile;

    // Start-up and connection.
    void processparams();
    void hostpress();
    void joinpress();
    void button_startClick();
    void sockInfo(int info, const QByteArray& text);

    // Settings.
    void loadinifile();
    void saveinifile();
    void applySettingsToMenus();

    // Geometry.
    void ResetScreenLocation1Click();
    QRect rememberedBounds() const { return remembered_; }
    // The window's bounds as the settings file stores them.
    QRect storedBounds() const;
    // The bounds to save on closing (with the work-area corrections), or
    // nothing when they equal the remembered bounds.
    static std::optional<QRect> boundsToSave(QRect window, QRect remembered, QRect workArea);

    ClientSession* session() const { return session_.get(); }
    BoardPanel* board() const { return board_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void buildMenus();
    void FormClose();
    void placeWindow(QRect frame);

    AppWindows windows_;
    QStringList params_;
    bool shown_ = false;
    QRect remembered_;
    BoardPanel* board_ = nullptr;
    std::unique_ptr<ClientSession> session_;
    TSock* Sock11 = nullptr;
};

} // namespace glypharo
