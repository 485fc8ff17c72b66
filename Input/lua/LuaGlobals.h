#ifndef VORLAN_LUA_LUAGLOBALS_H
#define VORLAN_LUA_LUAGLOBALS_H

#include <lua.hpp>

// Installs, through tolua++, the global functions getDeviceType and trace and
// every constant of the constant table, in its order. Each call sets them all
// again, so values a script overwrote come back.
void registerGlobals(lua_State* L);

// The registry field where a host may store a function that receives the text
// of every trace(text) call of its scripts (vorlan-host prints it).
constexpr const char* traceHook = "vorlan.trace";

#endif
