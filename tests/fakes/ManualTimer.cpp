#include "fakes/ManualTimer.h"

namespace glypharo::fakes {

void ManualTimer::start()
{
    active_ = true;
    ++starts_;
}

} // namespace glypharo::fakes
