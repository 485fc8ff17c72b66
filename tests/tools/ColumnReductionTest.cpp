// The report's charts thin long sessions per pixel column without losing what
// a person must see: held values stay level, every column keeps its extremes,
// and an hour of frames makes a few points per column.

#include "ColumnReduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

TEST(ColumnReductionTest, AValueHoldsLevelUntilTheNextAndToTheLastFrame) {
    const ColumnReduction reduce(20, 100);
    const SvgPlot::Points expected{{1, 0.5}, {10, 0.5}, {10, -0.5}, {20, -0.5}};
    EXPECT_EQ(reduce.steps({{1, 0.5}, {10, -0.5}}), expected);
    EXPECT_TRUE(reduce.steps({}).empty());
}

TEST(ColumnReductionTest, AnHourKeepsEveryColumnsExtremesInFourPointsAtMost) {
    const uint32_t frames = 216000;
    const int columns = 1000;
    ColumnReduction::Steps values;
    for (uint32_t frame = 1; frame <= frames; ++frame)
        values.emplace_back(frame, std::sin(frame * 0.37) * std::cos(frame / 5000.0));
    const SvgPlot::Points points = ColumnReduction(frames, columns).steps(values);
    EXPECT_LE(points.size(), 4u * columns + 1);

    // The points of a column span the values held during its frames, the one
    // held on entry included.
    for (int column = 0; column < columns; column += 97) {
        const uint32_t first = std::max<uint32_t>(1, (column * frames + columns - 1) / columns);
        const uint32_t last = ((column + 1) * frames - 1) / columns;
        double least = 2, greatest = -2, drawnLeast = 2, drawnGreatest = -2;
        for (uint32_t frame = std::max(first - 1, 1u); frame <= last; ++frame) {
            least = std::min(least, values[frame - 1].second);
            greatest = std::max(greatest, values[frame - 1].second);
        }
        for (const auto& [x, y] : points)
            if (x >= first && x <= last) {
                drawnLeast = std::min(drawnLeast, y);
                drawnGreatest = std::max(drawnGreatest, y);
            }
        EXPECT_EQ(drawnLeast, least) << "column " << column;
        EXPECT_EQ(drawnGreatest, greatest) << "column " << column;
    }
}

TEST(ColumnReductionTest, BarsCloserThanAColumnMerge) {
    const ColumnReduction reduce(100, 10);  // a column is 10 frames
    const ColumnReduction::Spans expected{{1, 3}, {50, 60}};
    EXPECT_EQ(reduce.spans({{1, 2}, {2.5, 3}, {50, 60}}), expected);
}
