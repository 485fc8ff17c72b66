#ifndef VORLAN_LUA_LUAMODULE_H
#define VORLAN_LUA_LUAMODULE_H

#include "VorlanExport.h"

#include <lua.hpp>

// The opener that require "Vorlan" calls: registers the module table "vorlan"
// and returns it.
extern "C" VORLAN_API int luaopen_Vorlan(lua_State* L);

#endif
