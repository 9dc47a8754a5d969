#pragma once

#include "protocol/Ports.h"

#include <cstdint>
#include <random>

namespace glypharo {

// The production random source: a Mersenne Twister, seeded from the clock by
// default or from a fixed seed for reproducible runs.
class EngineRandom : public RandomSource {
public:
    EngineRandom();
    explicit EngineRandom(std::uint32_t seed)
        : engine_(seed)
    {
    }
    int below(int n) override;
    void seed(std::uint32_t s) { engine_.seed(s); }

private:
    std::mt19937 engine_;
};

} // namespace glypharo
