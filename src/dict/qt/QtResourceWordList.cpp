#include "dict/qt/QtResourceWordList.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <utility>

// The resources sit in a static library; naming their initialiser keeps the
// linker from dropping them. It must be called outside any namespace.
static void initwordresources()
{
    Q_INIT_RESOURCE(words);
}

namespace glypharo {

namespace {

std::optional<QByteArray> readresource(const std::string& name)
{
    static const bool initialised = (initwordresources(), true);
    (void)initialised;
    QFile file(QString::fromStdString(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

QtResourceWordList::QtResourceWordList(std::string resource)
    : resource_(std::move(resource))
{
}

std::optional<std::string> QtResourceWordList::load()
{
    const std::optional<QByteArray> data = readresource(resource_);
    if (!data)
        return std::nullopt;
    return data->toStdString();
}

std::vector<std::string> QtResourceWordList::computerwords(const std::string& resource)
{
    std::vector<std::string> words;
    const std::optional<QByteArray> data = readresource(resource);
    if (!data)
        return words;
    for (const QByteArray& line : data->split('\n')) {
        const QByteArray word = line.trimmed();
        if (!word.isEmpty())
            words.push_back(word.toStdString());
    }
    return words;
}

} // namespace glypharo
