#pragma once

#include <QString>

namespace glypharo {

// The folder for the settings file and the tally: GLYPHARO_HOME when set,
// else the executable's folder when it is writable, else the per-user data
// folder (created on demand).
QString programFolder();
QString programFile(const QString& name);

} // namespace glypharo
