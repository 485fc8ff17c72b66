#include "lua/ScriptDiagnostics.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The script and line of the Lua function that called the running wrapper.
VorlanOrigin callerOrigin(lua_State* L) {
    lua_Debug ar;
    if (!lua_getstack(L, 1, &ar) || !lua_getinfo(L, "Sl", &ar))
        return {};
    return {ar.source[0] == '@' ? ar.source + 1 : ar.short_src, ar.currentline > 0 ? ar.currentline : 0};
}

// The value at `index` in words: "nil", "a string (\"KEY_G\")", "missing".
std::string described(lua_State* L, int index) {
    const int type = lua_type(L, index);
    if (type == LUA_TNONE)
        return "missing";
    if (type == LUA_TNIL)
        return "nil";
    std::string text = std::string("a ") + lua_typename(L, type);
    if (type == LUA_TSTRING)
        text += " (" + Diagnostics::quoted(lua_tostring(L, index)) + ")";
    return text;
}

bool isNumber(lua_State* L, int index) { return lua_isnumber(L, index) != 0; }

std::string label(int position, const char* name) {
    return "argument " + std::to_string(position) + " (" + name + ")";
}

} // namespace

ScriptCall::ScriptCall(lua_State* L, const char* operation, Arguments arguments) : L(L), operation(operation) {
    if (!Diagnostics::enabled())
        return;
    site.emplace(callerOrigin(L));
    int position = 0;
    for (const Argument& argument : arguments) {
        ++position;
        const std::string what = label(position, argument.name);
        const int type = lua_type(L, position);
        switch (argument.kind) {
        case ArgumentKind::Text:
            break;
        case ArgumentKind::Integer:
            if (!isNumber(L, position))
                Diagnostics::note(operation, what + " is " + described(L, position) + ", read as 0");
            break;
        case ArgumentKind::Boolean:
            if (type == LUA_TNONE || type == LUA_TNIL)
                Diagnostics::note(operation, what + " is " + described(L, position) + ", read as false");
            break;
        case ArgumentKind::Window:
            if (type != LUA_TNONE && type != LUA_TLIGHTUSERDATA)
                Diagnostics::note(operation, what + " is " + described(L, position) + ", read as no window");
            break;
        case ArgumentKind::CodeSet:
            if (type != LUA_TTABLE) {
                Diagnostics::note(operation, what + " is " + described(L, position) + ", read as an empty set");
                break;
            }
            for (int i = 1, count = static_cast<int>(lua_objlen(L, position)); i <= count; ++i) {
                lua_rawgeti(L, position, i);
                if (!isNumber(L, -1))
                    Diagnostics::note(operation, what + ": element " + std::to_string(i) + " is "
                                                     + described(L, -1) + ", read as 0");
                lua_pop(L, 1);
            }
            break;
        }
    }
}

void ScriptCall::noteFilter(int index, int fields, bool given) const {
    if (!noting() || !given)
        return;
    const std::string what = label(index, "filter");
    if (lua_type(L, index) != LUA_TTABLE) {
        Diagnostics::note(operation, what + " is " + described(L, index) + ", read as no filter");
        return;
    }
    static const char* const known[] = {"deadzone", "saturationX", "saturationY", "slider", "invert", "curvature"};
    static const char* const consequence[] = {"", ", so any deflection gives the saturation value",
                                              ", so the axis always gives 0"};
    for (int i = 0; i < 3; ++i) {
        if (!isNumber(L, fields + i))
            Diagnostics::note(operation, what + ": field " + known[i] + " is " + described(L, fields + i)
                                             + ", read as 0" + consequence[i]);
    }
    std::vector<std::string> unknown;
    for (lua_pushnil(L); lua_next(L, index) != 0; lua_pop(L, 1)) {
        const char* key = lua_type(L, -2) == LUA_TSTRING ? lua_tostring(L, -2) : nullptr;
        if (!key || std::none_of(std::begin(known), std::end(known), [key](const char* k) { return !std::strcmp(k, key); }))
            unknown.push_back(key ? key : std::string("[") + lua_typename(L, lua_type(L, -2)) + " key]");
    }
    std::sort(unknown.begin(), unknown.end());
    for (const std::string& key : unknown)
        Diagnostics::note(operation, what + ": field " + key + " is not a filter field; it was ignored");

    const int curvature = fields + 5;
    const int type = lua_type(L, curvature);
    if (type == LUA_TNIL)
        return;
    if (type != LUA_TTABLE) {
        Diagnostics::note(operation, what + ": field curvature is " + described(L, curvature)
                                         + ", not an array; no points were read");
        return;
    }
    const int count = static_cast<int>(lua_objlen(L, curvature));
    for (int i = 1; i <= count; ++i) {
        lua_rawgeti(L, curvature, i);
        if (!isNumber(L, -1))
            Diagnostics::note(operation, what + ": curvature point " + std::to_string(i) + " is " + described(L, -1)
                                             + ", read as 0");
        lua_pop(L, 1);
    }
    if (count == 1) {
        lua_rawgeti(L, curvature, 1);
        std::ostringstream point;
        point << lua_tonumber(L, -1);
        lua_pop(L, 1);
        Diagnostics::note(operation, what + ": curvature has one point, " + point.str()
                                         + "; after the leading 0 this is a two-point spline that tops out at "
                                         + point.str() + " and jumps at full travel");
    }
}
