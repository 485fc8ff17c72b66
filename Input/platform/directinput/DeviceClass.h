#ifndef VORLAN_PLATFORM_DIRECTINPUT_DEVICECLASS_H
#define VORLAN_PLATFORM_DIRECTINPUT_DEVICECLASS_H

#include "platform/directinput/Constants.h"

#include <cstdint>

namespace DirectInput {

// What the library makes of a device, by the type byte of its type word.
enum class DeviceClass { None, Keyboard, Mouse, Joystick };

inline DeviceClass deviceClass(uint32_t devType) {
    switch (devType & 0xFF) {
    case DI8DEVTYPE_KEYBOARD:
        return DeviceClass::Keyboard;
    case DI8DEVTYPE_MOUSE:
    case DI8DEVTYPE_SCREENPOINTER:
        return DeviceClass::Mouse;
    case DI8DEVTYPE_JOYSTICK:
    case DI8DEVTYPE_GAMEPAD:
    case DI8DEVTYPE_DRIVING:
    case DI8DEVTYPE_FLIGHT:
    case DI8DEVTYPE_1STPERSON:
    case DI8DEVTYPE_REMOTE:
    case DI8DEVTYPE_SUPPLEMENTAL:
        return DeviceClass::Joystick;
    default:
        return DeviceClass::None;
    }
}

} // namespace DirectInput

#endif
