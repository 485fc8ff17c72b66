#include "FilterWords.h"

#include "Html.h"

#include <vector>

namespace {

std::string percent(double fraction) { return number(fraction * 100) + " %"; }

std::string curveInWords(const std::vector<double>& curvature) {
    if (curvature.size() >= 2) {
        std::string points;
        for (const double point : curvature)
            points += (points.empty() ? "" : ", ") + number(point);
        return "spline through " + points;
    }
    const double bend = curvature.empty() ? 0.0 : curvature.front();
    return bend == 0.0 ? "linear" : "exponential curve, bend " + number(bend);
}

} // namespace

std::string filterInWords(const FilterInfo& filter) {
    std::string words = filter.slider ? "slider (end to end)" : "centred";
    if (filter.deadzone != 0.0)
        words += ", dead zone " + percent(filter.deadzone);
    if (filter.saturationX != 1.0 || filter.saturationY != 1.0)
        words += ", saturates at " + percent(filter.saturationX) + " of travel with " +
                 percent(filter.saturationY) + " output";
    words += ", " + curveInWords(filter.curvature);
    if (filter.invert)
        words += ", inverted";
    return words;
}

std::string filterFields(const FilterInfo& filter) {
    std::string curvature;
    for (const double point : filter.curvature)
        curvature += (curvature.empty() ? "" : ",") + number(point, 17);
    return "deadzone=" + number(filter.deadzone, 17) + " saturationX=" + number(filter.saturationX, 17) +
           " saturationY=" + number(filter.saturationY, 17) + " slider=" + (filter.slider ? "1" : "0") +
           " invert=" + (filter.invert ? "1" : "0") + " curvature=" + curvature;
}
