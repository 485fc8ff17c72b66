#include "CurvesSection.h"

#include "FilterWords.h"
#include "Html.h"
#include "SvgPlot.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The travel's sample positions: an even grid, and the filter's own corners so
// that they show exactly. An axis travels -1 .. 1, a slider 0 .. 1.
std::vector<double> positions(const FilterInfo& filter) {
    const double low = filter.slider ? 0.0 : -1.0;
    std::vector<double> at;
    for (int i = 0; low + i / 200.0 <= 1.0; ++i)
        at.push_back(low + i / 200.0);
    for (const double corner : {filter.deadzone, filter.saturationX})
        if (corner > 0.0 && corner < 1.0) {
            at.push_back(corner);
            if (!filter.slider)
                at.push_back(-corner);
        }
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    return at;
}

} // namespace

CurvesSection::CurvesSection(const VorlanBindings& bindings, const Names& names) {
    for (const VorlanLayer& layer : bindings.layers)
        for (const VorlanAxisCombo& combo : layer.axisCombos) {
            if (!combo.hasFilter) {
                ++unfiltered;
                continue;
            }
            const std::string fields = filterFields(combo.filter);
            auto curve = std::find_if(curves.begin(), curves.end(),
                                      [&](const Curve& c) { return filterFields(c.filter) == fields; });
            if (curve == curves.end())
                curve = curves.insert(curves.end(), Curve{combo.filter, {}});
            curve->uses.push_back(layer.name + ": " + names.code(combo.axis) + ", " + names.command(combo.command));
        }
}

void CurvesSection::write(std::ostream& out) const {
    out << "<section id=\"curves\"><h2>Response curves</h2>\n<p>Output against input over the whole travel, "
           "sampled from the library's filter for each distinct filter of the axis combos.";
    if (unfiltered > 0)
        out << " " << unfiltered << " axis combo" << (unfiltered == 1 ? " has" : "s have")
            << " no filter: the value passes unchanged.";
    out << "</p>\n<div class=\"curves\">\n";
    for (const Curve& curve : curves) {
        out << "<figure>" << plot(curve.filter) << "<figcaption><b>" << escape(filterInWords(curve.filter))
            << "</b><br/>Used by ";
        for (std::size_t i = 0; i < curve.uses.size(); ++i)
            out << (i == 0 ? "" : "; ") << escape(curve.uses[i]);
        out << "</figcaption></figure>\n";
    }
    out << "</div></section>\n";
}

std::string CurvesSection::plot(const FilterInfo& info) {
    const std::unique_ptr<Filter> filter(createFilter(info));
    if (!filter)
        return "";
    // Input and output in units of the filter's ranges; a slider's travel t
    // is the input (2t - 1) R.
    const double in = filter->getInRange(), out = filter->getOutRange();
    SvgPlot::Points points;
    double reach = 1.0;
    for (const double at : positions(info)) {
        const double input = (info.slider ? 2 * at - 1 : at) * in;
        points.emplace_back(at, filter->getValue(input) / out);
        reach = std::max(reach, std::abs(points.back().second));
    }

    const double low = info.slider ? 0.0 : -1.0;
    SvgPlot chart(310, 300, {low, 1.0}, {-reach, reach}, 44, 46);
    chart.xAxis(info.slider ? "input, end to end" : "input", SvgPlot::ticks({low, 1.0}, 4));
    chart.yAxis("output", SvgPlot::ticks({-reach, reach}, 4));
    chart.legend("curve", "curve");
    chart.legend("linear", "linear");
    if (info.deadzone > 0.0) {
        chart.legend("deadzone", "dead zone");
        chart.band(info.slider ? 0.0 : -info.deadzone, info.deadzone, "deadzone",
                   "dead zone " + number(info.deadzone * 100) + " %");
    }
    if (info.saturationX < 1.0) {
        chart.legend("saturation", "saturation");
        const std::string title = "saturation from " + number(info.saturationX * 100) + " %";
        chart.vertical(info.saturationX, "saturation", title);
        if (!info.slider)
            chart.vertical(-info.saturationX, "saturation", title);
    }
    chart.line({{low, -1.0}, {1.0, 1.0}}, "linear", 6);
    chart.line(points, "curve", 17, " data-filter=\"" + escape(filterFields(info)) + "\"");
    return chart.svg("Response curve: " + filterInWords(info));
}
