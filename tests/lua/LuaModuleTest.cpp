#include "Filter.h"
#include "Vorlan.h"
#include "bindings/ActionList.h"
#include "core/Ref.h"
#include "devices/DeviceNames.h"
#include "lua/Constants.h"
#include "lua/LuaModule.h"
#include "platform/directinput/ResultCodes.h"
#include "support/FakeDevices.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <set>

using namespace DirectInput;
using namespace FakeDevices;

namespace {

void* const window = reinterpret_cast<void*>(0x1234);

// show(...) prints results the way the tests compare them: arrays as
// "{a b}", other tables with their keys sorted; commands() runs one frame and
// lists the actions' command numbers.
const char* const helpers = R"(
local function one(v)
  if type(v) ~= "table" then return tostring(v) end
  local parts, keys = {}, {}
  for i = 1, #v do parts[i] = one(v[i]) end
  for k in pairs(v) do
    if type(k) ~= "number" or k < 1 or k > #v then keys[#keys + 1] = k end
  end
  table.sort(keys)
  for _, k in ipairs(keys) do parts[#parts + 1] = k .. "=" .. one(v[k]) end
  return "{" .. table.concat(parts, " ") .. "}"
end
function show(...)
  local out = {}
  for i = 1, select("#", ...) do out[i] = one((select(i, ...))) end
  return table.concat(out, " ")
end
function commands()
  local out = {}
  for i, a in ipairs(vorlan.process()) do out[i] = a.action end
  return table.concat(out, " ")
end
)";

// Lua's allocator with a switch: after `left` more growing allocations it
// refuses every one, as a machine out of memory does.
struct Budget {
    size_t left = std::numeric_limits<size_t>::max();
};

void* allocate(void* ud, void* block, size_t oldSize, size_t newSize) {
    if (newSize == 0) {
        std::free(block);
        return nullptr;
    }
    Budget& budget = *static_cast<Budget*>(ud);
    if (newSize > oldSize && budget.left-- == 0) {
        budget.left = 0;
        return nullptr;
    }
    return std::realloc(block, newSize);
}

// A Lua state with the module opened, on a fake keyboard, mouse and stick, in a
// fresh working folder; the facade's process-wide state is put back afterwards.
struct Script {
    LogCapture log;
    FakeDirectInput fake;
    FakeInstallation installed{fake};
    std::filesystem::path previous = std::filesystem::current_path();
    FakeDeviceScript& kb = keyboard(fake, 1);
    FakeDeviceScript& ms = mouse(fake, 2);
    FakeDeviceScript& js = joystick(fake, 3);
    const std::string stick = "Stick {" + formatGuid(guid(3)) + "}";
    Budget budget;
    lua_State* L = lua_newstate(allocate, &budget);

    Script() {
        std::filesystem::current_path(log.path(""));
        unsetenv("VORLAN_NPCLIENT_PATH");
        luaL_openlibs(L);
        lua_pushcfunction(L, luaopen_Vorlan);
        lua_call(L, 0, 0);
        lua_pushlightuserdata(L, window);
        lua_setglobal(L, "window");
        lua_pushstring(L, stick.c_str());
        lua_setglobal(L, "stick");
        run(helpers);
    }
    ~Script() {
        lua_close(L);
        getGlobalInput()->uninitialize();
        getGlobalInput()->removeAllLayers();
        std::filesystem::current_path(previous);
    }
    // Runs a chunk: "" or the error message.
    std::string run(const std::string& code) {
        const bool ok = luaL_loadstring(L, code.c_str()) == 0 && lua_pcall(L, 0, 0, 0) == 0;
        const std::string error = ok ? "" : lua_tostring(L, -1);
        lua_settop(L, 0);
        return error;
    }
    // The values of a Lua expression list, as show() prints them.
    std::string eval(const std::string& expressions) {
        const std::string error = run("result = show(" + expressions + ")");
        if (!error.empty())
            return "error: " + error;
        lua_getglobal(L, "result");
        const std::string result = lua_tostring(L, -1);
        lua_settop(L, 0);
        return result;
    }
    std::vector<std::string> layers() {
        std::vector<std::string> names;
        getGlobalInput()->getLayersStack(names);
        return names;
    }
};

} // namespace

