-- What a script prints or traces goes to standard error.
require "Vorlan"
vorlan.initialize()
print("printed", 1, nil)
trace("traced")
vorlan.createLayer("keys")
vorlan.addKeyCombo("keys", KEY_G, {}, iCommandPlaneGear, 0, 0)
vorlan.setTopLayer("keys")
