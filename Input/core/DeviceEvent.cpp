#include "core/DeviceEvent.h"

#include <algorithm>

void addEvent(DeviceEventList& list, const DeviceEvent& event) {
    auto at = std::find_if(list.begin(), list.end(),
                           [&](const DeviceEvent& e) { return e.time >= event.time; });
    list.insert(at, event);
}

namespace {

bool earlier(const DeviceEvent& a, const DeviceEvent& b) { return a.time < b.time; }

// Ascending time, and among equal times the event read last first. Runs are
// mostly in time order already, so the sort is skipped then.
void orderRun(DeviceEventList& run) {
    if (!std::is_sorted(run.begin(), run.end(), earlier))
        std::stable_sort(run.begin(), run.end(), earlier);
    for (auto group = run.begin(); group != run.end();) {
        const auto next = std::upper_bound(group, run.end(), *group, earlier);
        std::reverse(group, next);
        group = next;
    }
}

} // namespace

// Merged from the back, so the list grows in place; among equal times the
// list's own events go after the run's, as addEvent puts each new one first.
void addEvents(DeviceEventList& list, DeviceEventList run) {
    orderRun(run);
    size_t ours = list.size();
    size_t theirs = run.size();
    list.resize(ours + theirs);
    for (size_t out = list.size(); theirs > 0;) {
        if (ours > 0 && !earlier(list[ours - 1], run[theirs - 1]))
            list[--out] = list[--ours];
        else
            list[--out] = run[--theirs];
    }
}
