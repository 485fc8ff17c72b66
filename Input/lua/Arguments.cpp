#include "lua/Arguments.h"

namespace {

// Calls read() with each of elements 1 to the array's length on top of the
// stack in turn; nothing when `array` is not a table.
template <class Read>
void readArray(lua_State* L, int array, const Read& read) {
    if (lua_type(L, array) != LUA_TTABLE)
        return;
    const int count = static_cast<int>(lua_objlen(L, array));
    for (int i = 1; i <= count; ++i) {
        lua_rawgeti(L, array, i);
        read();
        lua_settop(L, -2);
    }
}

} // namespace

std::set<int32_t> readCodeSet(lua_State* L, int index) {
    std::set<int32_t> codes;
    readArray(L, index, [&] { codes.insert(static_cast<int32_t>(lua_tointeger(L, -1))); });
    return codes;
}

bool pushFilterFields(lua_State* L, int table) {
    if (lua_type(L, table) != LUA_TTABLE)
        return false;
    for (const char* field : {"deadzone", "saturationX", "saturationY", "slider", "invert", "curvature"})
        lua_getfield(L, table, field);
    return true;
}

FilterInfo readFilterInfo(lua_State* L, int first) {
    FilterInfo info;
    info.deadzone = lua_tonumber(L, first);
    info.saturationX = lua_tonumber(L, first + 1);
    info.saturationY = lua_tonumber(L, first + 2);
    info.slider = lua_toboolean(L, first + 3);
    info.invert = lua_toboolean(L, first + 4);
    readArray(L, first + 5, [&] { info.curvature.push_back(lua_tonumber(L, -1)); });
    return info;
}
