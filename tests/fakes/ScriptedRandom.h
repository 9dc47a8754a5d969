#pragma once

#include "protocol/Random.h"

#include <cstdint>
#include <deque>

namespace glypharo::fakes {

// Hands out scripted values first (each taken modulo the asked range), then
// falls back to a seeded engine so long games stay reproducible.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::uint32_t seed = 1)
        : engine_(seed)
    {
    }
    void push(int value) { script_.push_back(value); }
    int below(int n) override;
    int draws() const { return draws_; }

private:
    std::deque<int> script_;
    EngineRandom engine_;
    int draws_ = 0;
};

} // namespace glypharo::fakes
