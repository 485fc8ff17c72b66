#ifndef VORLAN_PLATFORM_DIRECTINPUT_OBJECTFILTER_H
#define VORLAN_PLATFORM_DIRECTINPUT_OBJECTFILTER_H

#include "platform/directinput/Constants.h"
#include "platform/directinput/Records.h"

#include <cstdint>

namespace DirectInput {

// Whether EnumObjects with these flags lists the object: every object for
// DIDFT_ALL, else those sharing a type bit with the flags. For the backends
// that answer EnumObjects themselves.
inline bool listsObject(uint32_t flags, const ObjectInstance& object) {
    return flags == DIDFT_ALL || (flags & object.type & 0xFF) != 0;
}

} // namespace DirectInput

#endif
