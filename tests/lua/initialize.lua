-- vorlan.initialize on a machine without DirectInput: a Lua error carrying the
-- library's message, not a crash; the module stays usable and uninitialised.
require "Vorlan"

local ok, message = pcall(vorlan.initialize)
assert(not ok, "initialize fails without DirectInput")
assert(type(message) == "string" and message:find("^DirectInput8Create "), tostring(message))

-- A failed initialize installs no globals and leaves the neutral results.
assert(KEY_ESCAPE == nil and getDeviceType == nil)
assert(next(vorlan.process()) == nil)
assert(next(vorlan.getDevices()) == nil)
assert(vorlan.getJoystickNumber("Stick") == -1)

-- It may be tried again, with the same outcome.
local again, second = pcall(vorlan.initialize)
assert(not again and second == message, tostring(second))
