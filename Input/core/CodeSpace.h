#ifndef VORLAN_CORE_CODESPACE_H
#define VORLAN_CORE_CODESPACE_H

#include <cstdint>

// The numbering of every key, button, hat direction and axis: one block of
// 1024 codes per device, a code being the block base plus the device's own
// offset of the input. The block from 2048 to 3071 is unused.
namespace CodeSpace {

constexpr uint32_t blockSize = 1024;

// Block bases.
constexpr uint32_t keyboardBlock = 0;
constexpr uint32_t mouseBlock = 1024;
constexpr uint32_t trackerBlock = 3072;
constexpr uint32_t firstJoystickBlock = 4096;

// Joystick number N's block, (N + 4) * 1024, in unsigned arithmetic so that
// any number is safe.
constexpr uint32_t joystickBlock(int32_t number) {
    return static_cast<uint32_t>(number) * blockSize + firstJoystickBlock;
}

// The `device` field of events and actions: the device's block base, except
// the head tracker's events, which carry the keyboard's 0.
constexpr uint32_t keyboardDevice = keyboardBlock;
constexpr uint32_t mouseDevice = mouseBlock;
constexpr uint32_t trackerDevice = keyboardDevice;

// Mouse data offsets: X, Y and wheel, then buttons 0 to 7.
constexpr uint32_t mouseX = 0, mouseY = 4, mouseWheel = 8;
constexpr uint32_t mouseFirstButton = 12, mouseLastButton = 19;

// Joystick data offsets: axes and sliders, four hats, 128 buttons, then the
// velocity, acceleration and force axes and sliders. Axes and hats step by 4.
constexpr uint32_t joystickX = 0, joystickY = 4, joystickLastAxis = 28;
constexpr uint32_t joystickFirstHat = 32, joystickLastHat = 44;
constexpr uint32_t joystickFirstButton = 48, joystickLastButton = 175;
constexpr uint32_t joystickFirstExtraAxis = 176, joystickLastExtraAxis = 268;

// Hat p, direction k (0 centre-leaving code, 1 north ... 8 north-west):
// offset 1023 - 9p - k, counted down from the top of the block.
constexpr uint32_t hatDirections = 9;
constexpr uint32_t hatCount = 4;
constexpr uint32_t hatOffset(uint32_t hat, uint32_t direction) {
    return blockSize - 1 - hatDirections * hat - direction;
}
constexpr uint32_t lowestHatOffset = hatOffset(hatCount - 1, hatDirections - 1);  // 988

// Head-tracker offsets.
enum TrackerAxis : uint32_t { trackerPitch = 1, trackerYaw, trackerRoll, trackerX, trackerY, trackerZ };

// What a buffered record at a data offset carries.
enum class Input { None, Axis, Button, Hat };
// The two data formats whose records carry more than one kind of input.
enum class Format { Mouse, Joystick };

constexpr Input classifyOffset(Format format, uint32_t offset) {
    const bool aligned = offset % 4 == 0;
    if (format == Format::Mouse) {
        if (offset <= mouseWheel && aligned)
            return Input::Axis;
        return offset >= mouseFirstButton && offset <= mouseLastButton ? Input::Button : Input::None;
    }
    if (aligned && (offset <= joystickLastAxis || (offset >= joystickFirstExtraAxis && offset <= joystickLastExtraAxis)))
        return Input::Axis;
    if (aligned && offset >= joystickFirstHat && offset <= joystickLastHat)
        return Input::Hat;
    if (offset >= joystickFirstButton && offset <= joystickLastButton)
        return Input::Button;
    return Input::None;
}

} // namespace CodeSpace

#endif
