#include "host/runtime/QtTimer.h"

#include <utility>

namespace glypharo {

QtTimer::QtTimer(std::function<void()> tick)
    : tick_(std::move(tick))
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (tick_)
            tick_();
    });
}

} // namespace glypharo
