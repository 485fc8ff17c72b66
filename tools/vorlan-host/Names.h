#ifndef VORLAN_HOST_NAMES_H
#define VORLAN_HOST_NAMES_H

#include "CommandNames.h"
#include "lua/ConstantNames.h"

#include <cstdint>
#include <string>
#include <vector>

// The report's names for commands and input codes, from the constants.
class Names {
public:
    // "iCommandPlaneGear (68)", the bare number when no constant has it, and
    // an empty text for 0, which is no command.
    std::string command(int32_t command) const;
    std::string code(int32_t code) const { return codeConstantName(code); }
    // "KEY_LSHIFT + KEY_LCONTROL", empty for no codes.
    std::string codeList(const std::vector<int32_t>& list, const char* separator = " + ") const;

private:
    CommandNames commands;
};

#endif