// ---- Before initialize ----------------------------------------------------

// The function names are checked by tests/lua/module.lua.
TEST(LuaModuleTest, OpensTheModuleWithNeutralResultsBeforeInitialize) {
    Script s;
    lua_pushcfunction(s.L, luaopen_Vorlan);
    lua_call(s.L, 0, LUA_MULTRET);
    lua_getglobal(s.L, "vorlan");
    EXPECT_TRUE(lua_gettop(s.L) == 2 && lua_rawequal(s.L, 1, 2));
    lua_settop(s.L, 0);
    const struct {
        const char* call;
        const char* result;
    } cases[] = {
        {"vorlan.process()", "{}"},
        {"vorlan.getDevices()", "{}"},
        {"vorlan.getDeviceType('Keyboard')", "0"},
        {"vorlan.getJoystickNumber(stick)", "-1"},
        {"vorlan.getDeviceKeysAxes('Keyboard')", "{} {}"},
        {"vorlan.getAxesValueMax(), vorlan.getNotAxesValue()", "1073741823 2147483646"},
        {"KEY_ESCAPE, wsRepHumanMaximum, getDeviceType, trace", "nil nil nil nil"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.eval(c.call), c.result) << c.call;
    EXPECT_EQ(s.run("vorlan.activate(true) vorlan.activate(false) vorlan.createLayer('L') vorlan.setTopLayer('L')"
                    " vorlan.removeLayer('L') vorlan.removeAllLayers() vorlan.addModifiers({1})"
                    " vorlan.addSwitches({2}) vorlan.addSwitchGroup({3}) vorlan.clearReformers()"
                    " vorlan.addKeyCombo('L', 4, {1}, 1, 2, 3) vorlan.addAxisCombo('L', 5, {}, 1, {deadzone = 1})"
                    " vorlan.setJoystickNumber(stick, 2)"),
              "");
    EXPECT_TRUE(s.fake.journal().empty());
}

// ---- initialize and the globals -------------------------------------------

TEST(LuaModuleTest, InitializeRaisesTheFactorysExceptionAsALuaError) {
    Script s;
    s.fake.setResult("DirectInput8Create", DIERR_OUTOFMEMORY, 1);
    EXPECT_EQ(s.eval("pcall(vorlan.initialize, window)"),
              std::string("false DirectInput8Create ") + errorDescription(DIERR_OUTOFMEMORY));
    EXPECT_EQ(s.eval("KEY_ESCAPE, vorlan.getDevices()"), "nil {}");

    EXPECT_EQ(s.eval("pcall(vorlan.initialize, window)"), "true");
    EXPECT_EQ(s.eval("KEY_ESCAPE, #vorlan.getDevices()"), "1 3");
}

TEST(LuaModuleTest, InitializeTakesOnlyALightUserdataAsTheWindow) {
    Script s;
    const struct {
        const char* argument;
        void* window;
    } cases[] = {{"window", window}, {"newproxy()", nullptr}, {"0x1234", nullptr}, {"", nullptr}};
    for (const auto& c : cases) {
        EXPECT_EQ(s.run(std::string("vorlan.initialize(") + c.argument + ")"), "");
        ASSERT_EQ(s.fake.journal("SetCooperativeLevel").size(), 3u);
        EXPECT_EQ(s.fake.journal("SetCooperativeLevel").front().window, c.window) << c.argument;
        getGlobalInput()->uninitialize();
        s.fake.clearJournal();
    }
}

TEST(LuaModuleTest, InitializeInstallsEveryConstantAndRestoresThemEachTime) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    std::set<std::string> names;
    for (size_t i = 0; i < luaConstantCount; ++i) {
        lua_getglobal(s.L, luaConstants[i].name);
        EXPECT_EQ(lua_type(s.L, -1), LUA_TNUMBER) << luaConstants[i].name;
        EXPECT_EQ(lua_tonumber(s.L, -1), luaConstants[i].value) << luaConstants[i].name;
        lua_settop(s.L, 0);
        names.insert(luaConstants[i].name);
    }
    EXPECT_EQ(names.size(), 1833u);

    EXPECT_EQ(s.eval("KEY_ESCAPE, MOUSE_BUTTON7, JOYSTICK_BUTTON_POV3_UL, iCommandMaximum, wsRepHumanMaximum"),
              "1 1043 5084 957 9998");
    EXPECT_EQ(s.run("KEY_ESCAPE = 99 wsRepNull = nil getDeviceType = nil trace = 1 vorlan.initialize()"), "");
    EXPECT_EQ(s.eval("KEY_ESCAPE, wsRepNull, type(getDeviceType), type(trace)"), "1 4000 function function");
    EXPECT_EQ(s.fake.journal("DirectInput8Create").size(), 1u);
}

