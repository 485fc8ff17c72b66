#ifndef VORLAN_LUA_CONSTANTNAMES_H
#define VORLAN_LUA_CONSTANTNAMES_H

#include <cstdint>
#include <string>

// Names from the constant table for diagnostic texts: the first constant of
// the input-code families (KEY_, MOUSE_, TRACKIR_, JOYSTICK_) or of the
// command family (iCommand, Obsolete_iCommand) with the value, else the number.
// A code of joystick N > 0 is named "JOYSTICK_X + 2048".
std::string codeConstantName(int32_t code);
std::string commandConstantName(int32_t command);

#endif
