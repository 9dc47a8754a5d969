#include "app/AppWindows.h"
#include "app/CommandLine.h"
#include "app/Desktop.h"
#include "app/Latin1.h"
#include "app/ProgramFolder.h"
#include "app/ServeMain.h"
#include "app/SettingsFile.h"
#include "app/SingleInstance.h"
#include "net/TSock.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string>
#include <vector>

using namespace glypharo;

int main(int argc, char** argv)
{
    // Options are answered before any QApplication exists: a QApplication
    // without a display aborts, and --help must work on a bare terminal.
    std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine cl = parseCommandLine(args);
    switch (cl.mode) {
    case CommandLine::Mode::Help:
        std::fputs(usageText(), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::puts("glypharo 1.0.1");
        return 0;
    case CommandLine::Mode::Error:
        std::fprintf(stderr, "glypharo: %s\n\n%s", cl.error.c_str(), usageText());
        return 2;
    case CommandLine::Mode::Serve:
        return runServe(argc, argv, [] {
            return SettingsFile(ss(programFile(QString::fromLatin1(SettingsFile::kFileName)))).readBotspeed();
        });
    case CommandLine::Mode::Game:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Glypharo"));
    QApplication::setOrganizationName(QStringLiteral("Vexmoor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/glypharo.png")));

    // A second start shows the first copy's window and ends before creating
    // any window of its own.
    // A failure that no handler dealt with is reported in one message box,
    // after which the program goes on. It is shown from the event loop, not
    // from inside the socket event that failed.
    TSock::setEventErrorHook([](const char* message) {
        QString text = QString::fromLocal8Bit(message);
        QMetaObject::invokeMethod(
            qApp, [text] { showMessage(text); }, Qt::QueuedConnection);
    });

    SingleInstance instance;
    if (instance.handOverToFirst())
        return 0;
    instance.becomeFirst();

    GameWindows windows(cl.positional, instance);
    windows.chat->show();
    return app.exec();
}
