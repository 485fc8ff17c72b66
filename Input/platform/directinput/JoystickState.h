#ifndef VORLAN_PLATFORM_DIRECTINPUT_JOYSTICKSTATE_H
#define VORLAN_PLATFORM_DIRECTINPUT_JOYSTICKSTATE_H

#include <cstdint>
#include <cstring>

// The state that GetDeviceState gives in the joystick format (c_dfDIJoystick2,
// DIJOYSTATE2): 32-bit axes and sliders at 0 .. 28 and 176 .. 268, four hats
// at 32 .. 44 and 128 button bytes at 48 .. 175.
namespace DirectInput {

inline constexpr uint32_t JoystickStateSize = 272;
// A hat's value when centred.
inline constexpr uint32_t PovCentred = 0xFFFFFFFF;

enum class JoystickField { None, Axis, Hat, Button };

// What starts at that offset of the state.
inline JoystickField joystickField(uint32_t offset) {
    if (offset >= 48 && offset <= 175)
        return JoystickField::Button;
    if (offset % 4 != 0 || offset >= JoystickStateSize)
        return JoystickField::None;
    return offset >= 32 && offset <= 44 ? JoystickField::Hat : JoystickField::Axis;
}

// The 32-bit value at offset of a state.
inline uint32_t stateWord(const uint8_t* state, uint32_t offset) {
    uint32_t value;
    std::memcpy(&value, state + offset, sizeof value);
    return value;
}

inline void setStateWord(uint8_t* state, uint32_t offset, uint32_t value) {
    std::memcpy(state + offset, &value, sizeof value);
}

// A state at rest: axes at 0, hats centred, buttons released.
inline void restState(uint8_t* state) {
    std::memset(state, 0, JoystickStateSize);
    for (uint32_t offset = 32; offset <= 44; offset += 4)
        setStateWord(state, offset, PovCentred);
}

} // namespace DirectInput

#endif
