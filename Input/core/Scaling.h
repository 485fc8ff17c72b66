#ifndef VORLAN_CORE_SCALING_H
#define VORLAN_CORE_SCALING_H

#include <cmath>
#include <cstdint>
#include <limits>

// The double nearest 1/16383: 16383 device units span the axis scale.
inline constexpr double unitsToAxisScale = 6.103888176768602e-05;

// The one conversion of a double to a 32-bit integer (axis readings, filter
// results, force-feedback units, script numbers): truncates toward zero;
// values beyond the 32-bit range saturate, NaN gives 0.
inline int32_t truncateToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

#endif
