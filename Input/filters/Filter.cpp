#include "Filter.h"

#include "Vorlan.h"

#include <cmath>

Filter::Filter()
    : Filter(Vorlan::getAxesValueMax(), Vorlan::getAxesValueMax(), 1.0, 1.0, 0.0, 0.0) {}

Filter::Filter(double inRange, double outRange, double saturationX, double saturationY,
               double deadzoneX, double deadzoneY)
    : inRange(inRange),
      outRange(outRange),
      saturationX(saturationX),
      saturationY(saturationY),
      deadzoneX(deadzoneX),
      deadzoneY(deadzoneY) {}

void Filter::setCurvature(const std::vector<double>& values) {
    curvature = values;
    if (curvature.empty())
        curvature.push_back(0.0);
}

FilterInfo Filter::getInfo() const {
    FilterInfo info;
    info.deadzone = deadzoneX;
    info.saturationX = saturationX;
    info.saturationY = saturationY;
    info.slider = slider;
    info.invert = inverted;
    info.curvature = curvature;
    return info;
}

void Filter::setInfo(const FilterInfo& info) {
    deadzoneX = info.deadzone;
    saturationX = info.saturationX;
    saturationY = info.saturationY;
    slider = info.slider;
    inverted = info.invert;
    setCurvature(info.curvature);
}

double Filter::doGetValue(double x) const {
    const double r = inRange;
    double v = x > r ? r : x;
    v = x < -r ? -r : v;
    if (slider) {
        // The whole travel maps onto the curve once: -R is 0, +R is 1.
        const double g = getCurveValue((r + v) / (2.0 * r));
        return (2.0 * g - 1.0) * (inverted ? -1.0 : 1.0) * outRange;
    }
    // Centred axis: the curve runs from the centre outwards, then the sign is
    // put back (zero counts as positive). Looked up rather than branched on, as
    // a centred axis crosses zero all the time.
    static const double signs[2] = {1.0, -1.0};
    const double sign = signs[(v < 0.0) != inverted];
    return getCurveValue(std::fabs(v) / r) * sign * outRange;
}
