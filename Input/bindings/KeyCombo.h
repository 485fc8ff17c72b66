#ifndef VORLAN_BINDINGS_KEYCOMBO_H
#define VORLAN_BINDINGS_KEYCOMBO_H

#include "bindings/CodeSet.h"

#include <cstdint>

// Binds a key of a layer to the commands for down, each frame while held, and
// up (0: none). It applies when exactly its modifiers are held and all its
// switches are on.
struct KeyCombo {
    CodeSet modifiers;
    CodeSet switches;
    int32_t down = 0;
    int32_t pressed = 0;
    int32_t up = 0;

    bool matches(const CodeSet& pressedModifiers, const CodeSet& activeSwitches) const {
        return modifiers == pressedModifiers && containsAll(activeSwitches, switches);
    }
};

#endif
