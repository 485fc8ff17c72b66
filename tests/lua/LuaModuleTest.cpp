#include "Vorlan.h"
#include "lua/Constants.h"
#include "lua/LuaModule.h"
#include "platform/directinput/ResultCodes.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/LogCapture.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <limits>

using namespace DirectInput;
using namespace FakeDevices;

namespace {

void* const window = reinterpret_cast<void*>(0x1234);
constexpr size_t unlimited = std::numeric_limits<size_t>::max();

// show(...) prints results the way the tests compare them: arrays as
// "{a b}", records as "{key=value ...}" sorted; commands() runs one frame and
// lists the actions' command numbers.
const char* const helpers = R"(
local function one(v)
  if type(v) ~= "table" then return tostring(v) end
  local parts = {}
  for i = 1, #v do parts[i] = one(v[i]) end
  if #v == 0 then
    for k, x in pairs(v) do parts[#parts + 1] = k .. "=" .. one(x) end
    table.sort(parts)
  end
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

// Lua's allocator on a budget: after *left more growing allocations it refuses
// every one, as a machine out of memory does.
void* allocate(void* left, void* block, size_t oldSize, size_t newSize) {
    size_t& budget = *static_cast<size_t*>(left);
    if (newSize > oldSize && budget == 0)
        return nullptr;
    budget -= newSize > oldSize;
    if (newSize != 0)
        return std::realloc(block, newSize);
    std::free(block);
    return nullptr;
}

// A Lua state with the module opened, on a fake keyboard, mouse and stick, in a
// fresh working folder; the facade's process-wide state is put back afterwards.
struct Script {
    LogCapture log;
    FakeDirectInput fake;
    FacadePlatform platform{TestPlatform::maker(fake)};
    std::filesystem::path previous = std::filesystem::current_path();
    FakeDeviceScript& kb = keyboard(fake, 1);
    FakeDeviceScript& ms = mouse(fake, 2);
    FakeDeviceScript& js = joystick(fake, 3);
    const std::string stick = "Stick {10000003-ABCD-ef01-0313-233343536373}";
    size_t budget = unlimited;
    lua_State* L = lua_newstate(allocate, &budget);

    Script() {
        std::filesystem::current_path(log.path(""));
        unsetenv("VORLAN_NPCLIENT_PATH");
        luaL_openlibs(L);
        lua_pushcfunction(L, luaopen_Vorlan);
        lua_call(L, 0, 0);
        lua_pushlightuserdata(L, window);
        lua_setglobal(L, "window");
        run("stick = '" + stick + "'" + helpers);
    }
    ~Script() {
        lua_close(L);
        getGlobalInput()->uninitialize();
        getGlobalInput()->removeAllLayers();
        std::filesystem::current_path(previous);
    }
    // Runs a chunk, its calls with that many allocations allowed: its result
    // as a string ("" for none) or the error message.
    std::string run(const std::string& code, size_t allocations = unlimited) {
        if (luaL_loadstring(L, code.c_str()) == 0) {
            budget = allocations;
            lua_pcall(L, 0, 1, 0);
            budget = unlimited;
        }
        const char* text = lua_tostring(L, -1);
        const std::string result = text ? text : "";
        lua_settop(L, 0);
        return result;
    }
    // The values of a Lua expression list, as show() prints them.
    std::string eval(const std::string& expressions) { return run("return show(" + expressions + ")"); }
    std::vector<std::string> layers() {
        std::vector<std::string> names;
        getGlobalInput()->getLayersStack(names);
        return names;
    }
};

} // namespace

// Before initialize (or after it failed) every function gives a neutral result
// and touches no device; the function names are checked by tests/lua/module.lua.
TEST(LuaModuleTest, NeutralUntilInitialize) {
    Script s;
    EXPECT_EQ(s.eval("vorlan.process(), vorlan.getDevices(), vorlan.getDeviceType('Keyboard'),"
                     " vorlan.getJoystickNumber(stick), vorlan.getDeviceKeysAxes('Keyboard')"),
              "{} {} 0 -1 {} {}");
    EXPECT_EQ(s.eval("vorlan.getAxesValueMax(), vorlan.getNotAxesValue(), KEY_ESCAPE, getDeviceType, trace"),
              "1073741823 2147483646 nil nil nil");
    EXPECT_EQ(s.run("vorlan.activate(true) vorlan.activate(false) vorlan.createLayer('L') vorlan.setTopLayer('L')"
                    " vorlan.removeLayer('L') vorlan.removeAllLayers() vorlan.addModifiers({1})"
                    " vorlan.addSwitches({2}) vorlan.addSwitchGroup({3}) vorlan.clearReformers()"
                    " vorlan.addKeyCombo('L', 4, {1}, 1, 2, 3) vorlan.addAxisCombo('L', 5, {}, 1, {deadzone = 1})"
                    " vorlan.setJoystickNumber(stick, 2)"),
              "");
    EXPECT_TRUE(s.fake.journal().empty());
}

TEST(LuaModuleTest, InitializeRaisesItsFailureAndTakesOnlyALightUserdataAsTheWindow) {
    Script s;
    s.fake.setResult("DirectInput8Create", DIERR_OUTOFMEMORY, 1);
    EXPECT_EQ(s.eval("pcall(vorlan.initialize, window)"),
              std::string("false DirectInput8Create ") + errorDescription(DIERR_OUTOFMEMORY));
    EXPECT_EQ(s.eval("KEY_ESCAPE, vorlan.getDevices()"), "nil {}");
    const std::pair<const char*, void*> windows[] = {{"newproxy()", nullptr}, {"0x1234", nullptr}, {"", nullptr},
                                                     {"window", window}};
    for (const auto& [argument, expected] : windows) {
        getGlobalInput()->uninitialize();
        s.fake.clearJournal();
        EXPECT_EQ(s.run(std::string("vorlan.initialize(") + argument + ")"), "");
        ASSERT_EQ(s.fake.journal("SetCooperativeLevel").size(), 3u);
        EXPECT_EQ(s.fake.journal("SetCooperativeLevel").front().window, expected) << argument;
    }
}

// Each initialize installs the globals again, over whatever a script put there.
TEST(LuaModuleTest, InitializeInstallsTheGlobals) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    for (size_t i = 0; i < luaConstantCount; ++i)
        EXPECT_EQ(s.eval(std::string("type(") + luaConstants[i].name + "), " + luaConstants[i].name),
                  "number " + std::to_string(luaConstants[i].value));
    EXPECT_EQ(s.run("KEY_ESCAPE = 99 wsRepNull = nil getDeviceType = nil trace = 1 vorlan.initialize()"), "");
    EXPECT_EQ(s.eval("KEY_ESCAPE, wsRepNull, type(getDeviceType), type(trace)"), "1 4000 function function");
    EXPECT_EQ(s.fake.journal("DirectInput8Create").size(), 1u);
}

