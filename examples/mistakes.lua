-- Bindings with the mistakes that a script makes without a word from the
-- library. vorlan-host --check finds each (examples/expected-check.txt):
--
--   build/release/tools/vorlan-host --check examples/mistakes.lua

require "Vorlan"
vorlan.initialize()

vorlan.addModifiers({ KEY_LSHIFT })
vorlan.createLayer("flight")

-- A misspelt constant is nil and reads as 0: as a command, no command; as a
-- key, the code 0.
vorlan.addKeyCombo("flight", KEY_G, {}, iCommandPlaneGaer, 0, 0)
vorlan.addKeyCombo("flight", KEY_GG, {}, iCommandPlaneGear, 0, 0)

-- A constant's name in quotes is a string, which reads as 0 too.
vorlan.addKeyCombo("flight", "KEY_F", {}, iCommandPlaneFlaps, 0, 0)

-- Reformers must be an array: a bare modifier reads as no reformers, so this
-- combo fires on B alone.
vorlan.addKeyCombo("flight", KEY_B, KEY_LSHIFT, iCommandPlaneAirBrake, 0, 0)

-- A layer name that no layer has: nothing is bound.
vorlan.addKeyCombo("fligth", KEY_W, {}, iCommandPlaneWheelBrakeOn, 0, iCommandPlaneWheelBrakeOff)

-- The same key with the same reformers twice: the second combo is dropped.
vorlan.addKeyCombo("flight", KEY_L, {}, iCommandPlaneLightsOnOff, 0, 0)
vorlan.addKeyCombo("flight", KEY_L, {}, iCommandPlaneFlapsOn, 0, 0)

-- A filter table sets all five of its fields: saturationX and saturationY
-- left out read as 0, so the rudder always gives 0.
vorlan.addAxisCombo("flight", JOYSTICK_RZ, {}, iCommandPlaneRudder, { deadzone = 0.05 })

-- One curvature point: after the leading 0 a two-point spline that tops out
-- at 30 % and jumps to full deflection at the end of the travel.
vorlan.addAxisCombo("flight", JOYSTICK_X, {}, iCommandPlaneRoll,
                    { deadzone = 0, saturationX = 1, saturationY = 1, curvature = { 0.3 } })

-- And the script never calls vorlan.setTopLayer("flight"): no layer is on the
-- stack, so nothing fires at all.
