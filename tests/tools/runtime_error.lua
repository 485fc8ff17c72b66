require "Vorlan"
vorlan.initialize()
vorlan.createLayer()
