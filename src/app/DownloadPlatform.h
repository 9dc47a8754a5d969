#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace glypharo {

// Where the lobby's installer is published.
inline constexpr const char* kInstallerAddress = "https://www.vexmoor.com/download/VexmoorLobbySetup.exe";

// The parameters that make the installer run without questions.
QStringList installerParameters();

// The installer's file name: the address after its last "/". Empty when
// that leaves nothing usable as a file name in the program folder.
QString installerFileName(const QString& address);

// The shell's "open" of a program with parameters; false when the system
// could not start it. Replaceable in tests.
using ProgramRunner = std::function<bool(const QString& program, const QStringList& args)>;
bool runDetached(const QString& program, const QStringList& args);

// Gives the owner the right to run the file (a downloaded file has none on
// Unix); a no-op on Windows.
bool makeExecutable(const QString& path);

// The installed lobby program: its fixed install path on Windows; elsewhere
// "VexmoorLobby" in the program folder or on PATH. Empty when not found.
QString defaultLobbyProgram();

} // namespace glypharo
