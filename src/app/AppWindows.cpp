#include "app/AppWindows.h"

#include "app/HostForm.h"
#include "app/ProgramFolder.h"
#include "app/SingleInstance.h"
#include "app/Tabout.h"
#include "app/Tdownload.h"
#include "app/Tgamestart.h"
#include "app/Thelp.h"
#include "app/Tphrases.h"
#include "app/Tspylist.h"
#include "app/Ttallylist.h"
#include "widgets/BackgroundTiler.h"
#include "widgets/SoundResources.h"

namespace glypharo {

struct GameWindows::Rest {
    std::unique_ptr<HostForm> server;
    std::unique_ptr<Tabout> about;
    std::unique_ptr<Tgamestart> gamestart;
    std::unique_ptr<Thelp> help;
    std::unique_ptr<Tphrases> phrases;
    std::unique_ptr<Tspylist> spylist;
    std::unique_ptr<Ttallylist> tallylist;
    std::unique_ptr<Tdownload> download;
};

GameWindows::GameWindows(const QStringList& params, SingleInstance& instance)
    : rest_(std::make_unique<Rest>())
{
    initSoundResources();
    chat = std::make_unique<Tchat>(params);
    instance.holdMutex();
    QObject::connect(&instance, &SingleInstance::activateRequested, chat.get(), [w = chat.get()] {
        if (w->isMinimized())
            w->showNormal();
        w->raise();
        w->activateWindow();
    });

    Tchat* c = chat.get();
    rest_->server = std::make_unique<HostForm>([c] { return c->settings.botspeed; });
    rest_->about = std::make_unique<Tabout>(c);
    rest_->gamestart = std::make_unique<Tgamestart>(c);
    rest_->help = std::make_unique<Thelp>(c);
    rest_->phrases = std::make_unique<Tphrases>(c);
    rest_->spylist = std::make_unique<Tspylist>(c);
    rest_->tallylist = std::make_unique<Ttallylist>(programFolder(), c);
    rest_->download = std::make_unique<Tdownload>(c);

    // Every window shows the main window's tiled background.
    BackgroundTiler::install(c);
    for (QWidget* w :
        std::initializer_list<QWidget*>{rest_->about.get(), rest_->gamestart.get(), rest_->help.get(),
            rest_->phrases.get(), rest_->spylist.get(), rest_->tallylist.get(), rest_->download.get()})
        BackgroundTiler::install(w);

    AppWindows w;
    w.server = rest_->server.get();
    w.about = rest_->about.get();
    w.gamestart = rest_->gamestart.get();
    w.help = rest_->help.get();
    w.phrases = rest_->phrases.get();
    w.spylist = rest_->spylist.get();
    w.tallylist = rest_->tallylist.get();
    w.download = rest_->download.get();
    chat->setWindows(w);
    QObject::connect(w.download, &Tdownload::exitRequested, c, &QWidget::close);
}

GameWindows::~GameWindows()
{
    // The main window has closed; the others go in reverse order of
    // creation: the tally is saved, then the host's connections close and
    // the dictionary file is removed.
    rest_->download.reset();
    rest_->tallylist.reset();
    rest_->spylist.reset();
    rest_->phrases.reset();
    rest_->help.reset();
    rest_->gamestart.reset();
    rest_->about.reset();
    chat.reset();
    rest_->server.reset();
}

} // namespace glypharo
