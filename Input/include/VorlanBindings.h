#ifndef VORLAN_BINDINGS_H
#define VORLAN_BINDINGS_H

#include "Filter.h"

#include <cstdint>
#include <string>
#include <vector>

// A read-only copy of the binding engine's state: what a tool needs to show or
// analyse a script's bindings. Code sets are ascending.

// Where something was made: the script and line of the Lua call that made it,
// noted while diagnostics are on; an empty file and line 0 otherwise.
struct VorlanOrigin {
    std::string file;
    int line = 0;
};

struct VorlanKeyCombo {
    int32_t key = 0;
    std::vector<int32_t> modifiers;
    std::vector<int32_t> switches;
    int32_t down = 0;
    int32_t pressed = 0;
    int32_t up = 0;
    VorlanOrigin origin;
};

struct VorlanAxisCombo {
    int32_t axis = 0;
    std::vector<int32_t> modifiers;
    std::vector<int32_t> switches;
    int32_t command = 0;
    // Without a filter the value passes unchanged and `filter` is default-made.
    bool hasFilter = false;
    FilterInfo filter;
    VorlanOrigin origin;
};

// Combos by ascending code; the combos of one code in the order they are tried.
struct VorlanLayer {
    std::string name;
    std::vector<VorlanKeyCombo> keyCombos;
    std::vector<VorlanAxisCombo> axisCombos;
    VorlanOrigin origin;
};

struct VorlanReformer {
    int32_t code = 0;
    VorlanOrigin origin;
};

struct VorlanBindings {
    std::vector<VorlanLayer> layers;  // in creation order
    std::vector<std::string> stack;   // layer names, top first
    std::vector<VorlanReformer> modifiers;
    std::vector<VorlanReformer> switches;
    std::vector<std::vector<int32_t>> switchGroups;  // in declaration order
};

#endif
