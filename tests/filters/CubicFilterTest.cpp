#include "Filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// Input and output range 1, so getValue(t) is the curve value at t.
CubicFilter curve(const std::vector<double>& points, double dx = 0.0, double sx = 1.0,
                  double dy = 0.0, double sy = 1.0, int n = 1000) {
    return CubicFilter(1.0, 1.0, sx, sy, dx, dy, points, n);
}

} // namespace

TEST(CubicFilterTest, DefaultCurveIsAStraightStaircase) {
    const CubicFilter filter;
    const double o = 1073741823.0;
    for (double t : {0.5, 0.0015, -0.0015, 1.0})
        EXPECT_NEAR(filter.getValue(t * o) / o, std::trunc(t * 1000.0) / 1000.0, 1e-9) << t;
}

TEST(CubicFilterTest, SplineRunsThroughItsPoints) {
    struct Case {
        std::vector<double> points;
        double dx, sx, dy, sy, t, value;
    };
    const std::vector<double> four{0.0, 0.1, 0.4, 1.0};
    const Case cases[] = {
        {four, 0.0, 1.0, 0.0, 1.0, 0.5, 0.2125},
        {four, 0.0, 1.0, 0.0, 1.0, 0.25, 0.0640625},
        {four, 0.1, 0.9, 0.05, 0.95, 0.5, 0.24125},
        {four, 0.1, 0.9, 0.05, 0.95, 0.1, 0.0},
        {four, 0.1, 0.9, 0.05, 0.95, 0.9, 0.95},
        // Two and three points make a spline too.
        {{0.0, 0.2, 0.5}, 0.0, 1.0, 0.0, 1.0, 0.5, 0.2},
        {{0.0, 0.2, 0.5}, 0.0, 1.0, 0.0, 1.0, 0.25, 0.090625},
        {{0.2, 0.6}, 0.0, 1.0, 0.0, 1.0, 0.75, 0.5},
        // sx beyond 1: the full deflection reads the table's last entry.
        {four, 0.0, 2.0, 0.0, 1.0, 1.0, 0.2125},
    };
    for (const Case& c : cases) {
        const CubicFilter filter = curve(c.points, c.dx, c.sx, c.dy, c.sy);
        EXPECT_NEAR(filter.getValue(c.t), c.value, 0.5e-5) << c.points.size() << " points, t " << c.t;
        EXPECT_NEAR(filter.getValue(-c.t), -c.value, 0.5e-5) << c.points.size() << " points, t " << c.t;
    }
    EXPECT_EQ(curve(four, 0.1, 0.9, 0.05, 0.95).getValue(0.1), 0.0);

    FilterInfo info;
    info.curvature = {0.0, 0.2, 0.5};
    const std::unique_ptr<Filter> made(createFilter(info));
    EXPECT_NEAR(made->getValue(-0.25 * 1073741823.0) / 1073741823.0, -0.090625, 0.5e-5);
}

TEST(CubicFilterTest, OvershootIsClampedToTheLiveRange) {
    const CubicFilter filter = curve({0.0, 0.0, 0.5, 1.0, 1.0}, 0.1, 0.9, 0.05, 0.95);
    for (double t = 0.1005; t < 1.0; t += 0.001) {
        EXPECT_GE(filter.getValue(t), 0.05) << t;
        EXPECT_LE(filter.getValue(t), 0.95) << t;
    }
}

TEST(CubicFilterTest, CurveChangesOnlyWithTheNextBuild) {
    CubicFilter filter = curve({0.0, 0.1, 0.4, 1.0});
    filter.setCurvature({0.0, 0.25, 0.5, 0.75, 1.0});
    EXPECT_NEAR(filter.getValue(0.5), 0.2125, 0.5e-5);
    filter.build(1000);
    EXPECT_NEAR(filter.getValue(0.5), 0.5, 0.5e-5);
}

TEST(CubicFilterTest, StepCountBelowOneIsTakenAsOne) {
    const CubicFilter one = curve({0.0, 0.5, 1.0}, 0.0, 1.5, 0.1, 0.9, 1);
    for (int n : {0, -1, -1000}) {
        const CubicFilter filter = curve({0.0, 0.5, 1.0}, 0.0, 1.5, 0.1, 0.9, n);
        for (double t : {0.2, 0.7, 0.99, 1.0})
            EXPECT_EQ(filter.getValue(t), one.getValue(t)) << "n " << n << ", t " << t;
    }
    // With one step the staircase holds the spline's start, then its end value.
    EXPECT_DOUBLE_EQ(one.getValue(0.7), 0.1);
    EXPECT_DOUBLE_EQ(one.getValue(1.0), 0.1 + 0.8 * (1.0 / 1.5));
}

TEST(CubicFilterTest, TableReadStaysInsideTheTableWhateverFieldsChange) {
    CubicFilter filter = curve({0.0, 0.3, 0.7, 1.0}, 0.0, 1.0, 0.1, 0.9, 10);
    const auto inLiveRange = [&](double x) {
        const double v = std::fabs(filter.getValue(x));
        return v == 0.0 || (v >= filter.getDeadzoneY() && v <= filter.getSaturationY());
    };
    filter.setSaturationX(3.0);
    EXPECT_TRUE(inLiveRange(1.0));
    filter.setDeadzoneX(-5.0);
    filter.setInRange(-1.0);
    for (double x : {-2.0, -0.5, 0.5, 2.0})
        EXPECT_TRUE(inLiveRange(x)) << x;
    filter.setInRange(0.0);
    EXPECT_TRUE(inLiveRange(0.0));
    filter.setSlider(true);
    filter.setInRange(-1.0);
    for (double x : {-2.0, 0.0, 2.0})
        EXPECT_TRUE(inLiveRange(x)) << x;
}
