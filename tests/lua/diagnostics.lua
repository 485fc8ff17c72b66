-- Diagnostics through the stock interpreter: each mistake a script can make
-- silently is noted with the operation, the argument and the script's line.
require "Vorlan"
vorlan.initialize()
vorlan.createLayer("flight")
vorlan.addModifiers({ KEY_LSHIFT })

-- Nothing is noted while diagnostics are off (the default).
vorlan.addKeyCombo("fligth", KEY_G, {}, iCommandPlaneGear, 0, 0)
assert(next(vorlan.takeDiagnostics()) == nil)
vorlan.enableDiagnostics(true)

-- Each case runs as the second line of a chunk named case<i>.lua and must note
-- one entry with its operation whose text matches the pattern.
local cases = {
  { "vorlan.addKeyCombo('flight', KEY_G, {}, iCommandPlaneGaer, 0, 0)", "addKeyCombo", "^argument 4 %(down%) is nil, read as 0$" },
  { "vorlan.addKeyCombo('flight', KEY_GG, {}, iCommandPlaneGear, 0, 0)", "addKeyCombo", "^argument 2 %(key%) is nil, read as 0$" },
  { "vorlan.addKeyCombo('flight', 'KEY_G', {}, 1, 0, 0)", "addKeyCombo", '^argument 2 %(key%) is a string %("KEY_G"%), read as 0$' },
  { "vorlan.addKeyCombo('flight', KEY_B, KEY_LSHIFT, 1, 0, 0)", "addKeyCombo", "^argument 3 %(reformers%) is a number, read as an empty set$" },
  { "vorlan.addKeyCombo('flight', KEY_B, { KEY_LSHIFT, 'x' }, 2, 0, 0)", "addKeyCombo", "^argument 3 %(reformers%): element 2 is a string" },
  { "vorlan.addKeyCombo('fligth', KEY_C, {}, 1, 0, 0)", "addKeyCombo", '^argument 1 %(layer%): no layer is named "fligth"' },
  { "vorlan.setTopLayer('fligth')", "setTopLayer", '^argument 1 %(layer%): no layer is named "fligth"' },
  { "vorlan.addKeyCombo('flight', KEY_D, { KEY_LCONTROL }, 1, 0, 0)", "addKeyCombo", "^argument 3 %(reformers%): KEY_LCONTROL is neither a modifier nor a switch" },
  { "vorlan.addKeyCombo('flight', KEY_B, {}, iCommandPlaneGear, 0, 0)", "addKeyCombo", '^arguments 2 and 3 %(key, reformers%): layer "flight" binds KEY_B with {} already; this combo %(iCommandPlaneGear, 0, 0%) was dropped$' },
  { "vorlan.addKeyCombo('flight', KEY_LSHIFT, {}, 1, 0, 0)", "addKeyCombo", "^argument 2 %(key%): KEY_LSHIFT is declared a modifier" },
  { "vorlan.addKeyCombo('flight', KEY_E, {}, 0, 0, 0)", "addKeyCombo", "^arguments 4 to 6 %(down, pressed, up%): all commands are 0; KEY_E" },
  { "vorlan.addSwitches({ KEY_LSHIFT })", "addSwitches", "^argument 1 %(codes%): KEY_LSHIFT is a modifier, so it cannot be a switch$" },
  { "vorlan.addModifiers({ KEY_LSHIFT })", "addModifiers", "^argument 1 %(codes%): KEY_LSHIFT is a modifier already$" },
  { "vorlan.addSwitchGroup({ KEY_LSHIFT })", "addSwitchGroup", "no new switch; no group was made$" },
  { "vorlan.addAxisCombo('flight', JOYSTICK_X, {}, iCommandPlaneRoll, { deadzone = 0.05 })", "addAxisCombo", "^argument 5 %(filter%): field saturationY is nil, read as 0, so the axis always gives 0$" },
  { "vorlan.addAxisCombo('flight', JOYSTICK_Y, {}, 1, { deadzone = 0, saturationX = 1, saturationY = 1, deadZone = 1 })", "addAxisCombo", "^argument 5 %(filter%): field deadZone is not a filter field" },
  { "vorlan.addAxisCombo('flight', JOYSTICK_Z, {}, 1, { deadzone = 0, saturationX = 1, saturationY = 1, curvature = { 0.3 } })", "addAxisCombo", "curvature has one point, 0.3; .* tops out at 0.3 and jumps at full travel$" },
  { "vorlan.addAxisCombo('flight', JOYSTICK_RX, {}, 1, { deadzone = 0, saturationX = 1, saturationY = 1, curvature = 0.3 })", "addAxisCombo", "field curvature is a number, not an array" },
  { "vorlan.addAxisCombo('flight', JOYSTICK_RY, {}, 1, stickFilter)", "addAxisCombo", "^argument 5 %(filter%) is nil, read as no filter$" },
  { "vorlan.addAxisCombo('flight', JOYSTICK_RZ, {}, 0)", "addAxisCombo", "^argument 4 %(command%): the command is 0" },
  { "vorlan.activate(nil)", "activate", "^argument 1 %(active%) is nil, read as false$" },
  { "vorlan.getJoystickNumber('Keyboard')", "getJoystickNumber", '^argument 1 %(device%): no joystick is named "Keyboard"$' },
  { "getDeviceType('Gamepad')", "getDeviceType", '^argument 1 %(device%): no device is named "Gamepad"$' },
  { "vorlan.setJoystickNumber('Stick', '2')", "setJoystickNumber", '^argument 1 %(device%): no joystick is named "Stick"$' },
}
for i, case in ipairs(cases) do
  local file = "case" .. i .. ".lua"
  assert(loadstring("\n" .. case[1], "@" .. file))()
  local found = false
  for _, entry in ipairs(vorlan.takeDiagnostics()) do
    found = found or (entry.file == file and entry.line == 2 and entry.operation == case[2] and entry.text:find(case[3]) ~= nil)
  end
  assert(found, file .. ": no entry for " .. case[1])
end

-- Optional arguments left out are no mistakes; the list empties when taken.
vorlan.addAxisCombo("flight", MOUSE_X, {}, iCommandPlaneViewHorizontal)
vorlan.addKeyCombo("flight", KEY_F, { KEY_LSHIFT }, 1, 0, 0)
vorlan.setTopLayer("flight")
assert(next(vorlan.takeDiagnostics()) == nil)

-- The list is bounded: the entries past its capacity are counted in a last one.
for i = 1, 1005 do vorlan.setTopLayer("none") end
local entries = vorlan.takeDiagnostics()
assert(#entries == 1001 and entries[1001].text == "5 more entries were left out", #entries)
