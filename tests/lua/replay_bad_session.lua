-- A session with a bad line (replay_bad_session.jsonl): vorlan.initialize
-- raises the library's message, which names the file, the line and the fault,
-- and nothing of the session is used.
require "Vorlan"

local session = os.getenv("VORLAN_REPLAY")
local expected = "DirectInput8Create " .. session
  .. ":4: devices.keyboard.data[0][2]: expected an integer from 0 to 4294967295, got \"110\""
local ok, message = pcall(vorlan.initialize)
assert(not ok and message == expected, tostring(message))

assert(KEY_A == nil, "no constants after a failed initialize")
assert(next(vorlan.getDevices()) == nil)
assert(next(vorlan.process()) == nil)

-- Trying again reads the file again, with the same outcome.
local again, second = pcall(vorlan.initialize)
assert(not again and second == expected, tostring(second))
