#pragma once

// The small interfaces through which the game rules reach the outside world.
// The Qt runtime binds them to QTimer and a real random engine; tests bind
// them to fakes they tick and seed by hand.

namespace glypharo {

// A periodic timer. Its ticks are plain method calls on the rule object that
// owns it (`timer_turnTimer()`, ...): the runtime connects a QTimer's timeout
// to that method, a test calls it directly while isActive() is true.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual bool isActive() const = 0;
};

// Uniform random integers. `below(n)` returns 0 .. n-1 (n >= 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int below(int n) = 0;
};

} // namespace glypharo
