#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace glypharo {

// One running copy per user. The first copy listens on a local socket named
// "roomxev"; a second start connects to it, which makes the first copy
// restore and raise its window, and then ends before creating any window.
// The lock file "glypharo" in the per-user temp folder is held for the whole
// run, for the lobby program to see that the game is running.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString name = QStringLiteral("roomxev"), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another copy answered and has been asked to show itself.
    bool handOverToFirst();
    // Starts listening for later copies; removes a stale socket left by a
    // killed run.
    bool becomeFirst();
    // Takes the lock file "glypharo" without waiting; false when another
    // process holds it.
    bool holdMutex(const QString& name = QStringLiteral("glypharo"));

Q_SIGNALS:
    void activateRequested();

private:
    QString name_;
    QLocalServer server_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace glypharo
