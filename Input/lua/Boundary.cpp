#include "lua/Boundary.h"

#include <cstdio>

Text checkText(lua_State* L, int arg, const char* function) {
    const int type = lua_type(L, arg);
    if (type != LUA_TSTRING && type != LUA_TNUMBER)
        luaL_error(L, "bad argument #%d to 'vorlan.%s' (string expected, got %s)", arg, function,
                   lua_typename(L, type));
    Text text;
    text.data = lua_tolstring(L, arg, &text.size);
    return text;
}

// Longer texts are cut: the message must fit plain storage.
void Failure::set(const char* text) {
    std::snprintf(message, sizeof message, "%s", text);
}

int raise(lua_State* L, const Failure& failure) {
    if (!failure.onStack)
        lua_pushstring(L, failure.message);
    return lua_error(L);
}

bool build(lua_State* L, const void* data, Failure& failure) {
    lua_pushlightuserdata(L, const_cast<void*>(data));
    failure.onStack = lua_pcall(L, 1, LUA_MULTRET, 0) != 0;
    return !failure.onStack;
}
