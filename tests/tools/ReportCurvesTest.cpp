// The response curves of the example's report are the library's own filters:
// one curve per distinct filter of examples/bindings.lua, each point on that
// filter's getValue.

#include "Filter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

namespace {

std::string report;  // the file, from the command line

// "deadzone=0.05 saturationX=1 saturationY=1 slider=0 invert=0 curvature=0.1,0.3"
FilterInfo parseFields(const std::string& text) {
    FilterInfo info;
    std::istringstream in(text);
    std::string field;
    while (in >> field) {
        const std::string name = field.substr(0, field.find('='));
        std::istringstream value(field.substr(field.find('=') + 1));
        if (name == "deadzone") value >> info.deadzone;
        if (name == "saturationX") value >> info.saturationX;
        if (name == "saturationY") value >> info.saturationY;
        if (name == "slider") value >> info.slider;
        if (name == "invert") value >> info.invert;
        if (name == "curvature") {
            info.curvature.clear();
            for (std::string point; std::getline(value, point, ',');)
                info.curvature.push_back(std::stod(point));
        }
    }
    return info;
}

bool sameFilter(const FilterInfo& a, const FilterInfo& b) {
    return a.deadzone == b.deadzone && a.saturationX == b.saturationX && a.saturationY == b.saturationY &&
           a.slider == b.slider && a.invert == b.invert && a.curvature == b.curvature;
}

} // namespace

TEST(ReportCurvesTest, OneCurvePerDistinctFilterOnItsGetValue) {
    if (report.empty())
        GTEST_SKIP() << "no report given";
    std::ifstream in(report);
    ASSERT_TRUE(in) << report;
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    FilterInfo stick, rudder, throttle;
    stick.deadzone = 0.05;
    stick.curvature = {0.0, 0.1, 0.3, 0.6, 1.0};  // the Lua module puts the 0 at the dead zone first
    rudder.deadzone = 0.1;
    throttle.slider = throttle.invert = true;
    std::vector<FilterInfo> expected{stick, rudder, throttle};

    const std::regex curve(R"re(<polyline class="curve"[^>]* data-filter="([^"]*)" points="([^"]*)")re");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), curve); it != std::sregex_iterator(); ++it) {
        const FilterInfo info = parseFields((*it)[1]);
        const auto match = std::find_if(expected.begin(), expected.end(),
                                         [&](const FilterInfo& e) { return sameFilter(e, info); });
        ASSERT_NE(match, expected.end()) << "a curve of no filter of the example, or a second one: " << (*it)[1];
        expected.erase(match);

        const std::unique_ptr<Filter> filter(createFilter(info));
        std::istringstream points((*it)[2]);
        std::size_t count = 0;
        for (double x, y; points >> x && points.ignore(1) && points >> y; ++count) {
            const double input = (info.slider ? 2 * x - 1 : x) * filter->getInRange();
            EXPECT_DOUBLE_EQ(y, filter->getValue(input) / filter->getOutRange()) << (*it)[1] << " at " << x;
        }
        EXPECT_GE(count, info.slider ? 201u : 401u) << (*it)[1];
    }
    EXPECT_TRUE(expected.empty()) << expected.size() << " filters have no curve";
}

// ReportTests [REPORT.html]: the report's curves are checked when one is given.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc == 2)
        report = argv[1];
    return RUN_ALL_TESTS();
}
