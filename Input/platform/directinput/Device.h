#ifndef VORLAN_PLATFORM_DIRECTINPUT_DEVICE_H
#define VORLAN_PLATFORM_DIRECTINPUT_DEVICE_H

#include "platform/directinput/Effect.h"
#include "platform/directinput/Records.h"

#include <functional>
#include <memory>

namespace DirectInput {

// The platform's predefined data formats.
enum class DataFormat {
    Keyboard,   // c_dfDIKeyboard: 256 key bytes
    Mouse2,     // c_dfDIMouse2: X, Y, wheel, 8 buttons (20 bytes)
    Joystick2,  // c_dfDIJoystick2: 272 bytes
};

// The size of a device's state in that format, as GetDeviceState fills it.
inline uint32_t stateSize(DataFormat format) {
    switch (format) {
    case DataFormat::Keyboard:
        return 256;
    case DataFormat::Mouse2:
        return 20;
    case DataFormat::Joystick2:
        break;
    }
    return 272;
}

// Called once per object by enumObjects; returns true to go on, false to stop.
// It must not throw.
using ObjectCallback = std::function<bool(const ObjectInstance& object)>;

// One input device (IDirectInputDevice8). Destroying the object releases the
// device interface; its owner is whoever called System::createDevice. Effects
// created on it are owned by their callers and must be destroyed before it.
class Device {
public:
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // GetCapabilities: fills caps; the caller sets caps.size to 44 first.
    virtual HResult getCapabilities(DeviceCaps& caps) = 0;

    // SetDataFormat: selects the layout of the device's data and buffered
    // record offsets.
    virtual HResult setDataFormat(DataFormat format) = 0;

    // SetCooperativeLevel: access to the device for the host window; flags are
    // DISCL_* bits. The window is not kept by the port.
    virtual HResult setCooperativeLevel(WindowHandle window, uint32_t flags) = 0;

    // SetProperty with a 32-bit value (DIPROP_BUFFERSIZE, DIPROP_AUTOCENTER) or
    // a range (DIPROP_RANGE); the header says which object (DIPH_*).
    virtual HResult setProperty(uint32_t property, const PropertyDword& value) = 0;
    virtual HResult setProperty(uint32_t property, const PropertyRange& value) = 0;

    // EnumObjects: calls callback for each object whose type matches flags
    // (DIDFT_ALL for every object, DIDFT_AXIS for axes).
    virtual HResult enumObjects(uint32_t flags, const ObjectCallback& callback) = 0;

    // Acquire, Unacquire: take or give up access to the device's input.
    virtual HResult acquire() = 0;
    virtual HResult unacquire() = 0;

    // Poll: reads a polled device's state into its buffer.
    virtual HResult poll() = 0;

    // GetDeviceData: copies up to count buffered records into records (which
    // has room for count) and sets count to the number copied. DI_BUFFEROVERFLOW
    // means records were lost before these.
    virtual HResult getDeviceData(DeviceObjectData* records, uint32_t& count, uint32_t flags) = 0;

    // GetDeviceState: copies the device's current state, laid out as its data
    // format says, into buffer; size must be that format's state size.
    virtual HResult getDeviceState(uint32_t size, void* buffer) = 0;

    // CreateEffect: makes an effect of the kind (GUID_Spring, ...) with the
    // parameters, read during the call only. On success effect holds the new
    // effect, owned by the caller; on failure it is left empty.
    virtual HResult createEffect(const Guid& kind, const EffectParameters& parameters,
                                 std::unique_ptr<Effect>& effect) = 0;

protected:
    Device() = default;
};

} // namespace DirectInput

#endif
