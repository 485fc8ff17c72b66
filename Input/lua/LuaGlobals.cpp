#include "lua/LuaGlobals.h"

#include "Vorlan.h"
#include "lua/Boundary.h"
#include "lua/Constants.h"
#include "lua/ScriptDiagnostics.h"

#include <tolua++.h>

namespace {

// Exactly one string argument (or a number, which reads as one). tolua's own
// check lets nil pass, which would read as a null string, so nil is refused
// here with the same report.
bool oneString(lua_State* L, tolua_Error* error) {
    if (!tolua_isstring(L, 1, 0, error))
        return false;
    if (lua_type(L, 1) == LUA_TNIL) {
        error->index = 1;
        error->array = 0;
        error->type = "string";
        return false;
    }
    return tolua_isnoobj(L, 2, error) != 0;
}

const char* typeWord(int type) {
    switch (type) {
    case Vorlan::Keyboard: return "Keyboard";
    case Vorlan::Mouse: return "Mouse";
    case Vorlan::Joystick: return "Joystick";
    case Vorlan::TrackIR: return "TrackIR";
    default: return "Unknown";
    }
}

// getDeviceType(name): the kind of the named device as a word.
int getDeviceTypeWord(lua_State* L) {
    tolua_Error error;
    if (!oneString(L, &error)) {
        tolua_error(L, "#ferror in function 'getDeviceType'.", &error);
        return 0;
    }
    const char* name = tolua_tostring(L, 1, nullptr);
    int type = Vorlan::Unknown;
    guard(L, [L, name, &type] {
        const ScriptCall call(L, "getDeviceType", {});
        type = getGlobalInput()->getDeviceType(name);
    });
    tolua_pushstring(L, typeWord(type));
    return 1;
}

// trace(text): reads the text and hands it to the host's trace hook, when the
// host has set one; otherwise does nothing with it.
int trace(lua_State* L) {
    tolua_Error error;
    if (!oneString(L, &error)) {
        tolua_error(L, "#ferror in function 'trace'.", &error);
        return 0;
    }
    tolua_tostring(L, 1, nullptr);
    lua_getfield(L, LUA_REGISTRYINDEX, traceHook);
    if (lua_isfunction(L, -1)) {
        lua_pushvalue(L, 1);
        lua_call(L, 1, 0);
    }
    return 0;
}

} // namespace

void registerGlobals(lua_State* L) {
    tolua_open(L);
    tolua_module(L, nullptr, 0);
    tolua_beginmodule(L, nullptr);
    tolua_function(L, "getDeviceType", getDeviceTypeWord);
    tolua_function(L, "trace", trace);
    for (std::size_t i = 0; i < luaConstantCount; ++i)
        tolua_constant(L, luaConstants[i].name, luaConstants[i].value);
    tolua_endmodule(L);
}
