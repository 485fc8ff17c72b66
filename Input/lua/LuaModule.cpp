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

void pushAction(lua_State* L, const VorlanAction& action) {
    lua_createtable(L, 0, 6);
    lua_pushnumber(L, action.getAction());
    lua_setfield(L, -2, "action");
    lua_pushboolean(L, action.hasValue());
    lua_setfield(L, -2, "hasValue");
    lua_pushnumber(L, action.getValue());
    lua_setfield(L, -2, "value");
    lua_pushboolean(L, action.isAbsolute());
    lua_setfield(L, -2, "absolute");
    lua_pushnumber(L, action.getTime());
    lua_setfield(L, -2, "time");
    lua_pushnumber(L, action.getDevice());
    lua_setfield(L, -2, "device");
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
    lua_createtable(L, static_cast<int>(actions.size()), 0);
    for (size_t i = 0; i < actions.size(); ++i) {
        lua_pushnumber(L, static_cast<lua_Number>(i + 1));
        pushAction(L, actions[i]);
        lua_settable(L, -3);
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

int process(lua_State* L) {
    return listResults<std::vector<VorlanAction>>(L, [](auto& actions) { input()->process(actions); });
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
