-- The bindings of FacadeTest.cpp, for replaying its session on Linux with
-- vorlan-host: the same layer, codes and command numbers.
require "Vorlan"
vorlan.initialize()

vorlan.createLayer("wine")
vorlan.addKeyCombo("wine", KEY_A, {}, 900101, 900102, 900103)
vorlan.addAxisCombo("wine", MOUSE_X, {}, 900201)
vorlan.addKeyCombo("wine", MOUSE_BUTTON0, {}, 900301, 900302, 900303)
vorlan.setTopLayer("wine")
