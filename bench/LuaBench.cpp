#include "Filter.h"
#include "Vorlan.h"
#include "lua/LuaModule.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/fake/FakeDirectInput.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/TestPlatform.h"

#include <benchmark/benchmark.h>

#include <lua.hpp>

#include <stdlib.h>

#include <vector>

// The same frames through the facade's process, called from C++ and through
// vorlan.process() from Lua: a keyboard and a stick on the fake backend, each
// frame a key going down or up and four filtered stick moves, bound in one
// layer, so that a frame gives about six actions. Logging is off.

namespace {

using namespace DirectInput;
using FakeDevices::absoluteAxis;
using FakeDevices::instance;
using FakeDevices::record;

struct Rig {
    FakeDirectInput fake;
    FacadePlatform platform{TestPlatform::maker(fake)};
    FakeDeviceScript& keyboard = fake.addDevice(instance(1, DI8DEVTYPE_KEYBOARD, "Keyboard"));
    FakeDeviceScript& stick = fake.addDevice(instance(2, DI8DEVTYPE_JOYSTICK, "Stick"));
    lua_State* L = luaL_newstate();
    uint32_t time = 0;

    Rig() {
        unsetenv("VORLAN_NPCLIENT_PATH");
        Vorlan::setLogPath("/dev/null");
        Vorlan::enableLogging(false, false, false);
        stick.objects = {absoluteAxis(0, GUID_XAxis), absoluteAxis(4, GUID_YAxis)};
        luaL_openlibs(L);
        lua_pushcfunction(L, luaopen_Vorlan);
        lua_call(L, 0, 0);
        Vorlan& input = *getGlobalInput();
        input.initialize(nullptr);
        input.createLayer("base");
        input.addKeyCombo("base", 0x1E, {}, 1, 2, 3);
        FilterInfo filter;
        filter.deadzone = 0.05;
        input.addAxisCombo("base", 4096, {}, 10, filter);
        input.addAxisCombo("base", 4100, {}, 11, filter);
        input.setTopLayer("base");
        input.activate(true);
    }
    ~Rig() {
        lua_close(L);
        getGlobalInput()->uninitialize();
        getGlobalInput()->removeAllLayers();
    }
    void queueFrame() {
        time += 16;
        keyboard.batches.push_back({record(0x1E, time % 32 ? 0x80 : 0, time)});
        stick.batches.push_back({record(0, time * 1000, time), record(4, time * 2000, time + 1),
                                 record(0, time * 3000, time + 2), record(4, time * 4000, time + 3)});
        fake.clearJournal();
    }
};

void BM_ProcessFromCpp(benchmark::State& state) {
    Rig rig;
    std::vector<VorlanAction> actions;
    for (auto _ : state) {
        state.PauseTiming();
        rig.queueFrame();
        state.ResumeTiming();
        getGlobalInput()->process(actions);
        benchmark::DoNotOptimize(actions.data());
    }
}

void BM_ProcessFromLua(benchmark::State& state) {
    Rig rig;
    lua_getglobal(rig.L, "vorlan");
    lua_getfield(rig.L, -1, "process");
    for (auto _ : state) {
        state.PauseTiming();
        rig.queueFrame();
        state.ResumeTiming();
        lua_pushvalue(rig.L, -1);
        lua_call(rig.L, 0, 1);
        lua_pop(rig.L, 1);
    }
}

// What Lua itself pays to make tables of the same shape as a frame's actions,
// as many as a frame gives, with a table constructor in a Lua function: the
// part of vorlan.process() that no binding of the library can take away.
void BM_ActionTablesMadeInLua(benchmark::State& state) {
    Rig rig;
    std::vector<VorlanAction> actions;
    rig.queueFrame();
    getGlobalInput()->process(actions);
    luaL_loadstring(rig.L, "local n = ... return function() local t = {} for i = 1, n do t[i] = "
                           "{action = i, hasValue = true, value = 0.5, absolute = false, time = 16, device = 1} "
                           "end return t end");
    lua_pushnumber(rig.L, static_cast<lua_Number>(actions.size()));
    lua_call(rig.L, 1, 1);
    for (auto _ : state) {
        state.PauseTiming();
        state.ResumeTiming();
        lua_pushvalue(rig.L, -1);
        lua_call(rig.L, 0, 1);
        lua_pop(rig.L, 1);
    }
    state.counters["actions"] = static_cast<double>(actions.size());
}

} // namespace

BENCHMARK(BM_ProcessFromCpp);
BENCHMARK(BM_ProcessFromLua);
BENCHMARK(BM_ActionTablesMadeInLua);
