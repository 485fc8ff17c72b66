#ifndef VORLAN_HOST_FILTER_WORDS_H
#define VORLAN_HOST_FILTER_WORDS_H

#include "Filter.h"

#include <string>

// An axis filter in words: "dead zone 5 %, spline through 0.1, 0.3, 0.6, 1".
std::string filterInWords(const FilterInfo& filter);

// Every field of the filter, exact, in one line that a program can read back:
// "deadzone=0.05 saturationX=1 saturationY=1 slider=0 invert=0 curvature=0.1,0.3".
// Two filters shape alike when their lines are equal.
std::string filterFields(const FilterInfo& filter);

#endif
