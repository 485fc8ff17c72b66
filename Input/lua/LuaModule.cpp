#include "lua/LuaModule.h"

#include "Vorlan.h"
#include "bindings/BindingEngine.h"
#include "core/Scaling.h"
#include "facade/Engine.h"
#include "lua/Arguments.h"
#include "lua/Boundary.h"
#include "lua/ConstantNames.h"
#include "lua/LuaGlobals.h"
#include "lua/ScriptDiagnostics.h"

#include <string>
#include <vector>

namespace {

Vorlan* input() {
    return getGlobalInput();
}

int32_t integerArg(lua_State* L, int arg) {
    return static_cast<int32_t>(lua_tointeger(L, arg));
}

// ---- Results that are lists ----------------------------------------------
// Made on the C++ side, then pushed by a builder that runs in protected mode
// (build()), so that an out-of-memory error while pushing skips no destructor.

struct KeysAxes {
    std::vector<int> keys;
    std::vector<int> axes;
};

// The six keys of an action table are made once per Lua state and kept in its
// registry, so that filling a table hashes no string.
const char* const actionKeys[] = {"action", "hasValue", "value", "absolute", "time", "device"};
const char actionKeysEntry = 0;  // its address names the registry entry

// Pushes the six keys in order; returns the index of the first.
int pushActionKeys(lua_State* L) {
    lua_pushlightuserdata(L, const_cast<char*>(&actionKeysEntry));
    lua_rawget(L, LUA_REGISTRYINDEX);
    if (lua_isnil(L, -1)) {
        lua_pop(L, 1);
        lua_createtable(L, 6, 0);
        for (int k = 0; k < 6; ++k) {
            lua_pushstring(L, actionKeys[k]);
            lua_rawseti(L, -2, k + 1);
        }
        lua_pushlightuserdata(L, const_cast<char*>(&actionKeysEntry));
        lua_pushvalue(L, -2);
        lua_rawset(L, LUA_REGISTRYINDEX);
    }
    const int keys = lua_gettop(L);
    for (int k = 1; k <= 6; ++k)
        lua_rawgeti(L, keys, k);
    return keys + 1;
}

// The fields in the order action, hasValue, value, absolute, time, device,
// each set under its key at `key` onwards.
void pushAction(lua_State* L, const VorlanAction& action, int key) {
    lua_createtable(L, 0, 6);
    lua_pushvalue(L, key);
    lua_pushnumber(L, action.getAction());
    lua_rawset(L, -3);
    lua_pushvalue(L, key + 1);
    lua_pushboolean(L, action.hasValue());
    lua_rawset(L, -3);
    lua_pushvalue(L, key + 2);
    lua_pushnumber(L, action.getValue());
    lua_rawset(L, -3);
    lua_pushvalue(L, key + 3);
    lua_pushboolean(L, action.isAbsolute());
    lua_rawset(L, -3);
    lua_pushvalue(L, key + 4);
    lua_pushnumber(L, action.getTime());
    lua_rawset(L, -3);
    lua_pushvalue(L, key + 5);
    lua_pushnumber(L, action.getDevice());
    lua_rawset(L, -3);
}

void pushCodes(lua_State* L, const std::vector<int>& codes) {
    lua_createtable(L, static_cast<int>(codes.size()), 0);
    for (size_t i = 0; i < codes.size(); ++i) {
        lua_pushnumber(L, static_cast<lua_Number>(i + 1));
        lua_pushnumber(L, codes[i]);
        lua_settable(L, -3);
    }
}

int pushResults(lua_State* L, const std::vector<VorlanAction>& actions) {
    const int key = pushActionKeys(L);
    lua_createtable(L, static_cast<int>(actions.size()), 0);
    for (size_t i = 0; i < actions.size(); ++i) {
        pushAction(L, actions[i], key);
        lua_rawseti(L, -2, static_cast<int>(i + 1));
    }
    return 1;
}

int pushResults(lua_State* L, const std::vector<std::string>& names) {
    lua_createtable(L, static_cast<int>(names.size()), 0);
    for (size_t i = 0; i < names.size(); ++i) {
        lua_pushnumber(L, static_cast<lua_Number>(i + 1));
        lua_pushstring(L, names[i].c_str());
        lua_settable(L, -3);
    }
    return 1;
}

int pushResults(lua_State* L, const std::vector<VorlanDiagnostic>& entries) {
    lua_createtable(L, static_cast<int>(entries.size()), 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        const VorlanDiagnostic& entry = entries[i];
        lua_pushnumber(L, static_cast<lua_Number>(i + 1));
        lua_createtable(L, 0, 4);
        lua_pushstring(L, entry.file.c_str());
        lua_setfield(L, -2, "file");
        lua_pushnumber(L, entry.line);
        lua_setfield(L, -2, "line");
        lua_pushstring(L, entry.operation.c_str());
        lua_setfield(L, -2, "operation");
        lua_pushstring(L, entry.text.c_str());
        lua_setfield(L, -2, "text");
        lua_settable(L, -3);
    }
    return 1;
}

int pushResults(lua_State* L, const KeysAxes& lists) {
    pushCodes(L, lists.keys);
    pushCodes(L, lists.axes);
    return 2;
}

// The builder of Data's results; its one argument is the light userdata that
// build() passes.
template <class Data>
int buildFrom(lua_State* L) {
    return pushResults(L, *static_cast<const Data*>(lua_touserdata(L, 1)));
}

template <class Data, class Fill>
bool fillAndBuild(lua_State* L, const Fill& fill, Failure& failure) {
    Data data;
    return guarded(failure, [&] { fill(data); }) && build(L, &data, failure);
}

// A wrapper whose results are lists: fill() makes a Data, whose results are
// then pushed. The data is gone before a failure is raised.
template <class Data, class Fill>
int listResults(lua_State* L, const Fill& fill) {
    const int base = lua_gettop(L);
    lua_pushcfunction(L, buildFrom<Data>);
    Failure failure;
    if (!fillAndBuild<Data>(L, fill, failure))
        return raise(L, failure);
    return lua_gettop(L) - base;
}

// ---- The module's functions ------------------------------------------------

// The window is a light userdata; any other value gives no window. The globals
// are installed again on every call, after the facade's own initialize.
int initialize(lua_State* L) {
    VorlanWindow window = lua_type(L, 1) == LUA_TLIGHTUSERDATA ? lua_touserdata(L, 1) : nullptr;
    guard(L, [L, window] {
        const ScriptCall call(L, "initialize", {{"window", ArgumentKind::Window}});
        input()->initialize(window);
    });
    registerGlobals(L);
    return 0;
}

int activate(lua_State* L) {
    const bool active = lua_toboolean(L, 1);
    guard(L, [L, active] {
        const ScriptCall call(L, "activate", {{"active", ArgumentKind::Boolean}});
        input()->activate(active);
    });
    return 0;
}

int createLayer(lua_State* L) {
    const Text name = checkText(L, 1, "createLayer");
    guard(L, [L, name] {
        const ScriptCall call(L, "createLayer", {});
        input()->createLayer(name.str());
    });
    return 0;
}

// The frame's actions go into one vector kept for the module's lifetime, so
// that a frame allocates on the C++ side only when the vector must grow. Being
// static, it needs no destructor, so the table is built without protected
// mode: an out-of-memory error while building skips nothing.
int process(lua_State* L) {
    static std::vector<VorlanAction> actions;
    guard(L, [] { input()->process(actions); });
    return pushResults(L, actions);
}

int getAxesValueMax(lua_State* L) {
    lua_pushnumber(L, Vorlan::getAxesValueMax());
    return 1;
}

int getNotAxesValue(lua_State* L) {
    lua_pushnumber(L, Vorlan::getNotAxesValue());
    return 1;
}

int removeAllLayers(lua_State* L) {
    guard(L, [] { input()->removeAllLayers(); });
    return 0;
}

int removeLayer(lua_State* L) {
    const Text name = checkText(L, 1, "removeLayer");
    guard(L, [L, name] {
        const ScriptCall call(L, "removeLayer", {});
        input()->removeLayer(name.str());
    });
    return 0;
}

int setTopLayer(lua_State* L) {
    const Text name = checkText(L, 1, "setTopLayer");
    guard(L, [L, name] {
        const ScriptCall call(L, "setTopLayer", {});
        input()->setTopLayer(name.str());
    });
    return 0;
}

int getDevices(lua_State* L) {
    return listResults<std::vector<std::string>>(L, [](auto& names) { input()->getDevices(names); });
}

int getDeviceType(lua_State* L) {
    const Text name = checkText(L, 1, "getDeviceType");
    int type = Vorlan::Unknown;
    guard(L, [L, name, &type] {
        const ScriptCall call(L, "getDeviceType", {});
        type = input()->getDeviceType(name.str());
    });
    lua_pushnumber(L, type);
    return 1;
}

int getJoystickNumber(lua_State* L) {
    const Text name = checkText(L, 1, "getJoystickNumber");
    int number = -1;
    guard(L, [L, name, &number] {
        const ScriptCall call(L, "getJoystickNumber", {});
        number = input()->getJoystickNumber(name.str());
    });
    lua_pushnumber(L, number);
    return 1;
}

int setJoystickNumber(lua_State* L) {
    const Text name = checkText(L, 1, "setJoystickNumber");
    const int32_t number = truncateToInt32(lua_tonumber(L, 2));
    guard(L, [L, name, number] {
        const ScriptCall call(L, "setJoystickNumber",
                              {{"device", ArgumentKind::Text}, {"number", ArgumentKind::Integer}});
        input()->setJoystickNumber(name.str(), number);
    });
    return 0;
}

int getDeviceKeysAxes(lua_State* L) {
    const Text name = checkText(L, 1, "getDeviceKeysAxes");
    return listResults<KeysAxes>(L, [L, name](KeysAxes& lists) {
        const ScriptCall call(L, "getDeviceKeysAxes", {});
        input()->getDeviceKeysAxes(name.str(), lists.keys, lists.axes);
    });
}

int addAxisCombo(lua_State* L) {
    const Text layer = checkText(L, 1, "addAxisCombo");
    const int32_t axis = integerArg(L, 2);
    const int32_t command = integerArg(L, 4);
    const bool given = lua_gettop(L) >= 5;
    lua_settop(L, 5);
    const bool table = pushFilterFields(L, 5);
    guard(L, [L, layer, axis, command, given, table] {
        const ScriptCall call(L, "addAxisCombo",
                              {{"layer", ArgumentKind::Text}, {"axis", ArgumentKind::Integer},
                               {"reformers", ArgumentKind::CodeSet}, {"command", ArgumentKind::Integer}});
        call.noteFilter(5, 6, given);
        const FilterInfo filter = table ? readFilterInfo(L, 6) : FilterInfo();
        input()->addAxisCombo(layer.str(), axis, readCodeSet(L, 3), command, filter);
    });
    return 0;
}

int addKeyCombo(lua_State* L) {
    const Text layer = checkText(L, 1, "addKeyCombo");
    const int32_t key = integerArg(L, 2);
    const int32_t down = integerArg(L, 4);
    const int32_t pressed = integerArg(L, 5);
    const int32_t up = integerArg(L, 6);
    guard(L, [L, layer, key, down, pressed, up] {
        const ScriptCall call(L, "addKeyCombo",
                              {{"layer", ArgumentKind::Text}, {"key", ArgumentKind::Integer},
                               {"reformers", ArgumentKind::CodeSet}, {"down", ArgumentKind::Integer},
                               {"pressed", ArgumentKind::Integer}, {"up", ArgumentKind::Integer}});
        input()->addKeyCombo(layer.str(), key, readCodeSet(L, 3), down, pressed, up);
    });
    return 0;
}

int addModifiers(lua_State* L) {
    guard(L, [L] {
        const ScriptCall call(L, "addModifiers", {{"codes", ArgumentKind::CodeSet}});
        input()->addModifiers(readCodeSet(L, 1));
    });
    return 0;
}

int addSwitches(lua_State* L) {
    guard(L, [L] {
        const ScriptCall call(L, "addSwitches", {{"codes", ArgumentKind::CodeSet}});
        input()->addSwitches(readCodeSet(L, 1));
    });
    return 0;
}

int addSwitchGroup(lua_State* L) {
    guard(L, [L] {
        const ScriptCall call(L, "addSwitchGroup", {{"codes", ArgumentKind::CodeSet}});
        input()->addSwitchGroup(readCodeSet(L, 1));
    });
    return 0;
}

// The engine's clearReformers has no facade member.
int clearReformers(lua_State* L) {
    guard(L, [] {
        if (BindingEngine* engine = Facade::engine())
            engine->clearReformers();
    });
    return 0;
}

// Appended to the table after the twenty above.
int enableDiagnostics(lua_State* L) {
    Vorlan::enableDiagnostics(lua_toboolean(L, 1));
    return 0;
}

int takeDiagnostics(lua_State* L) {
    return listResults<std::vector<VorlanDiagnostic>>(L, [](auto& entries) { entries = Vorlan::takeDiagnostics(); });
}

const luaL_Reg functions[] = {
    {"initialize", initialize},
    {"activate", activate},
    {"createLayer", createLayer},
    {"process", process},
    {"getAxesValueMax", getAxesValueMax},
    {"getNotAxesValue", getNotAxesValue},
    {"removeAllLayers", removeAllLayers},
    {"removeLayer", removeLayer},
    {"setTopLayer", setTopLayer},
    {"getDevices", getDevices},
    {"getDeviceType", getDeviceType},
    {"getJoystickNumber", getJoystickNumber},
    {"setJoystickNumber", setJoystickNumber},
    {"getDeviceKeysAxes", getDeviceKeysAxes},
    {"addAxisCombo", addAxisCombo},
    {"addKeyCombo", addKeyCombo},
    {"addModifiers", addModifiers},
    {"addSwitches", addSwitches},
    {"addSwitchGroup", addSwitchGroup},
    {"clearReformers", clearReformers},
    {"enableDiagnostics", enableDiagnostics},
    {"takeDiagnostics", takeDiagnostics},
    {nullptr, nullptr},
};

} // namespace

// Diagnostic texts name codes and commands by the constants from here on.
extern "C" VORLAN_API int luaopen_Vorlan(lua_State* L) {
    Diagnostics::setNamers(codeConstantName, commandConstantName);
    luaL_register(L, "vorlan", functions);
    return 1;
}
