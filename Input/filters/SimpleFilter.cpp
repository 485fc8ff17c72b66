#include "Filter.h"

#include <cmath>

namespace {

// Below this |k| the bend departs from the straight line by less than the
// rounding of u (the relative departure is at most 5·|k|): u stays linear.
constexpr double flatCurvature = 1e-17;
// Below this |k| the exponent stays under 1 in size, where e^x - 1 would
// cancel away leading digits and expm1 keeps them. Above it e^x - 1 is exact to
// rounding, and exp is the faster of the two for such exponents.
constexpr double gentleCurvature = 0.1;

} // namespace

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
    // The bend (e^(10·k·u) - 1) / (e^(10·k) - 1): k > 0 rises slowly first, k < 0
    // fast first; the factor 10 sets the scale of k. The form is chosen by k
    // alone, so that the curve rises monotonically with u. k multiplies before
    // the 10 does: an exponent too large for a double becomes an infinity that
    // exp saturates, never inf·0.
    const double k = getCurvature().front();
    if (std::fabs(k) < gentleCurvature) {
        if (std::fabs(k) > flatCurvature)
            u = std::expm1(10.0 * (k * u)) / std::expm1(10.0 * k);
    } else if (k < 0.0) {
        u = (std::exp(10.0 * (k * u)) - 1.0) / (std::exp(10.0 * k) - 1.0);
    } else {
        // Divided through by e^(10k), which overflows from k = 71 on.
        const double m = std::exp(-10.0 * k);
        u = (std::exp(10.0 * (k * (u - 1.0))) - m) / (1.0 - m);
    }
    return u * (sy - dy) + dy;
}
