#ifndef VORLAN_PLATFORM_DIRECTINPUT_GUID_H
#define VORLAN_PLATFORM_DIRECTINPUT_GUID_H

#include <cstdint>
#include <cstring>

namespace DirectInput {

// A GUID with the fields of the platform's record: 16 bytes, no padding.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};

static_assert(sizeof(Guid) == 16, "a GUID is 16 bytes");

// GUIDs compare bytewise, as the platform compares them.
inline bool operator==(const Guid& a, const Guid& b) { return std::memcmp(&a, &b, sizeof(Guid)) == 0; }
inline bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }
inline bool operator<(const Guid& a, const Guid& b) { return std::memcmp(&a, &b, sizeof(Guid)) < 0; }

} // namespace DirectInput

#endif
