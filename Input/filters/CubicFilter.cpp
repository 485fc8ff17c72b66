#include "Filter.h"

#include <cstddef>

CubicFilter::CubicFilter() : CubicFilter({0.0, 0.25, 0.5, 0.75, 1.0}) {}

CubicFilter::CubicFilter(const std::vector<double>& points) {
    setCurvature(points);
    build(1000);
}

CubicFilter::CubicFilter(double inRange, double outRange, double saturationX,
                         double saturationY, double deadzoneX, double deadzoneY,
                         const std::vector<double>& points, int n)
    : Filter(inRange, outRange, saturationX, saturationY, deadzoneX, deadzoneY) {
    setCurvature(points);
    build(n);
}

void CubicFilter::build(int n) {
    curveTable.clear();
    const std::vector<double>& y = getCurvature();
    const std::size_t m = y.size();
    // Two points already make a spline; a single value leaves the table empty.
    if (m < 2)
        return;
    // At least one step, so that the sampling below ends.
    if (n < 1)
        n = 1;
    const double h = 1.0 / static_cast<double>(m - 1);
    tableStep = 1.0 / n;

    // Second derivatives of the natural spline (zero at both ends) through the
    // equally spaced points, by the tridiagonal sweep; s[0] and s[m - 1] stay 0.
    std::vector<double> s(m, 0.0);
    std::vector<double> w(m, 0.0);
    for (std::size_t i = 1; i + 1 < m; ++i) {
        const double p = 0.5 * s[i - 1] + 2.0;
        s[i] = -0.5 / p;
        const double d = (y[i + 1] - y[i]) / h - (y[i] - y[i - 1]) / h;
        w[i] = (6.0 * d / (2.0 * h) - 0.5 * w[i - 1]) / p;
    }
    for (std::size_t k = m - 1; k-- > 0;)
        s[k] = s[k] * s[k + 1] + w[k];

    // Sampled by accumulating the step, so the table may hold one entry more
    // than n + 1 when rounding leaves x just below 1.
    const double r = getSaturationY() - getDeadzoneY();
    curveTable.reserve(static_cast<std::size_t>(n) + 2);
    double x = 0.0;
    do {
        curveTable.push_back(calcValue(s, x) * r + getDeadzoneY());
        x += tableStep;
    } while (x < 1.0);
    curveTable.push_back(calcValue(s, 1.0) * r + getDeadzoneY());
    lastIndex = static_cast<double>(curveTable.size() - 1);
}

double CubicFilter::calcValue(const std::vector<double>& s, double x) const {
    const double dx = getDeadzoneX();
    const double sx = getSaturationX();
    if (x <= dx)
        return 0.0;
    if (x >= sx)
        return getSaturationY();
    const double u = (x - dx) / (sx - dx);
    const std::vector<double>& y = getCurvature();
    const double h = 1.0 / static_cast<double>(y.size() - 1);
    std::size_t lo = 0;
    std::size_t hi = y.size() - 1;
    while (hi - lo > 1) {
        const std::size_t mid = (hi + lo) / 2;
        if (mid * h <= u)
            lo = mid;
        else
            hi = mid;
    }
    const double xLo = lo * h;
    const double xHi = hi * h;
    const double width = xHi - xLo;
    const double a = (xHi - u) / width;
    const double b = (u - xLo) / width;
    return ((a * a * a - a) * s[lo] + (b * b * b - b) * s[hi]) * width * width / 6.0 +
           a * y[lo] + b * y[hi];
}

double CubicFilter::doGetCurveValue(double t) const {
    const double dx = getDeadzoneX();
    const double sx = getSaturationX();
    const double dy = getDeadzoneY();
    const double sy = getSaturationY();
    if (curveTable.empty())
        return t > dx && t >= sx ? sy : 0.0;
    // A staircase of table entries, no interpolation. The index is kept inside
    // the table whatever the fields were set to since the last build (a NaN
    // position reads the last entry).
    double pos = t / tableStep;
    pos = pos < lastIndex ? pos : lastIndex;
    pos = pos > 0.0 ? pos : 0.0;
    double v = curveTable[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pos))];
    // The spline may overshoot between its points: v is cut to sy, else to dy.
    // With sy at or above dy that is the plain clamp; where sy lies below dy,
    // sy is tested first and every value above it reads sy.
    if (sy < dy) {
        v = v > sy ? sy : dy;
    } else {
        v = v < dy ? dy : v;
        v = v > sy ? sy : v;
    }
    // Selected rather than branched on: an axis crosses the dead zone's and the
    // saturation's edges all the time.
    v = t >= sx ? sy : v;
    return t <= dx ? 0.0 : v;
}
