-- A replayed session (replay_frames.jsonl) driven from Lua frame by frame: key
-- combos with down, pressed and up commands, a modifier, an axis through a
-- filter and a hat, with layer operations and a deactivation between frames.
require "Vorlan"
vorlan.initialize()

assert(#vorlan.getDevices() == 2)
assert(vorlan.getDevices()[1] == "Keyboard")
assert(vorlan.getDevices()[2] == "Flight Stick {0C3E5A70-7B41-11ef-8001-444553540000}", vorlan.getDevices()[2])

vorlan.addModifiers({ KEY_LSHIFT })
vorlan.createLayer("base")
vorlan.createLayer("top")
vorlan.addKeyCombo("base", KEY_A, {}, 1, 2, 3)
vorlan.addKeyCombo("base", KEY_A, { KEY_LSHIFT }, 21, 22, 23)
vorlan.addKeyCombo("base", KEY_B, {}, 11, 12, 13)
vorlan.addAxisCombo("base", JOYSTICK_X, {}, 40, { saturationX = 1, saturationY = 0.5 })
vorlan.addKeyCombo("top", KEY_B, {}, 31, 0, 33)
vorlan.addKeyCombo("top", JOYSTICK_BUTTON_POV0_R, {}, 50, 0, 51)
vorlan.setTopLayer("base")
vorlan.setTopLayer("top")
vorlan.activate(true)

local STICK = 4096
local function key(action, time, device)
  return { action = action, hasValue = false, value = 0, absolute = false, time = time, device = device or 0 }
end
local function axis(action, value, time, device)
  return { action = action, hasValue = true, value = value, absolute = true, time = time, device = device }
end

-- What each frame gives, and what the script does after it.
local frames = {
  { key(1, 100), key(2, 101) },  -- A down: down, then pressed at the down time + 1
  { key(2, 101) },               -- A held
  { key(3, 130) },               -- A up: the up command only
  -- The top layer's events come first: the hat (right), then the base layer's X axis.
  { key(50, 141, STICK), axis(40, 268435455, 140, STICK) },
  { key(31, 150) },              -- B down, bound in the top layer
  -- The top layer left the stack after frame 5: its held keys (B, the hat) were
  -- let go in key-code order, stamped with their down times + 1, and come first.
  -- B's release then finds no layer holding it.
  { key(33, 151), key(51, 142, STICK) },
  { key(21, 170), key(22, 171) },  -- Shift+A, in the base layer
  { key(23, 171) },                -- deactivated after frame 7: A let go
  {},                              -- Shift and A released: nobody holds them
  {},                              -- the hat centred: nobody holds it
  {},                              -- past the session's end
  {},
}
local after = {
  [5] = function() vorlan.removeLayer("top") end,
  [6] = function() vorlan.setTopLayer("top") end,
  [7] = function() vorlan.activate(false); vorlan.activate(true) end,
}

local fields = { "action", "hasValue", "value", "absolute", "time", "device" }
for frame, expected in ipairs(frames) do
  local actions = vorlan.process()
  assert(type(actions) == "table", "frame " .. frame .. ": process gives a table")
  assert(#actions == #expected, "frame " .. frame .. ": " .. #actions .. " actions, not " .. #expected)
  for i, want in ipairs(expected) do
    for _, field in ipairs(fields) do
      assert(actions[i][field] == want[field], string.format("frame %d, action %d: %s is %s, not %s", frame, i, field,
        tostring(actions[i][field]), tostring(want[field])))
    end
  end
  if after[frame] then after[frame]() end
end
