#include "Filter.h"

#include <cmath>

SimpleFilter::SimpleFilter(double inRange, double outRange, double saturationX,
                           double saturationY, double deadzoneX, double deadzoneY,
                           double curvature)
    : Filter(inRange, outRange, saturationX, saturationY, deadzoneX, deadzoneY) {
    setCurvature({curvature});
}

double SimpleFilter::doGetCurveValue(double t) const {
    const double dx = getDeadzoneX();
    const double sx = getSaturationX();
    const double dy = getDeadzoneY();
    const double sy = getSaturationY();
    if (t <= dx)
        return 0.0;
    if (t >= sx)
        return sy;
    double u = (t - dx) / (sx - dx);
    // k > 0 rises slowly first, k < 0 fast first; the factor 10 sets the scale of k.
    const double k = getCurvature().front();
    if (k != 0.0)
        u = (std::exp(10.0 * k * u) - 1.0) / (std::exp(10.0 * k) - 1.0);
    return u * (sy - dy) + dy;
}
