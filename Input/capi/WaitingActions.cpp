#include "capi/WaitingActions.h"

#include "Vorlan.h"

#include <algorithm>

namespace {

vorlan_action record(const VorlanAction& a) {
    return {a.getAction(), a.getValue(), a.hasValue(), a.isAbsolute(), a.getTime(), a.getDevice()};
}

} // namespace

int WaitingActions::take(vorlan_action* out, int capacity) {
    if (empty())
        collect();
    const std::size_t count = std::min(frame.size() - next, static_cast<std::size_t>(capacity));
    std::transform(frame.begin() + next, frame.begin() + next + count, out, record);
    next += count;
    return static_cast<int>(count);
}

void WaitingActions::drop() {
    frame.clear();
    next = 0;
}

// Keeps the vector's storage from frame to frame. A failed frame leaves nothing waiting.
void WaitingActions::collect() {
    drop();
    try {
        getGlobalInput()->process(frame);
    } catch (...) {
        drop();
        throw;
    }
}