TEST(LuaModuleTest, NamesMustBeStringsOrNumbers) {
    Script s;
    const std::pair<std::string, const char*> cases[] = {  // the function and its arguments, the wrong type
        {"createLayer", "no value"},
        {"removeLayer, nil", "nil"},
        {"setTopLayer, {}", "table"},
        {"getDeviceType, true", "boolean"},
        {"getJoystickNumber, print", "function"},
        {"setJoystickNumber, window, 1", "userdata"},
        {"getDeviceKeysAxes", "no value"},
        {"addAxisCombo, nil, 1, {}, 1", "nil"},
        {"addKeyCombo, false, 1, {}, 1, 2, 3", "boolean"},
    };
    for (int round = 0; round < 2; ++round) {  // before and after initialize
        for (const auto& [call, got] : cases)
            EXPECT_EQ(s.eval("pcall(vorlan." + call + ")"), "false bad argument #1 to 'vorlan." +
                                                                 call.substr(0, call.find(',')) +
                                                                 "' (string expected, got " + got + ")");
        ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    }
}

TEST(LuaModuleTest, LayersByNamesThatAreStringsOrNumbersAndActivateFollowingLuasTruth) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    EXPECT_EQ(s.run("vorlan.createLayer('A') vorlan.createLayer(7) vorlan.setTopLayer('A') vorlan.setTopLayer(7)"), "");
    EXPECT_EQ(s.layers(), (std::vector<std::string>{"7", "A"}));
    EXPECT_EQ(s.run("vorlan.removeLayer('7')"), "");
    EXPECT_EQ(s.layers(), std::vector<std::string>{"A"});
    EXPECT_EQ(s.run("vorlan.removeAllLayers()"), "");
    EXPECT_TRUE(s.layers().empty());
    const std::pair<const char*, const char*> activations[] = {
        {"true", "Acquire"}, {"0", "Acquire"}, {"''", "Acquire"}, {"false", "Unacquire"}, {"nil", "Unacquire"}, {"", "Unacquire"}};
    for (const auto& [argument, call] : activations) {
        s.fake.clearJournal();
        EXPECT_EQ(s.run(std::string("vorlan.activate(") + argument + ")"), "");
        EXPECT_EQ(s.fake.journal(call).size(), 3u) << argument;
    }
}