TEST(LuaModuleTest, GlobalFunctionsCheckTheirOneStringArgument) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    // tolua's report: the function, then which argument was wrong.
    const auto refused = [](const std::string& function, const std::string& argument) {
        return "false error in function '" + function + "'.\n     argument " + argument + " expected.\n";
    };
    const struct {
        const char* call;
        std::string result;
    } cases[] = {
        {"getDeviceType, 'Keyboard'", "true Keyboard"},
        {"getDeviceType, 'Mouse'", "true Mouse"},
        {"getDeviceType, stick", "true Joystick"},
        {"getDeviceType, 'TrackIR'", "true Unknown"},
        {"getDeviceType, 5", "true Unknown"},
        {"trace, 'text'", "true"},
        {"trace, 5", "true"},
        {"getDeviceType", refused("getDeviceType", "#1 is '[no object]'; 'string'")},
        {"getDeviceType, nil", refused("getDeviceType", "#1 is 'nil'; 'string'")},
        {"getDeviceType, {}", refused("getDeviceType", "#1 is 'table'; 'string'")},
        {"getDeviceType, 'a', 'b'", refused("getDeviceType", "#2 is 'string'; '[no object]'")},
        {"trace", refused("trace", "#1 is '[no object]'; 'string'")},
        {"trace, nil", refused("trace", "#1 is 'nil'; 'string'")},
        {"trace, 'a', 1", refused("trace", "#2 is 'number'; '[no object]'")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.eval(std::string("pcall(") + c.call + ")"), c.result) << c.call;
}

// ---- Arguments ------------------------------------------------------------

TEST(LuaModuleTest, StringArgumentsMustBeStringsOrNumbers) {
    Script s;
    const struct {
        const char* function;
        const char* arguments;
        const char* got;
    } cases[] = {
        {"createLayer", "", "no value"},
        {"removeLayer", "nil", "nil"},
        {"setTopLayer", "{}", "table"},
        {"getDeviceType", "true", "boolean"},
        {"getJoystickNumber", "print", "function"},
        {"setJoystickNumber", "window, 1", "userdata"},
        {"getDeviceKeysAxes", "", "no value"},
        {"addAxisCombo", "nil, 1, {}, 1", "nil"},
        {"addKeyCombo", "false, 1, {}, 1, 2, 3", "boolean"},
    };
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases)
            EXPECT_EQ(s.eval(std::string("pcall(vorlan.") + c.function + (*c.arguments ? ", " : "") + c.arguments + ")"),
                      std::string("false bad argument #1 to 'vorlan.") + c.function + "' (string expected, got " +
                          c.got + ")")
                << c.function;
        ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    }
    EXPECT_EQ(s.run("vorlan.createLayer(12) vorlan.setTopLayer('12')"), "");
    EXPECT_EQ(s.layers(), std::vector<std::string>{"12"});
}

