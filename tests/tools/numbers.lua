-- Commands by number, to see how vorlan-host names them: 4000 is both
-- iCommandRepKeyBegin and wsRepNull, 415 has only a retired name, 30 is also
-- KEY_A, and 4001 is no command constant at all.
require "Vorlan"
vorlan.initialize()
vorlan.createLayer("numbers")
vorlan.addKeyCombo("numbers", KEY_G, {}, 4000, 0, 0)
vorlan.addKeyCombo("numbers", KEY_W, {}, 415, 0, 30)
vorlan.addAxisCombo("numbers", MOUSE_Y, {}, 4001)
vorlan.setTopLayer("numbers")
