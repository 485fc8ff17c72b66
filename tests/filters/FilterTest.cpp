#include "Filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

TEST(FilterTest, ShapesTheNormalisedInputThroughItsCurve) {
    // t and value are on the normalised scale: the filter maps +-1000 onto +-100.
    struct Case {
        std::vector<double> curve;
        double dx, sx, dy, sy, t, value;
        bool slider = false, invert = false;
        int n = 1000;
    };
    const std::vector<double> line{0.0}, four{0.0, 0.1, 0.4, 1.0}, three{0.0, 0.2, 0.5};
    const Case cases[] = {
        {{0.1}, 0, 1, 0, 1, 0.5, 0.37754}, {{-0.1}, 0, 1, 0, 1, 0.5, 0.62246},
        {{0.5}, 0, 1, 0, 1, 0.5, 0.07586}, {line, 0, 2, 0, 1, 1.5, 0.5},
        // Zero up to the dead zone's edge, dy just past it.
        {line, 0.1, 1, 0.2, 1, 0.1, 0.0}, {line, 0.1, 1, 0.2, 1, 0.100001, 0.2},
        {line, 0.1, 1, 0.2, 1, 0.55, 0.6}, {line, 0, 0.8, 0, 0.9, 0.4, 0.45},
        {line, 0, 0.8, 0, 0.9, 0.95, 0.9}, {line, 0, 1, 0, 1, 0.5, -0.5, false, true},
        // A slider runs the curve once from end to end; its dead zone is at the low end.
        {line, 0, 1, 0, 1, 0.0, 0.0, true}, {line, 0, 1, 0, 1, -0.5, -0.5, true},
        {line, 0, 1, 0, 1, -1.0, 1.0, true, true}, {line, 0.1, 1, 0, 1, -0.8, -1.0, true},
        {line, 0.1, 1, 0, 1, -0.79, -1.0 + 0.01 / 0.9, true},
        {four, 0, 1, 0, 1, 0.5, 0.2125}, {four, 0, 1, 0, 1, 0.25, 0.0640625},
        {four, 0.1, 0.9, 0.05, 0.95, 0.5, 0.24125}, {four, 0.1, 0.9, 0.05, 0.95, 0.1, 0.0},
        {four, 0.1, 0.9, 0.05, 0.95, 0.9, 0.95}, {four, 0, 2, 0, 1, 1.0, 0.2125},
        // The spline's overshoot is cut off at dy and sy.
        {{0, 0, 0.5, 1, 1}, 0.1, 0.9, 0.05, 0.95, 0.2, 0.05},
        {{0, 0, 0.5, 1, 1}, 0.1, 0.9, 0.05, 0.95, 0.8, 0.95},
        // sy is tested before dy: with sy below dy the live range reads sy, and an
        // overshoot past sy reads dy.
        {{0, .25, .5, .75, 1}, 0, 1, 0, -0.5, 0.5, -0.5},
        {{0, 0, 0.5, 1, 1}, 0, 1, 0, -0.5, 0.1, -0.5},
        {{0, 0, 0.5, 1, 1}, 0, 1, 0, -0.5, 0.85, 0.0},
        // Two and three points make a spline too.
        {three, 0, 1, 0, 1, 0.5, 0.2}, {three, 0, 1, 0, 1, 0.25, 0.090625},
        {{0.2, 0.6}, 0, 1, 0, 1, 0.75, 0.5},
        // Fewer than one table step is one step: the table's first entry, then its last.
        {{0, 0.5, 1}, 0, 1.5, 0.1, 0.9, 0.7, 0.1, false, false, -1},
        {{0, 0.5, 1}, 0, 1.5, 0.1, 0.9, 1.0, 0.1 + 0.8 / 1.5, false, false, 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<Filter> f(new SimpleFilter(1000, 100, c.sx, c.sy, c.dx, c.dy, c.curve[0]));
        if (c.curve.size() > 1)
            f.reset(new CubicFilter(1000, 100, c.sx, c.sy, c.dx, c.dy, c.curve, c.n));
        f->setSlider(c.slider);
        f->invert(c.invert);
        for (double sign : {1.0, c.slider ? 1.0 : -1.0}) // an ordinary axis is odd
            EXPECT_NEAR(f->getValue(sign * c.t * 1000) / 100, sign * c.value, 0.5e-5)
                << "case " << &c - cases << ", sign " << sign;
    }
}

TEST(SimpleFilterTest, ExponentialCurveStaysExactFiniteAndRisingForEveryCurvature) {
    const double dx = 0.1, sx = 0.9, dy = 0.05, sy = 0.95;
    // Live-range positions from just past the dead zone to just short of saturation.
    std::vector<double> live{std::nextafter(dx, 1.0), dx + 1e-12, dx + 1e-9};
    for (int i = 1; i < 1000; ++i)
        live.push_back(dx + (sx - dx) * i / 1000);
    for (double gap : {1e-9, 1e-12})
        live.push_back(sx - gap);
    live.push_back(std::nextafter(sx, 0.0));
    for (double k : {1e-17, -1e-17, 1e-16, 1e-12, -1e-12, 1e-6, -1e-6, 0.099, 0.1, -0.1, 0.5,
                     -0.5, 5.0, 70.0, 71.0, 100.0, 1000.0, -1000.0, 1e300, -1e300, 1.7e308,
                     -1.7e308}) {
        const SimpleFilter f(1.0, 1.0, sx, sy, dx, dy, k);
        double previous = dy;
        for (double t : live) {
            const double v = f.getValue(t);
            if (!(std::isfinite(v) && v >= previous && v <= sy)) {
                ADD_FAILURE() << "k " << k << ", t " << t << ": " << v << " after " << previous;
                break;
            }
            previous = v;
            // Long double holds e^(10k) up to k = 1135.
            if (std::fabs(k) <= 1000) {
                const long double u = (t - dx) / (sx - dx), a = 10.0L * k;
                const long double curve = std::expm1(a * u) / std::expm1(a);
                EXPECT_NEAR(v, static_cast<double>(dy + (sy - dy) * curve), 1e-12)
                    << "k " << k << ", t " << t;
            }
        }
        for (double t : {sx, 1.0, 2.0})
            EXPECT_EQ(f.getValue(t), sy) << k << ", " << t;
    }
}

TEST(FilterTest, DefaultFiltersPassTheAxisScaleThroughTheLowerStepOfTheirTable) {
    const double r = 1073741823.0;
    const SimpleFilter simple;
    const CubicFilter cubic;
    const struct { double t, simple, cubic; } cases[] = {
        {-2.0, -1.0, -1.0},      {-1.0, -1.0, -1.0}, {-0.5, -0.5, -0.5}, {-0.0015, -0.0015, -0.001}, {0.0, 0.0, 0.0},
        {0.0015, 0.0015, 0.001}, {0.5, 0.5, 0.5},    {1.0, 1.0, 1.0},    {2.0, 1.0, 1.0}};
    for (const auto& c : cases) {
        EXPECT_NEAR(simple.getValue(c.t * r) / r, c.simple, 1e-9) << c.t;
        EXPECT_NEAR(cubic.getValue(c.t * r) / r, c.cubic, 1e-9) << c.t;
    }
}

TEST(FilterTest, CreateFilterPicksTheCurveAndKeepsTheCurvatureNonEmpty) {
    const double r = 1073741823.0;
    EXPECT_EQ(createFilter(FilterInfo()), nullptr);
    const std::vector<double> zero{0.0};
    const std::function<void(FilterInfo&)> changes[] = {
        [](FilterInfo& i) { i.curvature = {0.3}; }, [](FilterInfo& i) { i.curvature.clear(); },
        [](FilterInfo& i) { i.deadzone = 0.1; }, [](FilterInfo& i) { i.saturationX = 0.9; },
        [](FilterInfo& i) { i.saturationY = 0.9; }, [](FilterInfo& i) { i.slider = true; },
        [](FilterInfo& i) { i.invert = true; }, [](FilterInfo& i) { i.curvature = {0.0, 1.0}; },
    };
    for (const auto& change : changes) {
        FilterInfo info;
        change(info);
        const std::unique_ptr<Filter> f(createFilter(info));
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(dynamic_cast<CubicFilter*>(f.get()) != nullptr, info.curvature.size() > 1);
        const FilterInfo back = f->getInfo();
        EXPECT_EQ(std::make_tuple(back.deadzone, back.saturationX, back.saturationY, back.slider, back.invert,
                                  f->getDeadzoneY(), f->getInRange(), f->getOutRange(), back.curvature),
                  std::make_tuple(info.deadzone, info.saturationX, info.saturationY, info.slider, info.invert, 0.0, r,
                                  r, info.curvature.empty() ? zero : info.curvature));
        f->setCurvature({});
        EXPECT_EQ(f->getCurvature(), zero);
    }
    FilterInfo line;
    line.curvature = {0.0, 0.5};
    EXPECT_NEAR(std::unique_ptr<Filter>(createFilter(line))->getValue(r / 2) / r, 0.25, 1e-9);
}

TEST(CubicFilterTest, TableReadStaysInsideTheTableWhateverFieldsChangeAfterBuild) {
    CubicFilter filter(1.0, 1.0, 1.0, 0.9, 0.0, 0.1, {0.0, 0.3, 0.7, 1.0}, 10);
    // Past a dead zone below zero, normalised inputs below zero or NaN.
    filter.setDeadzoneX(-5.0);
    for (double range : {1.0, 0.0, -1.0}) {
        filter.setInRange(range);
        for (double x : {-2.0, -0.5, 0.0, 0.5, 2.0, std::nan("")})
            EXPECT_LE(std::fabs(filter.getValue(x)), 0.9) << range << ", " << x;
    }
}
