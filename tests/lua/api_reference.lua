-- docs/lua-api.md has a heading "### vorlan.NAME(...)" for every function of
-- the module table, and documents no function that the table lacks.
require "Vorlan"

local root = assert(arg[0]:match("^(.*)/tests/lua/[^/]*$"), "run from the source tree")
local file = assert(io.open(root .. "/docs/lua-api.md"))
local documented = {}
for line in file:lines() do
  local name = line:match("^### vorlan%.([%w_]+)%(")
  if name then documented[name] = true end
end
file:close()

for name in pairs(vorlan) do
  assert(documented[name], "vorlan." .. name .. " has no heading in docs/lua-api.md")
end
for name in pairs(documented) do
  assert(vorlan[name], "docs/lua-api.md documents vorlan." .. name .. ", which the module lacks")
end
