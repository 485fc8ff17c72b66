#include "Filter.h"

#include "core/Ref.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const double axisMax = 1073741823.0;

} // namespace

TEST(FilterTest, DefaultFilterPassesAxisValuesThroughAndClampsBeyondTheScale) {
    const SimpleFilter filter;
    for (double x : {-axisMax, -123456789.0, -1.0, 0.0, 1.0, 987654321.0, axisMax})
        EXPECT_NEAR(filter.getValue(x), x, 1e-6) << x;
    EXPECT_DOUBLE_EQ(filter.getValue(2147483646.0), axisMax);
    EXPECT_DOUBLE_EQ(filter.getValue(-4e9), -axisMax);
}

TEST(FilterTest, ExponentialCurveBendsByItsCurvature) {
    struct Case { double k, t, curve; };
    const Case cases[] = {{0.1, 0.5, 0.37754}, {-0.1, 0.5, 0.62246}, {0.5, 0.5, 0.07586},
                          {0.0, 0.3, 0.3}, {0.1, 1.0, 1.0}};
    for (const Case& c : cases) {
        const SimpleFilter filter(1.0, 1.0, 1.0, 1.0, 0.0, 0.0, c.k);
        EXPECT_NEAR(filter.getValue(c.t), c.curve, 0.5e-5) << "k " << c.k;
        EXPECT_NEAR(filter.getValue(-c.t), -c.curve, 0.5e-5) << "k " << c.k;
    }
}

TEST(FilterTest, ShapesDeadZoneSaturationInversionAndSliderMode) {
    struct Case {
        const char* name;
        std::function<void(Filter&)> setup;
        double input, output;
    };
    const auto none = [](Filter&) {};
    const auto deadzone = [](Filter& f) { f.setDeadzoneX(0.1); };
    const auto deadzoneY = [](Filter& f) { f.setDeadzoneX(0.1); f.setDeadzoneY(0.2); };
    const auto saturation = [](Filter& f) { f.setSaturationX(0.8); f.setSaturationY(0.9); };
    const auto inverted = [](Filter& f) { f.invert(true); };
    const auto slider = [](Filter& f) { f.setSlider(true); };
    const auto invertedSlider = [](Filter& f) { f.setSlider(true); f.invert(true); };
    const auto sliderDeadzone = [](Filter& f) { f.setSlider(true); f.setDeadzoneX(0.1); };
    // Input range 1000, output range 100.
    const Case cases[] = {
        {"centre", none, 0.0, 0.0},
        {"half", none, 500.0, 50.0},
        {"beyond +R", none, 1500.0, 100.0},
        {"beyond -R", none, -1e6, -100.0},
        {"dead zone edge", deadzone, 100.0, 0.0},
        {"inside dead zone", deadzone, -60.0, 0.0},
        {"past dead zone", deadzone, 100.001, 100.0 * (0.100001 - 0.1) / 0.9},
        {"live range", deadzone, -550.0, -50.0},
        {"dead zone Y edge", deadzoneY, -100.0, 0.0},
        {"past dead zone Y", deadzoneY, 100.001, 100.0 * (0.2 + 0.8 * (0.100001 - 0.1) / 0.9)},
        {"saturation point", saturation, 800.0, 90.0},
        {"saturated", saturation, -950.0, -90.0},
        {"below saturation", saturation, 400.0, 45.0},
        {"inverted", inverted, 500.0, -50.0},
        {"inverted negative", inverted, -250.0, 25.0},
        {"inverted centre", inverted, 0.0, 0.0},
        {"slider low end", slider, -1000.0, -100.0},
        {"slider middle", slider, 0.0, 0.0},
        {"slider high end", slider, 1000.0, 100.0},
        {"slider quarter", slider, -500.0, -50.0},
        {"inverted slider low end", invertedSlider, -1000.0, 100.0},
        {"inverted slider high end", invertedSlider, 1200.0, -100.0},
        {"slider dead zone at low end", sliderDeadzone, -850.0, -100.0},
        {"slider past its dead zone", sliderDeadzone, -790.0, -100.0 + 200.0 * (0.105 - 0.1) / 0.9},
    };
    for (const Case& c : cases) {
        SimpleFilter filter(1000.0, 100.0, 1.0, 1.0, 0.0, 0.0, 0.0);
        c.setup(filter);
        EXPECT_NEAR(filter.getValue(c.input), c.output, 1e-9) << c.name;
    }
}

