-- The module as the stock interpreter loads it: its functions, and what they
-- give before vorlan.initialize.
local module = require "Vorlan"
assert(module == vorlan, "require gives the table vorlan")

local names = {
  "initialize", "activate", "createLayer", "process", "getAxesValueMax", "getNotAxesValue",
  "removeAllLayers", "removeLayer", "setTopLayer", "getDevices", "getDeviceType",
  "getJoystickNumber", "setJoystickNumber", "getDeviceKeysAxes", "addAxisCombo", "addKeyCombo",
  "addModifiers", "addSwitches", "addSwitchGroup", "clearReformers", "enableDiagnostics", "takeDiagnostics",
}
local count = 0
for name in pairs(vorlan) do count = count + 1 end
assert(count == #names, #names .. " functions, not " .. count)
for _, name in ipairs(names) do
  assert(type(vorlan[name]) == "function", name .. " is a function")
end

local function isEmptyArray(t)
  return type(t) == "table" and next(t) == nil
end
assert(isEmptyArray(vorlan.process()))
assert(isEmptyArray(vorlan.getDevices()))
local keys, axes = vorlan.getDeviceKeysAxes("Keyboard")
assert(isEmptyArray(keys) and isEmptyArray(axes))
assert(vorlan.getDeviceType("Keyboard") == 0)
assert(vorlan.getJoystickNumber("Stick") == -1)
assert(vorlan.getAxesValueMax() == 1073741823)
assert(vorlan.getNotAxesValue() == 2147483646)

-- Without the engine these do nothing, and they raise nothing.
vorlan.activate(true)
vorlan.createLayer("L")
vorlan.addModifiers({42, 42})
vorlan.addSwitches({58})
vorlan.addSwitchGroup({59, 60})
vorlan.addKeyCombo("L", 30, {42}, 1, 2, 3)
vorlan.addAxisCombo("L", 4096, {}, 4, {deadzone = 0.1, curvature = {0.2, 0.5}})
vorlan.setTopLayer("L")
vorlan.setJoystickNumber("Stick", 2.5)
vorlan.removeLayer("L")
vorlan.removeAllLayers()
vorlan.clearReformers()
vorlan.activate(false)

-- A string argument must be there.
local ok, message = pcall(vorlan.createLayer)
assert(not ok and message == "bad argument #1 to 'vorlan.createLayer' (string expected, got no value)", message)

-- The globals come only with vorlan.initialize.
assert(KEY_ESCAPE == nil and getDeviceType == nil and trace == nil)
