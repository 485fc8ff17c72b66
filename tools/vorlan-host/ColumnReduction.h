#ifndef VORLAN_HOST_COLUMN_REDUCTION_H
#define VORLAN_HOST_COLUMN_REDUCTION_H

#include "SvgPlot.h"

#include <cstdint>
#include <utility>
#include <vector>

// Thins a session's series to what a plot of `columns` pixels across
// `frames` frames can show, so that an hour of input draws as quickly as a
// minute: per pixel column at most four points of a line, and on/off bars
// merged where their gap is narrower than a column.
class ColumnReduction {
public:
    using Steps = std::vector<std::pair<uint32_t, double>>;        // (frame, value), in frame order
    using Spans = std::vector<std::pair<double, double>>;          // (from frame, to frame)

    ColumnReduction(uint32_t frames, int columns);

    // A value that holds from its frame until the next one, as line points:
    // per column, the value held on entry, the least, the greatest and the
    // value on leaving; the last value runs on to the last frame.
    SvgPlot::Points steps(const Steps& values) const;

    // Spans in frame order, merged where the gap between two is under a column.
    Spans spans(const Spans& on) const;

private:
    int column(uint32_t frame) const;

    uint32_t frames;
    int columns;
};

#endif
