#include "platform/Clock.h"

namespace Platform {

namespace {
TickClock currentTickClock = tickCount;
}

TickClock setTickClock(TickClock clock) {
    const TickClock previous = currentTickClock;
    currentTickClock = clock ? clock : tickCount;
    return previous;
}

uint32_t ticks() { return currentTickClock(); }

} // namespace Platform
