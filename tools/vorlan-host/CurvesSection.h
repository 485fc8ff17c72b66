#ifndef VORLAN_HOST_CURVES_SECTION_H
#define VORLAN_HOST_CURVES_SECTION_H

#include "Filter.h"
#include "Names.h"
#include "VorlanBindings.h"

#include <ostream>
#include <string>
#include <vector>

// The report's response curves: one plot per distinct filter of the axis
// combos, sampled from the library's own filter object over the whole travel.
class CurvesSection {
public:
    CurvesSection(const VorlanBindings& bindings, const Names& names);

    void write(std::ostream& out) const;

private:
    struct Curve {
        FilterInfo filter;
        std::vector<std::string> uses;  // "flight: JOYSTICK_X, iCommandPlaneRoll (2002)"
    };

    static std::string plot(const FilterInfo& filter);

    std::vector<Curve> curves;  // in the order the filters are first met
    std::size_t unfiltered = 0;
};

#endif
