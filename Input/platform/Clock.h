#ifndef VORLAN_PLATFORM_CLOCK_H
#define VORLAN_PLATFORM_CLOCK_H

#include <cstdint>

namespace Platform {

// Calendar time with milliseconds, as the log's time lines print it.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The local time now.
LocalTime localTime();

// Milliseconds from a fixed point in the past; wraps around after 2^32.
uint32_t tickCount();

} // namespace Platform

#endif
