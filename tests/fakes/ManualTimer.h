#pragma once

#include "protocol/Ports.h"

namespace glypharo::fakes {

// A timer that never fires by itself. Tests read its state and call the
// owner's tick method while it is active.
class ManualTimer : public Timer {
public:
    void start() override;
    void stop() override { active_ = false; }
    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    bool isActive() const override { return active_; }

    int starts() const { return starts_; }

private:
    bool active_ = false;
    int interval_ = 0;
    int starts_ = 0;
};

} // namespace glypharo::fakes
