#ifndef VORLAN_BINDINGS_AXISCOMBO_H
#define VORLAN_BINDINGS_AXISCOMBO_H

#include "bindings/CodeSet.h"
#include "core/Ref.h"
#include "Filter.h"

#include <cstdint>

// Binds an axis of a layer to a command that receives the value, shaped by
// the filter if there is one. It is a candidate when all its modifiers are
// held (others may be too) and all its switches are on.
struct AxisCombo {
    CodeSet modifiers;
    CodeSet switches;
    int32_t command = 0;
    Mem::Ref<Filter> filter;

    bool isCandidate(const CodeSet& pressedModifiers, const CodeSet& activeSwitches) const {
        return containsAll(activeSwitches, switches) && containsAll(pressedModifiers, modifiers);
    }
};

#endif