TEST(LuaModuleTest, SetJoystickNumberTruncatesAndSaturates) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    const struct {
        const char* number;
        const char* result;
    } cases[] = {
        {"2.9", "2"},           {"-1.5", "-1"},          {"2147483647.5", "2147483647"},
        {"1e10", "2147483647"}, {"-1e10", "-2147483648"}, {"math.huge", "2147483647"},
        {"0/0", "0"},           {"'7'", "7"},             {"nil", "0"},
        {"{}", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(s.run(std::string("vorlan.setJoystickNumber(stick, ") + c.number + ")"), "");
        EXPECT_EQ(s.eval("vorlan.getJoystickNumber(stick)"), c.result) << c.number;
    }
}

TEST(LuaModuleTest, CodeArraysBecomeOrderedSets) {
    Script s;
    ASSERT_EQ(s.run(R"(
        vorlan.initialize(window)
        vorlan.addModifiers({KEY_LSHIFT, KEY_LSHIFT, tostring(KEY_LCONTROL)})
        vorlan.addSwitches({KEY_CAPITAL})
        vorlan.addSwitchGroup({KEY_F2, KEY_F1})
        vorlan.createLayer("L")
        vorlan.addKeyCombo("L", KEY_A, {KEY_LCONTROL, KEY_LSHIFT, KEY_LCONTROL}, 30, 0, 0)
        vorlan.addKeyCombo("L", KEY_A, "not an array", 31, 0, 0)
        vorlan.addKeyCombo("L", KEY_B, {KEY_CAPITAL}, 40, 0, 0)
        vorlan.addKeyCombo("L", KEY_C, {KEY_F1}, 50, 0, 0)
        vorlan.addKeyCombo("L", KEY_C, {KEY_F2}, 51, 0, 0)
        vorlan.addKeyCombo("L", KEY_LSHIFT, {}, 60, 0, 0)
        vorlan.setTopLayer("L")
        vorlan.activate(true))"),
              "");
    const auto frame = [&](std::vector<DeviceObjectData> records) {
        s.kb.batches.push_back(std::move(records));
        return s.eval("commands()");
    };
    EXPECT_EQ(frame({record(0x2A, 0x80, 1), record(0x1D, 0x80, 2), record(0x1E, 0x80, 3), record(0x1E, 0, 4)}), "30");
    EXPECT_EQ(frame({record(0x2A, 0, 5), record(0x1D, 0, 6), record(0x1E, 0x80, 7), record(0x1E, 0, 8)}), "31");
    EXPECT_EQ(frame({record(0x30, 0x80, 9), record(0x3A, 0x80, 10), record(0x30, 0x80, 11)}), "40");
    // The group holds F1 and F2: switching F2 on switches F1 off.
    EXPECT_EQ(frame({record(0x3B, 0x80, 12), record(0x2E, 0x80, 13), record(0x3C, 0x80, 14), record(0x2E, 0x80, 15)}),
              "50 51");
    // Left shift was a modifier, so its combo was refused; after clearReformers it binds.
    EXPECT_EQ(frame({record(0x2A, 0x80, 16), record(0x2A, 0, 17)}), "");
    EXPECT_EQ(s.run("vorlan.clearReformers() vorlan.addKeyCombo('L', KEY_LSHIFT, {}, 60, 0, 0)"), "");
    EXPECT_EQ(frame({record(0x2A, 0x80, 18)}), "60");
}

