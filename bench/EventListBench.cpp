#include "core/DeviceEvent.h"

#include <benchmark/benchmark.h>

#include <vector>

// A frame's event list of 1024 events from four devices, 256 each, read in
// ascending time with pairs of equal time stamps, over the same span of time,
// so that every device's events fall between the others': added one by one
// with addEvent, and a device's run at a time with addEvents.

namespace {

std::vector<DeviceEventList> deviceRuns() {
    std::vector<DeviceEventList> runs(4);
    for (int32_t d = 0; d < 4; ++d) {
        for (uint32_t i = 0; i < 256; ++i)
            runs[d].push_back(DeviceEvent{d * 1024 + static_cast<int32_t>(i % 64), 1, true, 5000 + i / 2 * 4 + d, 0});
    }
    return runs;
}

void BM_EventList1024OneByOne(benchmark::State& state) {
    const std::vector<DeviceEventList> runs = deviceRuns();
    DeviceEventList list;
    list.reserve(1024);
    for (auto _ : state) {
        list.clear();
        for (const DeviceEventList& run : runs) {
            for (const DeviceEvent& event : run)
                addEvent(list, event);
        }
        benchmark::DoNotOptimize(list.data());
    }
}

void BM_EventList1024ByRuns(benchmark::State& state) {
    const std::vector<DeviceEventList> runs = deviceRuns();
    DeviceEventList list;
    list.reserve(1024);
    for (auto _ : state) {
        list.clear();
        for (const DeviceEventList& run : runs)
            addEvents(list, run);
        benchmark::DoNotOptimize(list.data());
    }
}

} // namespace

BENCHMARK(BM_EventList1024OneByOne);
BENCHMARK(BM_EventList1024ByRuns);
