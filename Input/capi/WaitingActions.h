#ifndef VORLAN_CAPI_WAITINGACTIONS_H
#define VORLAN_CAPI_WAITINGACTIONS_H

#include "VorlanAction.h"
#include "VorlanC.h"

#include <cstddef>
#include <vector>

// The actions of the last collected frame that the host has not taken yet, so
// that a caller's array too small for a frame loses none: the rest waits for
// the next call, which collects no new frame while any wait.
class WaitingActions {
public:
    // Writes up to capacity actions into out, collecting the next frame first
    // when none wait; returns how many it wrote. The facade does the collecting.
    int take(vorlan_action* out, int capacity);
    bool empty() const { return next == frame.size(); }
    void drop();

private:
    void collect();

    std::vector<VorlanAction> frame;
    std::size_t next = 0;
};

#endif
