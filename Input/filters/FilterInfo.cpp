#include "Filter.h"

bool FilterInfo::isDefault() const {
    return deadzone == 0.0 && saturationX == 1.0 && saturationY == 1.0 && !slider && !invert &&
           curvature.size() == 1 && curvature[0] == 0.0;
}

Filter* createFilter(const FilterInfo& info) {
    if (info.isDefault())
        return nullptr;
    // Two or more curvature values are spline points, one is an exponential bend.
    if (info.curvature.size() >= 2) {
        CubicFilter* cubic = new CubicFilter;
        cubic->setInfo(info);
        cubic->build(1000);
        return cubic;
    }
    SimpleFilter* simple = new SimpleFilter;
    simple->setInfo(info);
    return simple;
}