// The global functions take one string; tolua's report names the function, then the wrong argument.
TEST(LuaModuleTest, QueriesGiveLuaValuesAndGlobalFunctionsTakeOneString) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    const auto refused = [](const std::string& function, const std::string& argument) {
        return "false error in function '" + function + "'.\n     argument #" + argument + " expected.\n";
    };
    const std::pair<std::string, std::string> cases[] = {
        {"pcall(getDeviceType, 'Keyboard')", "true Keyboard"},
        {"pcall(getDeviceType, 'Mouse')", "true Mouse"},
        {"pcall(getDeviceType, stick)", "true Joystick"},
        {"pcall(getDeviceType, 5)", "true Unknown"},
        {"pcall(trace, 5)", "true"},
        {"pcall(getDeviceType)", refused("getDeviceType", "1 is '[no object]'; 'string'")},
        {"pcall(getDeviceType, nil)", refused("getDeviceType", "1 is 'nil'; 'string'")},
        {"pcall(getDeviceType, 'a', 'b')", refused("getDeviceType", "2 is 'string'; '[no object]'")},
        {"pcall(trace, nil)", refused("trace", "1 is 'nil'; 'string'")},
        {"pcall(trace, 'a', 1)", refused("trace", "2 is 'number'; '[no object]'")},
        {"vorlan.getDevices()", "{Keyboard Mouse " + s.stick + "}"},
        {"vorlan.getDeviceType('Keyboard'), vorlan.getDeviceType('Mouse'), vorlan.getDeviceType(stick),"
         " vorlan.getDeviceType('Stick'), vorlan.getDeviceType(4)", "1 2 3 0 0"},
        {"vorlan.getJoystickNumber(stick), vorlan.getJoystickNumber('Keyboard')", "0 -1"},
        {"vorlan.getDeviceKeysAxes('Keyboard')", "{1 30 42} {}"},
        {"vorlan.getDeviceKeysAxes('Mouse')", "{1036 1037} {1024 1028 1032}"},
        {"vorlan.getDeviceKeysAxes('nobody')", "{} {}"},
        {"(function(k, a) return #k, #a, k[1], k[164], a[1], a[32] end)(vorlan.getDeviceKeysAxes(stick))",
         "164 32 4144 5084 4096 4364"},
    };
    for (const auto& [call, result] : cases)
        EXPECT_EQ(s.eval(call), result) << call;
}

TEST(LuaModuleTest, SetJoystickNumberTruncatesTowardZeroAndSaturates) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window)"), "");
    const std::pair<const char*, const char*> numbers[] = {
        {"2.9", "2"},         {"-1.5", "-1"},         {"2147483647.5", "2147483647"}, {"1e10", "2147483647"},
        {"-1e10", "-2147483648"}, {"math.huge", "2147483647"}, {"0/0", "0"}, {"'7'", "7"}, {"nil", "0"}, {"{}", "0"},
    };
    for (const auto& [number, result] : numbers) {
        EXPECT_EQ(s.run(std::string("vorlan.setJoystickNumber(stick, ") + number + ")"), "");
        EXPECT_EQ(s.eval("vorlan.getJoystickNumber(stick)"), result) << number;
    }
}

TEST(LuaModuleTest, ProcessGivesOneTablePerAction) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window) vorlan.createLayer('L') vorlan.setTopLayer('L') vorlan.activate(true)"
                    " vorlan.addKeyCombo('L', KEY_A, {}, 10, 11, 12) vorlan.addAxisCombo('L', JOYSTICK_X, {}, 20)"
                    " vorlan.addAxisCombo('L', -1024, {}, 21) vorlan.addAxisCombo('L', MOUSE_X, {}, 22)"),
              "");
    s.kb.batches.push_back({record(0x1E, 0x80, 100)});
    s.js.batches.push_back({record(0, static_cast<uint32_t>(-5), 0xFFFFFFF0u)});
    s.ms.batches.push_back({record(0, 3, 102)});
    EXPECT_EQ(s.eval("vorlan.process()"),
              "{{absolute=false action=10 device=0 hasValue=false time=100 value=0}"
              " {absolute=false action=22 device=1024 hasValue=true time=102 value=196620}"
              " {absolute=true action=20 device=4096 hasValue=true time=4294967280 value=-5}"
              " {absolute=false action=11 device=0 hasValue=false time=101 value=0}}");
    s.kb.batches.push_back({record(0x1E, 0, 200)});
    EXPECT_EQ(s.eval("commands()"), "12");

    // Joystick number -5 has the block -1024, which reaches the host unsigned.
    ASSERT_EQ(s.run("vorlan.setJoystickNumber(stick, -5)"), "");
    s.js.batches.push_back({record(0, 7, 300)});
    EXPECT_EQ(s.eval("vorlan.process()[1].device"), "4294966272");
}

