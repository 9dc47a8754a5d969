#include "protocol/Random.h"

#include <chrono>

namespace glypharo {

EngineRandom::EngineRandom()
    : engine_(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()
        ^ std::chrono::system_clock::now().time_since_epoch().count()))
{
}

int EngineRandom::below(int n)
{
    if (n <= 1)
        return 0;
    std::uniform_int_distribution<int> dist(0, n - 1);
    return dist(engine_);
}

} // namespace glypharo
