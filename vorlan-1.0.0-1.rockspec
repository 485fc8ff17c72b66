-- The Lua module alone: `luarocks make` in this folder builds the library
-- with CMake and installs it as the module Vorlan (require "Vorlan").
rockspec_format = "3.0"
package = "vorlan"
version = "1.0.0-1"
source = {
   url = "git+file:///vorlan",
   tag = "v1.0.0",
}
description = {
   summary = "Input library of a combat flight simulator, as a Lua 5.1 module",
   detailed = [[
Reads keyboards, mice, game controllers (DirectInput 8) and a head tracker,
maps their events to host commands through layers of bindings with modifiers
and switches, shapes axis values with response curves and drives force
feedback. The module is the library itself: require "Vorlan" gives the table
vorlan.
]],
   license = "Zlib",
}
dependencies = {
   "lua >= 5.1, < 5.2",
}
external_dependencies = {
   TOLUA = { header = "tolua++.h" },
}
build = {
   type = "command",
   build_command = [[
cmake -S . -B build/luarocks -DVORLAN_TESTS=OFF -DVORLAN_TOOLS=OFF "-DCMAKE_C_FLAGS=$(CFLAGS)" "-DCMAKE_CXX_FLAGS=$(CFLAGS)" "-DLUA_INCLUDE_DIR=$(LUA_INCDIR)" "-DTOLUA_INCLUDE_DIR=$(TOLUA_INCDIR)" &&
cmake --build build/luarocks --target Vorlan
]],
   install = {
      lib = { Vorlan = "build/luarocks/Vorlan.so" },
   },
}
