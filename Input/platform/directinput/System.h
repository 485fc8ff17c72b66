#ifndef VORLAN_PLATFORM_DIRECTINPUT_SYSTEM_H
#define VORLAN_PLATFORM_DIRECTINPUT_SYSTEM_H

#include "platform/directinput/Device.h"
#include "platform/directinput/Records.h"

#include <functional>
#include <memory>

namespace DirectInput {

// Called once per device by enumDevices; returns true to go on, false to stop.
// It must not throw.
using DeviceCallback = std::function<bool(const DeviceInstance& instance)>;

// The DirectInput object (IDirectInput8). Destroying it releases it; its
// devices must be destroyed first.
class System {
public:
    virtual ~System() = default;
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    // EnumDevices: calls callback for every device of the class devClass
    // (DI8DEVCLASS_ALL) that the flags admit (DIEDFL_ALLDEVICES).
    virtual HResult enumDevices(uint32_t devClass, uint32_t flags, const DeviceCallback& callback) = 0;

    // CreateDevice: opens the device with that instance GUID. On success device
    // holds it, owned by the caller; it may still be empty, which the caller
    // must treat as a refused device. On failure it is left empty.
    virtual HResult createDevice(const Guid& instance, std::unique_ptr<Device>& device) = 0;

protected:
    System() = default;
};

} // namespace DirectInput

#endif
