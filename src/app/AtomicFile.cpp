#include "app/AtomicFile.h"

#include <QSaveFile>
#include <QString>

namespace glypharo {

bool writeFileAtomically(const std::string& path, std::string_view data)
{
    // QSaveFile writes a scratch file beside the target and renames it into
    // place on commit, on every platform we build for.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data.data(), static_cast<qint64>(data.size())) != static_cast<qint64>(data.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace glypharo
