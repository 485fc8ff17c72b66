#ifndef VORLAN_LUA_ARGUMENTS_H
#define VORLAN_LUA_ARGUMENTS_H

#include "Filter.h"

#include <lua.hpp>

#include <cstdint>
#include <set>

// Conversions of the module's table and number arguments. Those that build C++
// objects read with raw, non-raising Lua calls only, so that they may run inside
// guarded work.

// The code set of an array argument: elements 1 to its length, each read as an
// integer; duplicates collapse. Anything but a table is the empty set.
std::set<int32_t> readCodeSet(lua_State* L, int index);

// Pushes the filter table's fields in reading order ("deadzone", "saturationX",
// "saturationY", "slider", "invert", "curvature") and returns true, or pushes
// nothing and returns false when the argument is not a table. Field reads may
// run metamethods and raise, so this comes before any C++ object exists.
bool pushFilterFields(lua_State* L, int table);

// The FilterInfo of the fields pushed from `first` on: a table overrides all
// five scalar fields (missing ones read as 0 and false) and appends its
// curvature array after the default 0.
FilterInfo readFilterInfo(lua_State* L, int first);

#endif
