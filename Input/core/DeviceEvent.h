#ifndef VORLAN_CORE_DEVICEEVENT_H
#define VORLAN_CORE_DEVICEEVENT_H

#include <cstdint>
#include <vector>

// One raw happening read from a device in the current frame.
struct DeviceEvent {
    int32_t code = 0;      // device block base + the device's offset of the input
    int32_t value = 0;     // keys: 1 down, 0 up; axes: the axis value
    bool absolute = true;  // false only for relative axis motion (mouse axes)
    uint32_t time = 0;     // milliseconds
    uint32_t device = 0;   // device block base (the head tracker puts 0 here)
};

// The frame's events in ascending time order. A frame holds a few dozen events
// at most, so a contiguous vector beats a node list for insertion and walking.
using DeviceEventList = std::vector<DeviceEvent>;

// Inserts before the first event whose time is >= the new one's (plain unsigned
// comparison), so among equal times the event added last comes first.
void addEvent(DeviceEventList& list, const DeviceEvent& event);

// Adds a device's events, given in the order read, to an ordered list with the
// same result as addEvent on each in turn, in O(n log n) rather than
// quadratic time: the run is put in that order on its own, then merged.
void addEvents(DeviceEventList& list, DeviceEventList run);

#endif
