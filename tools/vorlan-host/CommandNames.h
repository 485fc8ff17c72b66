#ifndef VORLAN_HOST_COMMAND_NAMES_H
#define VORLAN_HOST_COMMAND_NAMES_H

#include <cstdint>
#include <string>
#include <unordered_map>

// The names of host commands: for each command number, the first iCommand (or
// Obsolete_iCommand) constant of that value in the constants' registration order.
class CommandNames {
public:
    CommandNames();

    // The command's constant name, or an empty string when none has its value.
    const std::string& name(int32_t command) const;

private:
    std::unordered_map<int32_t, std::string> names;
    std::string none;
};

#endif
