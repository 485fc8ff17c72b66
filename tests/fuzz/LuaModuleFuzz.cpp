// The Lua module on a state that loaded it, the library replaying a session:
// random calls of its functions and of the globals it installs, with random
// arguments of every Lua type. A call may raise a Lua error; it must not
// crash, leak or leave the state unusable.
#include "Vorlan.h"
#include "FuzzBytes.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int luaopen_Vorlan(lua_State* L);

namespace {

const char* const words[] = {"", "L0", "L1", "deadzone", "saturationX", "saturationY", "slider", "invert",
                             "curvature", "Keyboard", "Mouse", "TrackIR", "Flight Stick"};
const double numbers[] = {0, 1, -1, 0.5, 30, 1024, 3073, 4096, 2147483647.0, -2147483648.0, 4294967296.0, 1e300};

void pushValue(lua_State* L, FuzzBytes& in, int depth);

// A table: an array of values, then fields named from the words above.
void pushTable(lua_State* L, FuzzBytes& in, int depth) {
    lua_newtable(L);
    for (int i = 1, n = static_cast<int>(in.pick(6)); i <= n; ++i) {
        pushValue(L, in, depth + 1);
        lua_rawseti(L, -2, i);
    }
    for (size_t n = in.pick(4); n > 0; --n) {
        pushValue(L, in, depth + 1);
        lua_setfield(L, -2, words[in.pick(std::size(words))]);
    }
}

void pushValue(lua_State* L, FuzzBytes& in, int depth) {
    switch (in.pick(depth < 3 ? 9 : 8)) {
    case 0:
        lua_pushnil(L);
        break;
    case 1:
        lua_pushboolean(L, in.pick(2));
        break;
    case 2:
        lua_pushnumber(L, numbers[in.pick(std::size(numbers))]);
        break;
    case 3:
        lua_pushnumber(L, in.int32());
        break;
    case 4:
        lua_pushnumber(L, in.float64());  // NaN, infinities, fractions, huge values
        break;
    case 5:
        lua_pushstring(L, words[in.pick(std::size(words))]);
        break;
    case 6: {
        const std::string bytes = in.text(12);
        lua_pushlstring(L, bytes.data(), bytes.size());
        break;
    }
    case 7:
        lua_pushlightuserdata(L, reinterpret_cast<void*>(static_cast<uintptr_t>(in.byte())));
        break;
    default:
        pushTable(L, in, depth);
    }
}

// The module's functions by name, in a fixed order, and the globals it installs.
std::vector<std::string> functionNames(lua_State* L) {
    std::vector<std::string> names{"getDeviceType", "trace"};
    std::vector<std::string> module;
    for (lua_pushnil(L); lua_next(L, 1); lua_pop(L, 1))
        module.push_back(lua_tostring(L, -2));
    std::sort(module.begin(), module.end());
    names.insert(names.end(), module.begin(), module.end());
    return names;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("VORLAN_REPLAY", VORLAN_FUZZ_SESSION, 1);
    Vorlan::enableLogging(false, false, false);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lua_State* L = luaL_newstate();
    lua_pushcfunction(L, luaopen_Vorlan);
    lua_call(L, 0, 1);  // the module table at index 1
    const std::vector<std::string> names = functionNames(L);
    FuzzBytes in(data, size);
    for (int calls = 0; calls < 64 && !in.empty(); ++calls) {
        const std::string& name = names[in.pick(names.size())];
        if (name == "getDeviceType" || name == "trace")
            lua_getglobal(L, name.c_str());  // nil until initialize installs it
        else
            lua_getfield(L, 1, name.c_str());
        const int arguments = static_cast<int>(in.pick(6));
        for (int n = 0; n < arguments; ++n)
            pushValue(L, in, 0);
        lua_pcall(L, arguments, LUA_MULTRET, 0);
        lua_settop(L, 1);
    }
    lua_close(L);
    Vorlan& input = *getGlobalInput();
    input.uninitialize();
    input.removeAllLayers();
    return 0;
}
