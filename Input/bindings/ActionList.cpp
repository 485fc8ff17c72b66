#include "bindings/ActionList.h"

#include "core/Log.h"

#include <cmath>
#include <limits>

void addAction(std::vector<VorlanAction>& out, const VorlanAction& action) {
    if (action.getAction() > 0)
        out.push_back(action);
    logAction(action);
}

int32_t toActionValue(double value) {
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}
