#include "core/DeviceEvent.h"

#include <gtest/gtest.h>

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
