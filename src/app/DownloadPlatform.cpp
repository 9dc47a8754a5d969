#include "app/DownloadPlatform.h"

#include "app/ProgramFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace glypharo {

QStringList installerParameters()
{
    return {QStringLiteral("/SP-"), QStringLiteral("/silent"), QStringLiteral("/noicons")};
}

QString installerFileName(const QString& address)
{
    const QString name = address.mid(address.lastIndexOf(QLatin1Char('/')) + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(QLatin1Char('\\')) || name.contains(QLatin1Char(':')))
        return {};
    return name;
}

bool runDetached(const QString& program, const QStringList& args)
{
    return QProcess::startDetached(program, args);
}

bool makeExecutable(const QString& path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return true;
#else
    QFile file(path);
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
#endif
}

QString defaultLobbyProgram()
{
#ifdef Q_OS_WIN
    const QString path = QStringLiteral("C:\\Program Files\\Vexmoor\\VexmoorLobby.exe");
    return QFileInfo::exists(path) ? path : QString();
#else
    const QFileInfo local(programFile(QStringLiteral("VexmoorLobby")));
    if (local.isFile() && local.isExecutable())
        return local.absoluteFilePath();
    return QStandardPaths::findExecutable(QStringLiteral("VexmoorLobby"));
#endif
}

} // namespace glypharo
