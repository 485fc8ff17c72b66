#include "lua/ConstantNames.h"

#include "lua/Constants.h"

#include <cstring>
#include <initializer_list>

namespace {

bool hasPrefix(const char* name, std::initializer_list<const char*> prefixes) {
    for (const char* prefix : prefixes)
        if (std::strncmp(name, prefix, std::strlen(prefix)) == 0)
            return true;
    return false;
}

std::string nameIn(std::initializer_list<const char*> prefixes, int32_t value) {
    for (std::size_t i = 0; i < luaConstantCount; ++i)
        if (luaConstants[i].value == value && hasPrefix(luaConstants[i].name, prefixes))
            return luaConstants[i].name;
    return std::to_string(value);
}

} // namespace

// Joystick N's codes are joystick 0's plus N * 1024, as scripts write them.
std::string codeConstantName(int32_t code) {
    constexpr int32_t joystick0 = 4096, block = 1024;
    if (code < joystick0 + block)
        return nameIn({"KEY_", "MOUSE_", "TRACKIR_", "JOYSTICK_"}, code);
    const int32_t offset = (code - joystick0) % block;
    const std::string name = nameIn({"JOYSTICK_"}, joystick0 + offset);
    return name.front() == 'J' ? name + " + " + std::to_string(code - joystick0 - offset) : std::to_string(code);
}

std::string commandConstantName(int32_t command) { return nameIn({"iCommand", "Obsolete_iCommand"}, command); }
