-- The devices of a replayed session (replay_devices.jsonl) as a script sees
-- them: names, kinds, joystick numbers and codes, and the events of each kind
-- of device, a renumbered joystick and a lost one included.
require "Vorlan"
vorlan.initialize()

local STICK = "Flight Stick {0C3E5A70-7B41-11ef-8001-444553540000}"
local THROTTLE = "Throttle {0C3E5A71-7B41-11ef-8001-444553540000}"
local devices = { "Keyboard", "Mouse", STICK, THROTTLE, "TrackIR" }
local kinds = { { 1, "Keyboard" }, { 2, "Mouse" }, { 3, "Joystick" }, { 3, "Joystick" }, { 4, "TrackIR" } }
local listed = vorlan.getDevices()
assert(#listed == #devices, #listed .. " devices")
for i, name in ipairs(devices) do
  assert(listed[i] == name, listed[i])
  assert(vorlan.getDeviceType(name) == kinds[i][1] and getDeviceType(name) == kinds[i][2], name)
end
assert(vorlan.getDeviceType("Gamepad") == 0 and getDeviceType("Gamepad") == "Unknown")

-- Joysticks are numbered in the order they were found; number N has its codes
-- in the block (N + 4) * 1024.
assert(vorlan.getJoystickNumber(STICK) == 0 and vorlan.getJoystickNumber(THROTTLE) == 1)
local keys, axes = vorlan.getDeviceKeysAxes(THROTTLE)
assert(#axes == 32 and axes[1] == JOYSTICK_X + 1024 and #keys == 164, #axes .. " axes, " .. #keys .. " keys")
local trackerKeys, trackerAxes = vorlan.getDeviceKeysAxes("TrackIR")
assert(#trackerKeys == 0 and #trackerAxes == 6 and trackerAxes[1] == TRACKIR_PITCH)

vorlan.createLayer("all")
vorlan.addAxisCombo("all", JOYSTICK_X, {}, 1)
vorlan.addAxisCombo("all", JOYSTICK_X + 1024, {}, 2)
vorlan.addAxisCombo("all", JOYSTICK_X + 3 * 1024, {}, 3)
vorlan.addAxisCombo("all", MOUSE_X, {}, 4)
vorlan.addAxisCombo("all", MOUSE_Y, {}, 5)
vorlan.addAxisCombo("all", TRACKIR_YAW, {}, 6)
vorlan.addAxisCombo("all", TRACKIR_PITCH, {}, 7)
vorlan.setTopLayer("all")
vorlan.activate(true)

-- { action, value, absolute, time, device } per action.
local frames = {
  { { 1, 1000, true, 10, 4096 }, { 2, 2000, true, 11, 5120 } },
  -- The throttle renumbered 3 after frame 1: its codes and device move to block 7.
  { { 1, 1001, true, 20, 4096 }, { 3, 2001, true, 21, 7168 } },
  -- The mouse moves relatively, 65540 per unit; same time, so Y comes first.
  { { 5, -65540, false, 30, 1024 }, { 4, 131080, false, 30, 1024 } },
  -- The head tracker: stamped with the tick count, device 0, yaw negated; the six
  -- axes share the time, so yaw comes before pitch.
  { { 6, -6554000, true, 4000, 0 }, { 7, -13108000, true, 4000, 0 } },
  -- The stick lost: no events from it, and it is acquired again for the next frame.
  { { 3, 2005, true, 50, 7168 } },
  { { 1, 1006, true, 60, 4096 } },
}
local after = { [1] = function() vorlan.setJoystickNumber(THROTTLE, 3) end }

for frame, expected in ipairs(frames) do
  local actions = vorlan.process()
  assert(#actions == #expected, "frame " .. frame .. ": " .. #actions .. " actions, not " .. #expected)
  for i, want in ipairs(expected) do
    local got = actions[i]
    local text = string.format("%d %d %s %d %d", got.action, got.value, tostring(got.absolute), got.time, got.device)
    assert(got.hasValue and text == string.format("%d %d %s %d %d", want[1], want[2], tostring(want[3]), want[4], want[5]),
      "frame " .. frame .. ", action " .. i .. ": " .. text)
  end
  if after[frame] then after[frame]() end
end
assert(vorlan.getJoystickNumber(THROTTLE) == 3)