TEST(LuaModuleTest, AddAxisComboReadsTheFilterTable) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window) vorlan.createLayer('L') vorlan.setTopLayer('L') vorlan.activate(true)"),
              "");
    const struct {
        const char* table;
        FilterInfo filter;
    } cases[] = {
        {"", FilterInfo()},
        {"5", FilterInfo()},
        {"{}", FilterInfo{0, 0, 0, false, false, {0}}},
        {"{deadzone = 0.1}", FilterInfo{0.1, 0, 0, false, false, {0}}},
        {"{deadzone = 0.1, saturationX = 0.8, saturationY = '0.9'}", FilterInfo{0.1, 0.8, 0.9, false, false, {0}}},
        {"{saturationX = 1, saturationY = 1, invert = true}", FilterInfo{0, 1, 1, false, true, {0}}},
        {"{saturationX = 1, saturationY = 1, slider = 0}", FilterInfo{0, 1, 1, true, false, {0}}},
        {"{saturationX = 1, saturationY = 1, curvature = {0.2, 0.5}}", FilterInfo{0, 1, 1, false, false, {0, 0.2, 0.5}}},
        {"{saturationX = 1, saturationY = 1, curvature = {}}", FilterInfo{0, 1, 1, false, false, {0}}},
        {"setmetatable({}, {__index = {saturationX = 0.5, saturationY = 1}})", FilterInfo{0, 0.5, 1, false, false, {0}}},
    };
    const int32_t max = Vorlan::getAxesValueMax();
    const int32_t inputs[] = {max / 20, max / 3, -max / 2, max};
    for (size_t i = 0; i < std::size(cases); ++i) {
        // One axis per case: the eight main axes, then the velocity axes.
        const int32_t offset = static_cast<int32_t>(i < 8 ? 4 * i : 176 + 4 * (i - 8));
        ASSERT_EQ(s.run("vorlan.addAxisCombo('L', JOYSTICK_X + " + std::to_string(offset) + ", {}, " +
                        std::to_string(100 + i) + (*cases[i].table ? ", " : "") + cases[i].table + ")"),
                  "");
        const Mem::Ref<Filter> filter(createFilter(cases[i].filter));
        std::string expected;
        for (int32_t x : inputs) {
            s.js.batches.push_back({record(static_cast<uint32_t>(offset), static_cast<uint32_t>(x), 1)});
            const int32_t value = filter ? toActionValue(filter->getValue(x)) : x;
            expected += (expected.empty() ? "" : " ") + std::to_string(value);
        }
        std::string values;
        for (size_t k = 0; k < std::size(inputs); ++k)
            values += (values.empty() ? "" : " ") + s.eval("vorlan.process()[1].value");
        EXPECT_EQ(values, expected) << cases[i].table;
    }
}

// ---- Results --------------------------------------------------------------

