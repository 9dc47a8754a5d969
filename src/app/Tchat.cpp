#include "app/Tchat.h"

#include "app/BoardPanel.h"
#include "app/ClientSession.h"
#include "app/Desktop.h"
#include "app/HostForm.h"
#include "app/Latin1.h"
#include "app/ProgramFolder.h"
#include "app/Tabout.h"
#include "app/Tdownload.h"
#include "app/Tgamestart.h"
#include "app/Thelp.h"
#include "net/TSock.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

namespace glypharo {

namespace {
constexpr int kDefaultWidth = 772;
constexpr int kDefaultHeight = 535;
constexpr int kBoardWidth = 764;
constexpr int kBoardHeight = 526;
} // namespace

Tchat::Tchat(QStringList params, QWidget* parent)
    : QMainWindow(parent)
    , settingsFile(programFile(QString::fromLatin1(SettingsFile::kFileName)).toStdString())
    , params_(std::move(params))
{
    setObjectName(QStringLiteral("Tchat"));
    setWindowTitle(QStringLiteral("Glypharo by Vexmoor Software"));
    FormCreate();
}

Tchat::~Tchat() = default;

void Tchat::FormCreate()
{
    buildMenus();
    board_ = new BoardPanel(this);
    board_->setFixedSize(kBoardWidth, kBoardHeight);
    setCentralWidget(board_);
    session_ = std::make_unique<ClientSession>(*this, *board_);

    // The designed place: left 3, top 3, client area 767 x 529.
    setMinimumSize(kBoardWidth + 4, kBoardHeight + 4 + menuBar()->sizeHint().height());
    move(3, 3);
    resize(767, 529 + menuBar()->sizeHint().height());

    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(StartGame1, &QAction::triggered, this, &Tchat::button_startClick);
    connect(ResetScreenLocation1, &QAction::triggered, this, &Tchat::ResetScreenLocation1Click);

    Sock11 = new TSock(this);
    Sock11->setObjectName(QStringLiteral("Sock11"));
    Sock11->setHostName(QByteArrayLiteral("127.0.0.1"));
    Sock11->setPortName(QByteArrayLiteral("9001"));
}

void Tchat::setWindows(const AppWindows& w)
{
    windows_ = w;
    if (w.about)
        connect(About1, &QAction::triggered, w.about, [a = w.about, this] {
            a->show();
            a->raise();
            a->activateWindow();
            Q_UNUSED(this);
        });
    if (w.help) {
        connect(Content1, &QAction::triggered, w.help, [h = w.help] {
            h->show();
            h->raise();
            h->activateWindow();
        });
        if (w.about)
            connect(w.help, &Thelp::aboutRequested, w.about, &QDialog::show);
    }
    if (w.gamestart) {
        connect(w.gamestart, &Tgamestart::startRequested, this, [this](const QString& p, const QString& t) {
            session_->startGame(p.toStdString(), t.toStdString());
            settings.playtoscore = windows_.gamestart->UpDown1.position();
            settings.timeperturn = windows_.gamestart->UpDown2.position();
            saveinifile();
        });
    }
    session_->bindWindows(w);
}

void Tchat::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        processparams();
    }
}

void Tchat::processparams()
{
    session_->processparams();
    if (params_.isEmpty()) {
        session_->addSystemLine("Loading Solo Game..Please wait.");
        if (windows_.download)
            windows_.download->showCentred();
        session_->setHostAddress("127.0.0.1");
        session_->setPlayerName("You");
        hostpress();
        return;
    }
    session_->addSystemLine("Loading Multi-player Game.. Please Wait.");
    if (params_.size() < 3)
        return;
    session_->setPlayerName(ss(params_[0]));
    session_->setHostAddress(ss(params_[1]));
    if (params_[2] == QLatin1String("true"))
        hostpress();
    else
        joinpress();
    // The lobby watches this connection; nothing is sent on it and its
    // failure is of no interest.
    try {
        Sock11->Open();
    } catch (const std::exception&) {
    }
}

void Tchat::hostpress()
{
    if (windows_.server && windows_.server->startListening(static_cast<quint16>(session_->gamePort())))
        session_->setGamePort(windows_.server->runtime().port());
    session_->hostpress();
    session_->connectTo("127.0.0.1");
}

void Tchat::joinpress()
{
    session_->joinpress();
    session_->connectTo(session_->hostAddress());
}

void Tchat::button_startClick()
{
    // The model answers "You are not connected" itself.
    if (session_->model().button_startClick() && windows_.gamestart)
        windows_.gamestart->showCentredOn(this);
}

void Tchat::sockInfo(int /*info*/, const QByteArray& text)
{
    if (text == "Socket Closed")
        close();
}

void Tchat::loadinifile()
{
    settingsFile.loadinifile(settings);
    placeWindow(QRect(settings.left, settings.top, settings.width, settings.height));
    remembered_ = QRect(settings.left, settings.top, settings.width, settings.height);
    applySettingsToMenus();
    session_->applySettings(settings);
    if (windows_.gamestart) {
        windows_.gamestart->UpDown1.setPosition(settings.playtoscore);
        windows_.gamestart->UpDown2.setPosition(settings.timeperturn);
    }
    if (settings.showhelp)
        board_->showQuickInstructions();
}

void Tchat::saveinifile()
{
    QRect f = storedBounds();
    settings.left = f.left();
    settings.top = f.top();
    settings.width = f.width();
    settings.height = f.height();
    if (windows_.gamestart) {
        settings.playtoscore = windows_.gamestart->UpDown1.position();
        settings.timeperturn = windows_.gamestart->UpDown2.position();
    }
    settingsFile.saveinifile(settings);
}

void Tchat::ResetScreenLocation1Click()
{
    placeWindow(QRect(3, 3, kDefaultWidth, kDefaultHeight));
}

// The stored bounds are the outer frame's, except that the menu bar does not
// count towards the height: on the desktop the game was designed for, the
// menu bar lies outside the window's client area, and a 535-pixel window
// there holds the whole board.
QRect Tchat::storedBounds() const
{
    QRect f = frameGeometry();
    f.setHeight(f.height() - menuBar()->sizeHint().height());
    return f;
}

void Tchat::placeWindow(QRect frame)
{
    move(frame.topLeft());
    QSize decoration = frameGeometry().size() - size();
    resize(frame.size() - decoration + QSize(0, menuBar()->sizeHint().height()));
}

std::optional<QRect> Tchat::boundsToSave(QRect window, QRect remembered, QRect workArea)
{
    if (window == remembered)
        return std::nullopt;
    if (workArea.width() < window.width())
        window.setWidth(window.width() - 15);
    if (workArea.height() < window.height())
        window.setHeight(window.height() - 15);
    return window;
}

void Tchat::FormClose()
{
    QRect bounds = storedBounds();
    QRect work = screen() ? screen()->availableGeometry() : bounds;
    auto save = boundsToSave(bounds, remembered_, work);
    if (!save)
        return;
    remembered_ = *save;
    settings.left = save->left();
    settings.top = save->top();
    settings.width = save->width();
    settings.height = save->height();
    if (windows_.gamestart) {
        settings.playtoscore = windows_.gamestart->UpDown1.position();
        settings.timeperturn = windows_.gamestart->UpDown2.position();
    }
    settingsFile.saveinifile(settings);
}

void Tchat::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
    QMainWindow::closeEvent(event);
}

void Tchat::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Never smaller than the board panel plus 4 pixels each way.
    QSize min(kBoardWidth + 4, kBoardHeight + 4 + menuBar()->sizeHint().height());
    if (minimumSize() != min)
        setMinimumSize(min);
}

} // namespace glypharo
