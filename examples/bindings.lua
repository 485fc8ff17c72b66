-- Bindings of a fighter, as a simulator's input script sets them up.
--
-- Two layers: "flight", the default layer, holds the stick, rudder and
-- throttle, the cockpit keys and the stick's buttons; "view" lies on top of it
-- with the view controls: mouse, head tracker, the hat and a view key. An event
-- that "view" does not bind falls through to "flight".

require "Vorlan"
vorlan.initialize()  -- installs the constants: KEY_..., JOYSTICK_..., iCommand...

-- A filter table replaces all five of its fields, so a field left out would
-- read as 0: fill in the neutral values first.
local function filter(fields)
    local f = { deadzone = 0, saturationX = 1, saturationY = 1, slider = false, invert = false }
    for name, value in pairs(fields) do
        f[name] = value
    end
    return f
end

-- Reformers. Modifiers act while held: both control keys of the left hand and
-- the stick's pinkie button. The master-mode keys are switches in one group:
-- pressing one selects its mode, pressing it again leaves no mode selected.
local PINKIE = JOYSTICK_BUTTON3
vorlan.addModifiers({ KEY_LSHIFT, KEY_LCONTROL, PINKIE })
vorlan.addSwitchGroup({ KEY_1, KEY_2, KEY_3 })  -- navigation, air to air, air to ground
local AIR_TO_AIR, AIR_TO_GROUND = KEY_2, KEY_3

-- ---- flight: the default layer ----------------------------------------------
local flight = "flight"
vorlan.createLayer(flight)

-- Keys: down, pressed (every frame while held) and up commands.
vorlan.addKeyCombo(flight, KEY_G, {}, iCommandPlaneGear, 0, 0)
vorlan.addKeyCombo(flight, KEY_W, {}, iCommandPlaneWheelBrakeOn, 0, iCommandPlaneWheelBrakeOff)
vorlan.addKeyCombo(flight, KEY_W, { KEY_LCONTROL }, iCommandPlaneJettisonWeapons, 0, iCommandPlaneJettisonWeaponsUp)
vorlan.addKeyCombo(flight, KEY_B, {}, iCommandPlaneAirBrakeOn, 0, iCommandPlaneAirBrakeOff)
vorlan.addKeyCombo(flight, KEY_B, { KEY_LSHIFT }, iCommandPlaneAirBrake, 0, 0)
vorlan.addKeyCombo(flight, KEY_SEMICOLON, { KEY_LCONTROL }, 0, iCommandPlaneTrimUp, iCommandPlaneTrimStop)
vorlan.addKeyCombo(flight, KEY_PERIOD, { KEY_LCONTROL }, 0, iCommandPlaneTrimDown, iCommandPlaneTrimStop)

-- Stick buttons: the trigger, and the weapon button whose job depends on the
-- master mode.
vorlan.addKeyCombo(flight, JOYSTICK_BUTTON0, {}, iCommandPlaneFire, 0, iCommandPlaneFireOff)
vorlan.addKeyCombo(flight, JOYSTICK_BUTTON1, { AIR_TO_AIR }, iCommandPlaneChangeTarget, 0, 0)
vorlan.addKeyCombo(flight, JOYSTICK_BUTTON1, { AIR_TO_GROUND }, iCommandPlaneChangeWeapon, 0, 0)
-- The gear lever on the throttle base is a switch: a button held while the
-- lever is down.
vorlan.addKeyCombo(flight, JOYSTICK_BUTTON4, {}, iCommandPlaneGearDown, 0, iCommandPlaneGearUp)

-- With the pinkie held, the hat trims (the "view" layer's hat combos want no
-- modifier, so the hat falls through to here).
vorlan.addKeyCombo(flight, JOYSTICK_BUTTON_POV0_U, { PINKIE }, 0, iCommandPlaneTrimDown, iCommandPlaneTrimStop)
vorlan.addKeyCombo(flight, JOYSTICK_BUTTON_POV0_D, { PINKIE }, 0, iCommandPlaneTrimUp, iCommandPlaneTrimStop)

-- Axes. The stick: a small dead zone and a spline that is gentle near the
-- centre; the curvature points are the curve's heights at equal steps of the
-- travel, after the 0 at the dead zone's edge.
local stick = filter({ deadzone = 0.05, curvature = { 0.1, 0.3, 0.6, 1.0 } })
vorlan.addAxisCombo(flight, JOYSTICK_X, {}, iCommandPlaneRoll, stick)
vorlan.addAxisCombo(flight, JOYSTICK_Y, {}, iCommandPlanePitch, stick)
vorlan.addAxisCombo(flight, JOYSTICK_RZ, {}, iCommandPlaneRudder, filter({ deadzone = 0.1 }))
-- The throttle lever reads its highest value at idle: a one-ended axis, inverted.
-- It reports only when moved, unless the host asks for the initial state.
vorlan.addAxisCombo(flight, JOYSTICK_SLIDER0, {}, iCommandPlaneThrustCommon, filter({ slider = true, invert = true }))
-- With the pinkie held, the stick slews the radar cursor instead.
vorlan.addAxisCombo(flight, JOYSTICK_X, { PINKIE }, iCommandPlaneRadarHorizontal)
vorlan.addAxisCombo(flight, JOYSTICK_Y, { PINKIE }, iCommandPlaneRadarVertical)

-- ---- view: the second layer, on top ------------------------------------------
local view = "view"
vorlan.createLayer(view)

vorlan.addKeyCombo(view, KEY_F1, {}, iCommandViewCockpit, 0, 0)
vorlan.addKeyCombo(view, JOYSTICK_BUTTON_POV0_U, {}, iCommandViewUp, 0, iCommandViewStop)
vorlan.addKeyCombo(view, JOYSTICK_BUTTON_POV0_R, {}, iCommandViewRight, 0, iCommandViewStop)
vorlan.addKeyCombo(view, JOYSTICK_BUTTON_POV0_D, {}, iCommandViewDown, 0, iCommandViewStop)
vorlan.addKeyCombo(view, JOYSTICK_BUTTON_POV0_L, {}, iCommandViewLeft, 0, iCommandViewStop)

-- The mouse moves the view by steps (relative values), the wheel zooms.
vorlan.addAxisCombo(view, MOUSE_X, {}, iCommandPlaneViewHorizontal)
vorlan.addAxisCombo(view, MOUSE_Y, {}, iCommandPlaneViewVertical)
vorlan.addAxisCombo(view, MOUSE_Z, {}, iCommandPlaneZoomView)

-- The head tracker sets the view's angles and position.
vorlan.addAxisCombo(view, TRACKIR_YAW, {}, iCommandViewHorizontalAbs)
vorlan.addAxisCombo(view, TRACKIR_PITCH, {}, iCommandViewVerticalAbs)
vorlan.addAxisCombo(view, TRACKIR_ROLL, {}, iCommandViewRollAbs)
vorlan.addAxisCombo(view, TRACKIR_X, {}, iCommandViewHorTransAbs)
vorlan.addAxisCombo(view, TRACKIR_Y, {}, iCommandViewVertTransAbs)
vorlan.addAxisCombo(view, TRACKIR_Z, {}, iCommandViewLongitudeTransAbs)

-- The stack, top first: view, flight.
vorlan.setTopLayer(flight)
vorlan.setTopLayer(view)
