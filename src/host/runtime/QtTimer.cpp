#include "host/runtime/QtTimer.h"

#include <utility>

namespace glypharo {

QtTimer::QtTimer(std::function<void()> tick)
    : tick_(std::move(tick))
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { timeout(); });
}

void QtTimer::start()
{
    if (!resumeAtOnce_) {
        timer_.start(interval_);
        return;
    }
    const qint64 idle = sinceTick_.isValid() ? sinceTick_.elapsed() : interval_;
    timer_.start(idle >= interval_ ? 0 : static_cast<int>(interval_ - idle));
}

void QtTimer::timeout()
{
    if (resumeAtOnce_) {
        sinceTick_.start();
        if (timer_.interval() != interval_)
            timer_.setInterval(interval_); // back to the full period from this tick
    }
    if (tick_)
        tick_();
}

} // namespace glypharo
