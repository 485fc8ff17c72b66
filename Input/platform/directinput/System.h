#ifndef VORLAN_PLATFORM_DIRECTINPUT_SYSTEM_H
#define VORLAN_PLATFORM_DIRECTINPUT_SYSTEM_H

#include "platform/directinput/Device.h"
#include "platform/directinput/Records.h"

#include <functional>
#include <memory>
#include <string>

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

// A backend's entry: makes that backend's System into system, or returns a
// failure code and leaves it empty.
using Backend = std::function<HResult(std::unique_ptr<System>& system)>;

// DirectInput8Create: the System of the selected backend, or the platform's
// own (createNative, Native.h) when none is selected. The environment may
// replace it by a replayed session (VORLAN_REPLAY=FILE) and have what it
// answers recorded (VORLAN_RECORD=FILE); see platform/session/Selection.h.
HResult create(std::unique_ptr<System>& system);

// What made the last create() fail, one line: the session's own message for a
// session that cannot be read or written (naming the file, the line and the
// fault), a hint at VORLAN_REPLAY where the platform has no DirectInput, else
// the description of the result code. Empty after a create() that succeeded.
const std::string& createFailure();

// Makes create() use backend from now on and returns the one it replaces
// (empty when none was selected). Tests select the fake backend this way.
Backend selectBackend(Backend backend);

} // namespace DirectInput

#endif
