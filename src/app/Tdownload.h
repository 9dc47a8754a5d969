#pragma once

#include "app/DownloadPlatform.h"
#include "app/HttpGet.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>

#include <memory>
#include <optional>

namespace glypharo {

// Offered on a solo start: download and install the lobby, open it, or go on
// playing solo.
class Tdownload : public QDialog {
    Q_OBJECT
public:
    explicit Tdownload(QWidget* parent = nullptr);
    ~Tdownload() override;

    QLabel infolabel; // progress
    QLabel infolabel2; // the installer's file name, never shown
    QLabel infolabel3; // phase
    QPushButton getbutton;
    QPushButton abortbutton;
    QPushButton Button1;
    QPushButton Button2;

    void showCentred();

    void getbuttonClick();
    void abortbuttonClick();
    void Button1Click();
    void Button2Click();

    // 1 while a download runs or after it ended normally, 2 once it was
    // aborted or failed.
    int outcomeMark() const { return outcomeMark_; }
    bool downloading() const { return HttpCli1.isRunning(); }

    // Replaceable for tests: where the installer comes from (plain http to
    // 127.0.0.1 only with insecureLoopback), how programs are started, and
    // the lobby program's path (empty: not installed).
    void setInstallerAddress(const QString& address, bool insecureLoopback = false);
    void setProgramRunner(ProgramRunner runner);
    void setLobbyProgram(const QString& path);

Q_SIGNALS:
    // The game is to close ("Exit" of the main window).
    void exitRequested();

private:
    void buildPanels();
    void HttpCli1HeaderData(const QByteArray& line);
    void HttpCli1DocBegin();
    void HttpCli1DocData(qint64 received);
    void HttpCli1RequestDone(const HttpResult& result);
    bool closeFile(bool keep);
    void install();

    int outcomeMark_ = 1;
    QString address_ = QString::fromLatin1(kInstallerAddress);
    bool insecureLoopback_ = false;
    ProgramRunner runner_ = runDetached;
    std::optional<QString> lobbyProgram_;
    // Declared before the client so that the client's worker, which writes
    // into it, has stopped before the file goes.
    std::unique_ptr<QSaveFile> file_;
    HttpGet HttpCli1;
};

} // namespace glypharo
