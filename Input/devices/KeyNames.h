#ifndef VORLAN_DEVICES_KEYNAMES_H
#define VORLAN_DEVICES_KEYNAMES_H

#include <cstdint>

// "KEY_" and DirectInput's name of a keyboard code (the scan code), or
// "KEY_UNKNOWN" for a code that has none.
const char* keyName(uint32_t code);

#endif