TEST(LuaModuleTest, CombosTakeCodeArraysAsSetsAndFilterTables) {
    Script s;
    ASSERT_EQ(s.run(R"(
        vorlan.initialize(window) vorlan.createLayer("L") vorlan.setTopLayer("L") vorlan.activate(true)
        vorlan.addModifiers({KEY_LSHIFT, KEY_LSHIFT, tostring(KEY_LCONTROL)})
        vorlan.addSwitches({KEY_CAPITAL}) vorlan.addSwitchGroup({KEY_F2, KEY_F1})
        vorlan.addKeyCombo("L", KEY_A, {KEY_LCONTROL, KEY_LSHIFT, KEY_LCONTROL}, 30, 0, 0)
        vorlan.addKeyCombo("L", KEY_A, "not an array", 31, 0, 0)
        vorlan.addKeyCombo("L", KEY_B, {KEY_CAPITAL}, 40, 0, 0)
        vorlan.addKeyCombo("L", KEY_C, {KEY_F1}, 50, 0, 0)
        vorlan.addKeyCombo("L", KEY_C, {KEY_F2}, 51, 0, 0)
        vorlan.addKeyCombo("L", KEY_LSHIFT, {}, 60, 0, 0))"),
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

    // addAxisCombo reads the filter table: the values of inputs max / 20, max / 3, -max / 2 and max.
    const struct {
        const char* table;
        std::array<int32_t, 4> values;
    } cases[] = {
        {"", {53687091, 357913941, -536870911, 1073741823}},
        {", 5", {53687091, 357913941, -536870911, 1073741823}},
        {", {}", {0, 0, 0, 0}},
        {", {deadzone = 0.1, saturationX = 0.8, saturationY = '0.9'}", {0, 322122546, -552210079, 966367640}},
        {", {saturationX = 1, saturationY = 1, invert = true}", {-53687091, -357913941, 536870911, -1073741823}},
        {", {saturationX = 1, saturationY = 1, slider = 0}", {53687090, 357913940, -536870911, 1073741823}},
        {", {saturationX = 1, saturationY = 1, curvature = {0.2, 0.5}}", {18439937, 133074415, -214211815, 1073741823}},
        {", setmetatable({}, {__index = {saturationX = 0.5, saturationY = 1}})",
         {107374182, 715827882, -1073741822, 1073741823}},
    };
    const int32_t inputs[] = {53687091, 357913941, -536870911, 1073741823};
    for (size_t i = 0; i < std::size(cases); ++i) {
        const uint32_t offset = static_cast<uint32_t>(4 * i);  // one of the eight main axes per case
        ASSERT_EQ(s.run("vorlan.addAxisCombo('L', JOYSTICK_X + " + std::to_string(offset) + ", {}, " +
                        std::to_string(100 + i) + cases[i].table + ")"),
                  "");
        for (size_t n = 0; n < std::size(inputs); ++n) {
            s.js.batches.push_back({record(offset, static_cast<uint32_t>(inputs[n]), 1)});
            EXPECT_EQ(s.eval("vorlan.process()[1].value"), std::to_string(cases[i].values[n]))
                << cases[i].table << " at " << inputs[n];
        }
    }
}

// Every allocation that Lua refuses turns into a Lua error at whatever point
// it happens, before, inside or after the C++ work; ASan's leak check sees any
// C++ object that the error skipped.
// With diagnostics on, so that noting degraded arguments is swept too.
TEST(LuaModuleTest, OutOfMemoryIsALuaErrorThatSkipsNoDestructor) {
    Script s;
    ASSERT_EQ(s.run("vorlan.initialize(window) vorlan.createLayer('L') vorlan.addKeyCombo('L', KEY_A, {}, 10, 0, 0)"
                    " vorlan.setTopLayer('L') vorlan.activate(true) vorlan.enableDiagnostics(true)"),
              "");
    for (const std::string call : {"vorlan.initialize(window)", "vorlan.getDevices()", "vorlan.getDeviceKeysAxes(stick)",
                                   "vorlan.process()", "vorlan.createLayer(12345)",
                                   "vorlan.addAxisCombo('L', 4100, {1, 'x'}, 5, {curvature = {0.5}, x = 1})",
                                   "vorlan.takeDiagnostics()"}) {
        size_t allowed = 0;
        for (std::string error;; ++allowed) {
            if (call == "vorlan.process()")
                s.kb.batches.push_back({record(0x1E, 0x80, 1), record(0x1E, 0, 2)});
            if ((error = s.run(call, allowed)).empty())
                break;
            ASSERT_EQ(error, "not enough memory") << call;
        }
        EXPECT_GT(allowed, 0u) << call << " was never refused";
    }
    Vorlan::enableDiagnostics(false);
}
