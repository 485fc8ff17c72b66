#include "core/DeviceEvent.h"

#include <algorithm>

void addEvent(DeviceEventList& list, const DeviceEvent& event) {
    auto at = std::find_if(list.begin(), list.end(),
                           [&](const DeviceEvent& e) { return e.time >= event.time; });
    list.insert(at, event);
}
