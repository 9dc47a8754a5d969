#include "app/Tdownload.h"

#include "app/Desktop.h"
#include "app/LobbyPicture.h"
#include "app/ProgramFolder.h"

#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

namespace glypharo {

namespace {

const QString kErrorText = QStringLiteral("An Error has Occurred.");
const QString kAborted = QStringLiteral("Download Aborted");

QLabel* textLabel(const QString& text, QWidget* parent, int pointDelta = 0, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() + pointDelta);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

QFrame* panel(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

void makeProminent(QPushButton& button, int height)
{
    button.setMinimumHeight(height);
    QFont f = button.font();
    f.setBold(true);
    button.setFont(f);
}

} // namespace

Tdownload::Tdownload(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
    , getbutton(QStringLiteral("Download And Install The Vexmoor Lobby Now"))
    , abortbutton(QStringLiteral("Stop Download"))
    , Button1(QStringLiteral("Play Solo Game"))
    , Button2(QStringLiteral("Play with Others"))
    , HttpCli1(this)
{
    setObjectName(QStringLiteral("Tdownload"));
    setWindowTitle(QStringLiteral("Download The Vexmoor Lobby"));
    setFixedSize(724, 500);
    buildPanels();

    infolabel2.hide();
    abortbutton.setEnabled(false);
    Button1.setDefault(true);

    connect(&getbutton, &QPushButton::clicked, this, &Tdownload::getbuttonClick);
    connect(&abortbutton, &QPushButton::clicked, this, &Tdownload::abortbuttonClick);
    connect(&Button1, &QPushButton::clicked, this, &Tdownload::Button1Click);
    connect(&Button2, &QPushButton::clicked, this, &Tdownload::Button2Click);
    connect(&HttpCli1, &HttpGet::headerData, this, &Tdownload::HttpCli1HeaderData);
    connect(&HttpCli1, &HttpGet::docBegin, this, &Tdownload::HttpCli1DocBegin);
    connect(&HttpCli1, &HttpGet::docData, this, &Tdownload::HttpCli1DocData);
    connect(&HttpCli1, &HttpGet::requestDone, this, &Tdownload::HttpCli1RequestDone);
}

Tdownload::~Tdownload()
{
    HttpCli1.abort();
}

void Tdownload::buildPanels()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 14);
    outer->setSpacing(12);

    auto* download = panel(this);
    auto* downloadRow = new QHBoxLayout(download);
    downloadRow->setContentsMargins(14, 14, 14, 14);
    downloadRow->setSpacing(18);
    auto* picture = new QLabel(download);
    picture->setPixmap(lobbyClosedPicture(QSize(220, 190)));
    picture->setAccessibleName(QStringLiteral("IS CLOSED"));
    picture->setToolTip(QStringLiteral("IS CLOSED"));
    downloadRow->addWidget(picture, 0, Qt::AlignTop);
    auto* downloadColumn = new QVBoxLayout;
    downloadColumn->setSpacing(10);
    downloadColumn->addWidget(textLabel(QStringLiteral("Download The Vexmoor Lobby Now to play this  and "
                                                       "other exciting games online with other players! "),
        download, 3, true));
    makeProminent(getbutton, 40);
    downloadColumn->addWidget(&getbutton);
    abortbutton.setMinimumHeight(28);
    downloadColumn->addWidget(&abortbutton, 0, Qt::AlignLeft);
    QFont status = infolabel.font();
    status.setBold(true);
    infolabel.setFont(status);
    downloadColumn->addWidget(&infolabel);
    downloadColumn->addWidget(&infolabel3);
    downloadColumn->addWidget(&infolabel2);
    downloadColumn->addStretch(1);
    downloadRow->addLayout(downloadColumn, 1);
    outer->addWidget(download, 3);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(12);
    auto* solo = panel(this);
    auto* soloColumn = new QVBoxLayout(solo);
    soloColumn->setContentsMargins(12, 12, 12, 12);
    soloColumn->addWidget(textLabel(QStringLiteral("To proceed to the game without the ability to play "
                                                   "against others click the button below."),
        solo, 1));
    soloColumn->addWidget(textLabel(QStringLiteral("Note: Even if you are playing offline, you will need to "
                                                   "configure your FIREWALL to allow the game to access the "
                                                   "internet components."),
        solo, -1));
    soloColumn->addStretch(1);
    makeProminent(Button1, 34);
    soloColumn->addWidget(&Button1);
    bottom->addWidget(solo, 1);