TEST(LuaModuleTest, DeviceQueriesAnswerByName) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    const struct {
        std::string call;
        std::string result;
    } cases[] = {
        {"vorlan.getDevices()", "{Keyboard Mouse " + s.stick + "}"},
        {"vorlan.getDeviceType('Keyboard'), vorlan.getDeviceType('Mouse'), vorlan.getDeviceType(stick)", "1 2 3"},
        {"vorlan.getDeviceType('Stick'), vorlan.getDeviceType(4)", "0 0"},
        {"vorlan.getJoystickNumber(stick), vorlan.getJoystickNumber('Keyboard')", "0 -1"},
        {"vorlan.getDeviceKeysAxes('Keyboard')", "{1 30 42} {}"},
        {"vorlan.getDeviceKeysAxes('Mouse')", "{1036 1037} {1024 1028 1032}"},
        {"vorlan.getDeviceKeysAxes('nobody')", "{} {}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.eval(c.call), c.result) << c.call;
    EXPECT_EQ(s.run(R"(
        local keys, axes = vorlan.getDeviceKeysAxes(stick)
        assert(#keys == 164 and #axes == 32)
        assert(keys[1] == 4144 and keys[164] == 5084 and axes[1] == 4096 and axes[32] == 4364))"),
              "");
}

TEST(LuaModuleTest, ProcessReturnsOneTablePerAction) {
    Script s;
    ASSERT_EQ(s.run(R"(
        vorlan.initialize(window)
        vorlan.createLayer("L")
        vorlan.addKeyCombo("L", KEY_A, {}, 10, 11, 12)
        vorlan.addAxisCombo("L", JOYSTICK_X, {}, 20)
        vorlan.addAxisCombo("L", -1024, {}, 21)
        vorlan.setTopLayer("L")
        vorlan.activate(true))"),
              "");
    EXPECT_EQ(s.eval("vorlan.process()"), "{}");

    s.kb.batches.push_back({record(0x1E, 0x80, 100)});
    s.js.batches.push_back({record(0, static_cast<uint32_t>(-5), 0xFFFFFFF0u)});
    EXPECT_EQ(s.eval("vorlan.process()"),
              "{{absolute=false action=10 device=0 hasValue=false time=100 value=0}"
              " {absolute=true action=20 device=4096 hasValue=true time=4294967280 value=-5}"
              " {absolute=false action=11 device=0 hasValue=false time=101 value=0}}");
    s.kb.batches.push_back({record(0x1E, 0, 200)});
    EXPECT_EQ(s.eval("commands()"), "12");

    // Joystick number -5 has the block -1024, which reaches the host unsigned.
    ASSERT_EQ(s.run("vorlan.setJoystickNumber(stick, -5)"), "");
    s.js.batches.push_back({record(0, 7, 300)});
    EXPECT_EQ(s.eval("vorlan.process()[1].device"), "4294966272");
}

TEST(LuaModuleTest, LayersAndActivationByName) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    EXPECT_EQ(s.run("vorlan.createLayer('A') vorlan.createLayer(7) vorlan.setTopLayer('A') vorlan.setTopLayer(7)"),
              "");
    EXPECT_EQ(s.layers(), (std::vector<std::string>{"7", "A"}));
    EXPECT_EQ(s.run("vorlan.removeLayer('7')"), "");
    EXPECT_EQ(s.layers(), std::vector<std::string>{"A"});
    EXPECT_EQ(s.run("vorlan.removeAllLayers()"), "");
    EXPECT_TRUE(s.layers().empty());

    const struct {
        const char* argument;
        const char* call;
    } cases[] = {{"true", "Acquire"}, {"0", "Acquire"}, {"''", "Acquire"},
                 {"false", "Unacquire"}, {"nil", "Unacquire"}, {"", "Unacquire"}};
    for (const auto& c : cases) {
        s.fake.clearJournal();
        EXPECT_EQ(s.run(std::string("vorlan.activate(") + c.argument + ")"), "");
        EXPECT_EQ(s.fake.journal(c.call).size(), 3u) << c.argument;
    }
}

// ---- Out of memory ----------------------------------------------------------

// Every allocation that Lua refuses turns into a Lua error at whatever point
// it happens, before, inside or after the C++ work; ASan's leak check sees any
// C++ object that the error skipped.
TEST(LuaModuleTest, OutOfMemoryIsALuaErrorThatSkipsNoDestructor) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window) vorlan.createLayer('L') vorlan.addKeyCombo('L', KEY_A, {}, 10, 0, 0)"
                    " vorlan.setTopLayer('L') vorlan.activate(true)"),
              "");
    const char* const calls[] = {
        "vorlan.initialize(window)",
        "vorlan.getDevices()",
        "vorlan.getDeviceKeysAxes(stick)",
        "vorlan.process()",
        "vorlan.createLayer(12345)",
        "vorlan.addAxisCombo('L', 4100, {1, 2}, 5, {curvature = {0.5}})",
    };
    for (const std::string call : calls) {
        bool refused = false;
        for (size_t allowed = 0;; ++allowed) {
            if (call == "vorlan.process()")
                s.kb.batches.push_back({record(0x1E, 0x80, 1), record(0x1E, 0, 2)});
            ASSERT_EQ(luaL_loadstring(s.L, ("return " + call).c_str()), 0);
            s.budget.left = allowed;
            const int status = lua_pcall(s.L, 0, 0, 0);
            s.budget.left = std::numeric_limits<size_t>::max();
            const std::string message = status ? lua_tostring(s.L, -1) : "";
            lua_settop(s.L, 0);
            if (status == 0)
                break;
            EXPECT_EQ(message, "not enough memory") << call;
            refused = true;
        }
        EXPECT_TRUE(refused) << call;
    }
}