TEST(FilterTest, InfoRoundTripsLeavesTheRangesAloneAndKeepsACurvature) {
    SimpleFilter filter(500.0, 50.0, 1.0, 1.0, 0.0, 0.25, 0.0);
    FilterInfo info;
    info.deadzone = 0.05;
    info.saturationX = 0.7;
    info.saturationY = 0.8;
    info.slider = true;
    info.invert = true;
    info.curvature = {0.2};
    filter.setInfo(info);
    const FilterInfo back = filter.getInfo();
    EXPECT_EQ(back.deadzone, 0.05);
    EXPECT_EQ(back.saturationX, 0.7);
    EXPECT_EQ(back.saturationY, 0.8);
    EXPECT_TRUE(back.slider && back.invert);
    EXPECT_EQ(back.curvature, std::vector<double>{0.2});
    EXPECT_EQ(filter.getInRange(), 500.0);
    EXPECT_EQ(filter.getOutRange(), 50.0);
    EXPECT_EQ(filter.getDeadzoneY(), 0.25);

    info.curvature.clear();
    filter.setInfo(info);
    EXPECT_EQ(filter.getCurvature(), std::vector<double>{0.0});
    filter.setCurvature({0.3});
    filter.setCurvature({});
    EXPECT_EQ(filter.getCurvature(), std::vector<double>{0.0});
}

TEST(FilterTest, CreateFilterChoosesByTheDescription) {
    EXPECT_EQ(createFilter(FilterInfo()), nullptr);

    struct Case {
        const char* name;
        std::function<void(FilterInfo&)> change;
        bool cubic;
        std::vector<double> curvature;
    };
    const Case cases[] = {
        {"curvature", [](FilterInfo& i) { i.curvature = {0.3}; }, false, {0.3}},
        {"empty curvature", [](FilterInfo& i) { i.curvature.clear(); }, false, {0.0}},
        {"dead zone", [](FilterInfo& i) { i.deadzone = 0.1; }, false, {0.0}},
        {"saturation X", [](FilterInfo& i) { i.saturationX = 0.9; }, false, {0.0}},
        {"saturation Y", [](FilterInfo& i) { i.saturationY = 0.9; }, false, {0.0}},
        {"slider", [](FilterInfo& i) { i.slider = true; }, false, {0.0}},
        {"invert", [](FilterInfo& i) { i.invert = true; }, false, {0.0}},
        {"two points", [](FilterInfo& i) { i.curvature = {0.0, 1.0}; }, true, {0.0, 1.0}},
    };
    for (const Case& c : cases) {
        FilterInfo info;
        c.change(info);
        std::unique_ptr<Filter> filter(createFilter(info));
        ASSERT_NE(filter, nullptr) << c.name;
        EXPECT_EQ(dynamic_cast<CubicFilter*>(filter.get()) != nullptr, c.cubic) << c.name;
        EXPECT_EQ(filter->getCurvature(), c.curvature) << c.name;
        info.curvature = c.curvature;
        const FilterInfo made = filter->getInfo();
        EXPECT_TRUE(made.deadzone == info.deadzone && made.saturationX == info.saturationX &&
                    made.saturationY == info.saturationY && made.slider == info.slider &&
                    made.invert == info.invert)
            << c.name;
        EXPECT_TRUE(filter->getInRange() == axisMax && filter->getOutRange() == axisMax &&
                    filter->getDeadzoneY() == 0.0)
            << c.name;
    }
}

TEST(FilterTest, CopiesStartWithTheirOwnReferenceCount) {
    Mem::Ref<Filter> holder(new SimpleFilter(10.0, 10.0, 1.0, 1.0, 0.0, 0.0, 0.0));
    Mem::Ref<Filter> second = holder;
    Mem::Ref<Filter> third = holder;
    SimpleFilter copy(static_cast<const SimpleFilter&>(*holder));
    EXPECT_EQ(++copy.refCount(), 1);

    Mem::Ref<Filter> target(new SimpleFilter);
    static_cast<SimpleFilter&>(*target) = copy;
    EXPECT_EQ(++target->refCount(), 2);
    --target->refCount();
    EXPECT_EQ(target->getInRange(), 10.0);
}
