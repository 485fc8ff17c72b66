#include "CommandNames.h"

#include "lua/Constants.h"

#include <cstring>

namespace {

bool startsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

// The host command constants, retired ones included; the other families
// (keys, reports, ...) share some of their values.
bool isCommand(const char* name) { return startsWith(name, "iCommand") || startsWith(name, "Obsolete_iCommand"); }

} // namespace

CommandNames::CommandNames() {
    for (std::size_t i = 0; i < luaConstantCount; ++i) {
        const LuaConstant& constant = luaConstants[i];
        if (isCommand(constant.name))
            names.emplace(constant.value, constant.name);  // keeps the first name of a value
    }
}

const std::string& CommandNames::name(int32_t command) const {
    const auto found = names.find(command);
    return found == names.end() ? none : found->second;
}
