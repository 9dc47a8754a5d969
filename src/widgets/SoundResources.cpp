#include "widgets/SoundResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initsoundresourcesonce()
{
    Q_INIT_RESOURCE(sounds);
}

namespace glypharo {

void initSoundResources()
{
    static const bool done = (initsoundresourcesonce(), true);
    (void)done;
}

} // namespace glypharo
