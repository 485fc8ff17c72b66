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
    for (const Argument& argument : arguments)
        noteArgument(++position, argument);
}

void ScriptCall::noteRead(const std::string& what, int index, const char* reading) const {
    Diagnostics::note(operation, what + " is " + described(L, index) + ", read as " + reading);
}

void ScriptCall::noteArgument(int position, const Argument& argument) const {
    const std::string what = label(position, argument.name);
    const int type = lua_type(L, position);
    switch (argument.kind) {
    case ArgumentKind::Text:
        break;
    case ArgumentKind::Integer:
        if (!isNumber(L, position))
            noteRead(what, position, "0");
        break;
    case ArgumentKind::Boolean:
        if (type == LUA_TNONE || type == LUA_TNIL)
            noteRead(what, position, "false");
        break;
    case ArgumentKind::Window:
        if (type != LUA_TNONE && type != LUA_TLIGHTUSERDATA)
            noteRead(what, position, "no window");
        break;
    case ArgumentKind::CodeSet:
        if (type == LUA_TTABLE)
            noteElements(position, what + ": element ");
        else
            noteRead(what, position, "an empty set");
        break;
    }
}

int ScriptCall::noteElements(int array, const std::string& what) const {
    const int count = static_cast<int>(lua_objlen(L, array));
    for (int i = 1; i <= count; ++i) {
        lua_rawgeti(L, array, i);
        if (!isNumber(L, -1))
            noteRead(what + std::to_string(i), -1, "0");
        lua_pop(L, 1);
    }
    return count;
}

void ScriptCall::noteFilter(int index, int fields, bool given) const {
    if (!noting() || !given)
        return;
    const std::string what = label(index, "filter");
    if (lua_type(L, index) != LUA_TTABLE) {
        noteRead(what, index, "no filter");
        return;
    }
    static const char* const known[] = {"deadzone", "saturationX", "saturationY", "slider", "invert", "curvature"};
    static const char* const reading[] = {"0", "0, so any deflection gives the saturation value",
                                          "0, so the axis always gives 0"};
    for (int i = 0; i < 3; ++i)
        if (!isNumber(L, fields + i))
            noteRead(what + ": field " + known[i], fields + i, reading[i]);

    // Keys in sorted order, as a table walk has none of its own.
    std::vector<std::string> unknown;
    for (lua_pushnil(L); lua_next(L, index) != 0; lua_pop(L, 1)) {
        const char* key = lua_type(L, -2) == LUA_TSTRING ? lua_tostring(L, -2) : nullptr;
        const auto isKey = [key](const char* name) { return std::strcmp(name, key) == 0; };
        if (!key || std::none_of(std::begin(known), std::end(known), isKey))
            unknown.push_back(key ? key : std::string("[") + lua_typename(L, lua_type(L, -2)) + " key]");
    }
    std::sort(unknown.begin(), unknown.end());
    for (const std::string& key : unknown)
        Diagnostics::note(operation, what + ": field " + key + " is not a filter field; it was ignored");

    noteCurvature(what, fields + 5);
}

void ScriptCall::noteCurvature(const std::string& what, int curvature) const {
    const int type = lua_type(L, curvature);
    if (type == LUA_TNIL)
        return;
    if (type != LUA_TTABLE) {
        Diagnostics::note(operation, what + ": field curvature is " + described(L, curvature)
                                         + ", not an array; no points were read");
        return;
    }
    if (noteElements(curvature, what + ": curvature point ") != 1)
        return;
    lua_rawgeti(L, curvature, 1);
    std::ostringstream point;
    point << lua_tonumber(L, -1);
    lua_pop(L, 1);
    Diagnostics::note(operation, what + ": curvature has one point, " + point.str()
                                     + "; after the leading 0 this is a two-point spline that tops out at "
                                     + point.str() + " and jumps at full travel");
}
