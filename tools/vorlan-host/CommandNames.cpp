#include "CommandNames.h"

#include "lua/Constants.h"

#include <cstring>

CommandNames::CommandNames() {
    static const char prefix[] = "iCommand";
    for (std::size_t i = 0; i < luaConstantCount; ++i) {
        const LuaConstant& constant = luaConstants[i];
        if (std::strncmp(constant.name, prefix, sizeof prefix - 1) == 0)
            names.emplace(constant.value, constant.name);  // keeps the first name of a value
    }
}

const std::string& CommandNames::name(int32_t command) const {
    const auto found = names.find(command);
    return found == names.end() ? none : found->second;
}
