#include "core/DeviceEvent.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

DeviceEvent at(uint32_t time, int32_t code) {
    DeviceEvent e;
    e.code = code;
    e.time = time;
    return e;
}

std::vector<int32_t> codes(const DeviceEventList& list) {
    std::vector<int32_t> out;
    for (const DeviceEvent& e : list)
        out.push_back(e.code);
    return out;
}

} // namespace

TEST(DeviceEventTest, EqualTimesPutTheLaterAddedEventFirst) {
    DeviceEventList list;
    addEvent(list, at(10, 1));
    addEvent(list, at(20, 2));
    addEvent(list, at(10, 3));
    EXPECT_EQ(codes(list), (std::vector<int32_t>{3, 1, 2}));
}

TEST(DeviceEventTest, OrderIsPlainUnsignedSoAWrappedTimeGoesFirst) {
    DeviceEventList list;
    addEvent(list, at(0xFFFFFFF0u, 1));
    addEvent(list, at(0xFFFFFFFFu, 2));
    addEvent(list, at(5, 3));        // the tick count wrapped around
    addEvent(list, at(0xFFFFFFF8u, 4));
    EXPECT_EQ(codes(list), (std::vector<int32_t>{3, 1, 4, 2}));
}

// Runs of random times (repeats, steps back, wrapped values) added device by
// device give the order of adding their events one by one.
TEST(DeviceEventTest, RunsAddedAtOnceKeepTheOrderOfAddingOneByOne) {
    std::mt19937 rng(21);
    auto pick = [&rng](uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng); };
    for (int trial = 0; trial < 500; ++trial) {
        DeviceEventList oneByOne, merged;
        int32_t code = 0;
        for (uint32_t devices = 1 + pick(5); devices > 0; --devices) {
            DeviceEventList run;
            uint32_t time = pick(2) ? pick(40) : 0xFFFFFFF0u + pick(16);
            for (uint32_t n = pick(12); n > 0; --n) {
                const uint32_t step = pick(10);
                time = step < 5 ? time + step : step < 8 ? time : time - pick(20);
                run.push_back(at(time, ++code));
                addEvent(oneByOne, run.back());
            }
            addEvents(merged, run);
        }
        ASSERT_EQ(codes(merged), codes(oneByOne)) << "trial " << trial;
    }
}
