-- Bindings whose flaws only the analysis of vorlan-host --check sees, run on
-- examples/session.jsonl (check_analysis.txt); the combos marked "fine" are
-- alike but fire.
require "Vorlan"
vorlan.initialize()

vorlan.addModifiers({ JOYSTICK_BUTTON3 })
vorlan.addSwitchGroup({ KEY_1, KEY_2 })  -- KEY_2 is used through its group mate
vorlan.addSwitches({ KEY_3 })            -- used by no combo
vorlan.createLayer("base")
vorlan.createLayer("top")
vorlan.createLayer("spare")              -- never stacked

vorlan.addKeyCombo("top", KEY_G, {}, iCommandPlaneGear, 0, 0)
vorlan.addKeyCombo("base", KEY_G, {}, iCommandPlaneFlaps, 0, 0)                        -- taken by top
vorlan.addKeyCombo("base", KEY_G, { KEY_1 }, iCommandPlaneFlapsOn, 0, 0)               -- taken by top too
vorlan.addKeyCombo("base", KEY_G, { JOYSTICK_BUTTON3 }, iCommandPlaneFlapsOff, 0, 0)   -- fine
vorlan.addAxisCombo("top", JOYSTICK_X, {}, iCommandPlaneRoll)
vorlan.addAxisCombo("base", JOYSTICK_X, { JOYSTICK_BUTTON3 }, iCommandPlaneRadarHorizontal)  -- taken by top
vorlan.addKeyCombo("top", JOYSTICK_Y, {}, iCommandPlaneFire, 0, 0)
vorlan.addAxisCombo("base", JOYSTICK_Y, {}, iCommandPlanePitch)                        -- fine: releases pass

vorlan.addKeyCombo("base", KEY_W, {}, iCommandPlaneWheelBrakeOn, 0, 0)
vorlan.addModifiers({ KEY_W })                   -- W's events now change the modifiers
vorlan.addKeyCombo("base", KEY_F13, {}, iCommandPlaneGear, 0, 0)                       -- no such key
vorlan.addAxisCombo("base", JOYSTICK_X + 1024, {}, iCommandPlaneRoll)                  -- no joystick 1

vorlan.setTopLayer("base")
vorlan.setTopLayer("top")
