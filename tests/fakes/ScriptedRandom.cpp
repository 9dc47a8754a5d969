#include "fakes/ScriptedRandom.h"

namespace glypharo::fakes {

int ScriptedRandom::below(int n)
{
    ++draws_;
    if (n <= 1)
        return 0;
    if (!script_.empty()) {
        int v = script_.front();
        script_.pop_front();
        return ((v % n) + n) % n;
    }
    return engine_.below(n);
}

} // namespace glypharo::fakes
