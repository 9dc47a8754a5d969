#pragma once

#include "protocol/Ports.h"

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

    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    void setInterval(int ms) override { timer_.setInterval(ms); }
    int interval() const override { return timer_.interval(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> tick_;
};

} // namespace glypharo
