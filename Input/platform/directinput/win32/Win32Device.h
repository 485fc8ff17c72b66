#ifndef VORLAN_PLATFORM_DIRECTINPUT_WIN32_WIN32DEVICE_H
#define VORLAN_PLATFORM_DIRECTINPUT_WIN32_WIN32DEVICE_H

#include "platform/directinput/Device.h"
#include "platform/directinput/win32/Win32Records.h"

namespace DirectInput {

// An IDirectInputEffect; owns one reference to it.
class Win32Effect : public Effect {
public:
    explicit Win32Effect(IDirectInputEffect* effect) : effect(effect) {}
    ~Win32Effect() override { effect->Release(); }

    HResult setParameters(const EffectParameters& parameters, uint32_t flags) override;
    HResult start(uint32_t iterations, uint32_t flags) override;
    HResult stop() override;

private:
    IDirectInputEffect* effect;
};

// An IDirectInputDevice8A; owns one reference to it.
class Win32Device : public Device {
public:
    explicit Win32Device(IDirectInputDevice8A* device) : device(device) {}
    ~Win32Device() override { device->Release(); }

    HResult getCapabilities(DeviceCaps& caps) override;
    HResult setDataFormat(DataFormat format) override;
    HResult setCooperativeLevel(WindowHandle window, uint32_t flags) override;
    HResult setProperty(uint32_t property, const PropertyDword& value) override;
    HResult setProperty(uint32_t property, const PropertyRange& value) override;
    HResult enumObjects(uint32_t flags, const ObjectCallback& callback) override;
    HResult acquire() override;
    HResult unacquire() override;
    HResult poll() override;
    HResult getDeviceData(DeviceObjectData* records, uint32_t& count, uint32_t flags) override;
    HResult getDeviceState(uint32_t size, void* buffer) override;
    HResult createEffect(const Guid& kind, const EffectParameters& parameters,
                         std::unique_ptr<Effect>& effect) override;

private:
    IDirectInputDevice8A* device;
};

} // namespace DirectInput

#endif