    auto* lobby = panel(this);
    auto* lobbyColumn = new QVBoxLayout(lobby);
    lobbyColumn->setContentsMargins(12, 12, 12, 12);
    lobbyColumn->addWidget(
        textLabel(QStringLiteral("If you already have The Vexmoor Lobby and you wish to play "
                                 "with others then click the button below to close this "
                                 "game and open The Vexmoor Lobby."),
            lobby, 1));
    lobbyColumn->addStretch(1);
    makeProminent(Button2, 34);
    lobbyColumn->addWidget(&Button2);
    bottom->addWidget(lobby, 1);
    outer->addLayout(bottom, 2);
}

void Tdownload::showCentred()
{
    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
    show();
}

void Tdownload::setInstallerAddress(const QString& address, bool insecureLoopback)
{
    address_ = address;
    insecureLoopback_ = insecureLoopback;
}

void Tdownload::setProgramRunner(ProgramRunner runner)
{
    runner_ = std::move(runner);
}

void Tdownload::setLobbyProgram(const QString& path)
{
    lobbyProgram_ = path;
}

void Tdownload::getbuttonClick()
{
    if (HttpCli1.isRunning())
        return;
    outcomeMark_ = 1;
    const QString name = installerFileName(address_);
    infolabel2.setText(name);
    if (name.isEmpty()) {
        showMessage(kErrorText);
        return;
    }
    // Written under a scratch name and moved into place only when complete,
    // so a cut-off installer never stands where it could be run.
    file_ = std::make_unique<QSaveFile>(programFile(name));
    if (!file_->open(QIODevice::WriteOnly)) {
        const QString why = file_->errorString();
        file_.reset();
        showMessage(why);
        return;
    }
    getbutton.setEnabled(false);
    abortbutton.setEnabled(true);
    infolabel.setText(QStringLiteral("Loading"));
    infolabel.setToolTip({});
    infolabel3.clear();
    QSaveFile* file = file_.get();
    HttpCli1.start({address_, insecureLoopback_}, [file](const char* data, std::size_t size) {
        return file->write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
    });
}

void Tdownload::abortbuttonClick()
{
    HttpCli1.abort();
    infolabel.setText(QStringLiteral("Download has been aborted."));
    outcomeMark_ = 2;
    infolabel3.setText(kAborted);
}

// Progress that was already on its way when "Stop Download" was pressed must
// not paint over the abort.
void Tdownload::HttpCli1HeaderData(const QByteArray&)
{
    if (outcomeMark_ == 2)
        return;
    infolabel.setText(infolabel.text() + QLatin1Char('.'));
}

void Tdownload::HttpCli1DocBegin()
{
    if (outcomeMark_ == 2)
        return;
    infolabel3.setText(QStringLiteral("Downloading: ") + infolabel2.text());
}

void Tdownload::HttpCli1DocData(qint64 received)
{
    if (outcomeMark_ == 2)
        return;
    infolabel.setText(QString::number(received) + QStringLiteral(" bytes"));
}

void Tdownload::HttpCli1RequestDone(const HttpResult& result)
{
    // An abort pressed after the last byte still wins: nothing is run.
    const bool complete = result.outcome == HttpOutcome::Complete && outcomeMark_ != 2;
    if (!complete && result.outcome != HttpOutcome::SinkFailed) {
        infolabel.setText(kAborted);
        infolabel.setToolTip(result.error);
        outcomeMark_ = 2;
    }
    getbutton.setEnabled(true);
    abortbutton.setEnabled(false);
    if (!closeFile(complete))
        return;
    if (result.outcome == HttpOutcome::SinkFailed) {
        showMessage(result.error);
        return;
    }
    if (complete)
        install();
}

// Keeps the finished installer or throws the scratch file away. False when
// keeping it failed, which has then been reported.
bool Tdownload::closeFile(bool keep)
{
    if (!file_)
        return false;
    std::unique_ptr<QSaveFile> file = std::move(file_);
    if (!keep) {
        file->cancelWriting();
        file->commit(); // after cancelWriting this only removes the scratch file
        return true;
    }
    if (!file->commit()) {
        showMessage(file->errorString());
        return false;
    }
    return true;
}

void Tdownload::install()
{
    const QString path = programFile(infolabel2.text());
    infolabel.setText(
        QStringLiteral("Received ") + QString::number(QFileInfo(path).size()) + QStringLiteral(" bytes"));
    infolabel3.setText(QStringLiteral("Installing"));
    if (!makeExecutable(path) || !runner_(path, installerParameters())) {
        showMessage(kErrorText);
        return;
    }
    Q_EMIT exitRequested();
}

void Tdownload::Button1Click()
{
    close();
}

void Tdownload::Button2Click()
{
    const QString lobby = lobbyProgram_ ? *lobbyProgram_ : defaultLobbyProgram();
    if (lobby.isEmpty() || !QFileInfo::exists(lobby)) {
        showMessage(QStringLiteral("Please close the game and open the Vexmoor Lobby using the icon on your "
                                   "desktop or using the your Window's start-up menu."));
        return;
    }
    // A lobby that cannot be started must not take the game down with it.
    if (!runner_(lobby, {})) {
        showMessage(kErrorText);
        return;
    }
    Q_EMIT exitRequested();
}

} // namespace glypharo
