#include "platform/directinput/Native.h"
#include "platform/directinput/win32/Win32Device.h"

namespace DirectInput {

namespace {

BOOL CALLBACK deviceCallback(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    const DeviceCallback& callback = *static_cast<const DeviceCallback*>(context);
    return callback(fromPlatform(*instance)) ? DIENUM_CONTINUE : DIENUM_STOP;
}

// An IDirectInput8A; owns one reference to it.
class Win32System : public System {
public:
    explicit Win32System(IDirectInput8A* directInput) : directInput(directInput) {}
    ~Win32System() override { directInput->Release(); }

    HResult enumDevices(uint32_t devClass, uint32_t flags, const DeviceCallback& callback) override {
        return directInput->EnumDevices(devClass, deviceCallback, const_cast<DeviceCallback*>(&callback), flags);
    }

    HResult createDevice(const Guid& instance, std::unique_ptr<Device>& device) override {
        device.reset();
        const GUID g = toPlatform(instance);
        IDirectInputDevice8A* created = nullptr;
        const HResult result = directInput->CreateDevice(g, &created, nullptr);
        if (succeeded(result) && created)
            device = std::make_unique<Win32Device>(created);
        return result;
    }

private:
    IDirectInput8A* directInput;
};

} // namespace

HResult createNative(std::unique_ptr<System>& system) {
    system.reset();
    void* created = nullptr;
    const HResult result =
        DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A, &created, nullptr);
    if (succeeded(result) && created)
        system = std::make_unique<Win32System>(static_cast<IDirectInput8A*>(created));
    return result;
}

} // namespace DirectInput
