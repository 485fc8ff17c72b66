#include "platform/directinput/win32/Win32Device.h"

namespace DirectInput {

// ---- effect ---------------------------------------------------------------

HResult Win32Effect::setParameters(const EffectParameters& parameters, uint32_t flags) {
    const DIEFFECT e = toPlatform(parameters);
    return effect->SetParameters(&e, flags);
}

HResult Win32Effect::start(uint32_t iterations, uint32_t flags) { return effect->Start(iterations, flags); }

HResult Win32Effect::stop() { return effect->Stop(); }

// ---- device ---------------------------------------------------------------

namespace {

const DIDATAFORMAT& platformFormat(DataFormat format) {
    switch (format) {
    case DataFormat::Keyboard:
        return c_dfDIKeyboard;
    case DataFormat::Mouse2:
        return c_dfDIMouse2;
    case DataFormat::Joystick2:
        break;
    }
    return c_dfDIJoystick2;
}

// DIPROP_* are the property numbers cast to a GUID reference (MAKEDIPROP).
const GUID& platformProperty(uint32_t property) { return MAKEDIPROP(static_cast<uintptr_t>(property)); }

BOOL CALLBACK objectCallback(LPCDIDEVICEOBJECTINSTANCEA object, LPVOID context) {
    const ObjectCallback& callback = *static_cast<const ObjectCallback*>(context);
    return callback(fromPlatform(*object)) ? DIENUM_CONTINUE : DIENUM_STOP;
}

} // namespace

HResult Win32Device::getCapabilities(DeviceCaps& caps) {
    return device->GetCapabilities(reinterpret_cast<LPDIDEVCAPS>(&caps));
}

HResult Win32Device::setDataFormat(DataFormat format) { return device->SetDataFormat(&platformFormat(format)); }

HResult Win32Device::setCooperativeLevel(WindowHandle window, uint32_t flags) {
    return device->SetCooperativeLevel(static_cast<HWND>(window), flags);
}

HResult Win32Device::setProperty(uint32_t property, const PropertyDword& value) {
    return device->SetProperty(platformProperty(property), reinterpret_cast<LPCDIPROPHEADER>(&value.header));
}

HResult Win32Device::setProperty(uint32_t property, const PropertyRange& value) {
    return device->SetProperty(platformProperty(property), reinterpret_cast<LPCDIPROPHEADER>(&value.header));
}

HResult Win32Device::enumObjects(uint32_t flags, const ObjectCallback& callback) {
    return device->EnumObjects(objectCallback, const_cast<ObjectCallback*>(&callback), flags);
}

HResult Win32Device::acquire() { return device->Acquire(); }

HResult Win32Device::unacquire() { return device->Unacquire(); }

HResult Win32Device::poll() { return device->Poll(); }

HResult Win32Device::getDeviceData(DeviceObjectData* records, uint32_t& count, uint32_t flags) {
    DWORD n = count;
    const HResult result = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA),
                                                 reinterpret_cast<LPDIDEVICEOBJECTDATA>(records), &n, flags);
    // A failed call copied nothing, whatever it left in n.
    count = failed(result) ? 0 : n;
    return result;
}

HResult Win32Device::getDeviceState(uint32_t size, void* buffer) { return device->GetDeviceState(size, buffer); }

HResult Win32Device::createEffect(const Guid& kind, const EffectParameters& parameters,
                                  std::unique_ptr<Effect>& effect) {
    effect.reset();
    const GUID g = toPlatform(kind);
    const DIEFFECT e = toPlatform(parameters);
    IDirectInputEffect* created = nullptr;
    const HResult result = device->CreateEffect(g, &e, &created, nullptr);
    if (succeeded(result) && created)
        effect = std::make_unique<Win32Effect>(created);
    return result;
}

} // namespace DirectInput
