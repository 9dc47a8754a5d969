#pragma once

#include "app/Tchat.h"

#include <QStringList>

#include <memory>

namespace glypharo {

class SingleInstance;

// Every window of the program, created in the fixed order: the main window,
// the host, then the dialogs. Destruction runs in reverse, so the tally is
// saved and the dictionary file removed after the main window has closed.
class GameWindows {
public:
    GameWindows(const QStringList& params, SingleInstance& instance);
    ~GameWindows();

    std::unique_ptr<Tchat> chat;

private:
    struct Rest;
    std::unique_ptr<Rest> rest_;
};

} // namespace glypharo
