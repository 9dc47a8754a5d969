#pragma once

#include "protocol/Ports.h"

#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <utility>

namespace glypharo {

// A rule Timer driven by a QTimer on the owning thread's event loop. Each
// timeout calls `tick`, the owner's tick method (`socktimerTimer`, ...).
// Every interval uses a precise timer: a 1 ms or 10 ms queue timer must not
// be rounded up to coarse slack, and a coarse one-second game clock may drift
// by 5 %, about as much as the host's grace over the clients' turn clocks.
class QtTimer : public Timer {
public:
    explicit QtTimer(std::function<void()> tick = {});
    QtTimer(const QtTimer&) = delete;
    QtTimer& operator=(const QtTimer&) = delete;

    // Set before the first start when the owner is built after the timer.
    void setTick(std::function<void()> tick) { tick_ = std::move(tick); }

    // A queue timer that stops while its queue is empty: a start that comes
    // more than one interval after the last tick ticks at once instead of a
    // whole interval later, as a timer that had kept running would have
    // ticked by then. Ticks stay at least one interval apart.
    void setResumeAtOnce(bool on) { resumeAtOnce_ = on; }

    void start() override;
    void stop() override { timer_.stop(); }
    void setInterval(int ms) override
    {
        interval_ = ms;
        timer_.setInterval(ms);
    }
    int interval() const override { return interval_; }
    bool isActive() const override { return timer_.isActive(); }

private:
    void timeout();

    QTimer timer_;
    std::function<void()> tick_;
    int interval_ = 0;
    bool resumeAtOnce_ = false;
    QElapsedTimer sinceTick_;
};

} // namespace glypharo
