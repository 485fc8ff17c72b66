#ifndef VORLAN_LUA_CONSTANTS_H
#define VORLAN_LUA_CONSTANTS_H

#include <cstddef>
#include <cstdint>

// The global constants installed into the script's Lua state, in registration order.
struct LuaConstant {
    const char* name;
    int32_t value;
};

extern const LuaConstant luaConstants[];
extern const std::size_t luaConstantCount; // 1833

#endif
