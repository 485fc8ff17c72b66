#ifndef VORLAN_TESTS_FAKEDEVICES_H
#define VORLAN_TESTS_FAKEDEVICES_H

#include "platform/directinput/Constants.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/fake/FakeDirectInput.h"

#include <string>

// Instance records and object lists of typical devices for the fake backend.
namespace FakeDevices {

inline DirectInput::Guid guid(uint32_t n) {
    DirectInput::Guid g;
    g.data1 = 0x10000000u + n;
    g.data2 = 0xABCD;
    g.data3 = 0xEF01;
    for (uint8_t i = 0; i < 8; ++i)
        g.data4[i] = static_cast<uint8_t>(0x10 * i + n);
    return g;
}

// type: the DI8DEVTYPE_* byte; subtype: the next byte (0 is refused by the factory).
inline DirectInput::DeviceInstance instance(uint32_t n, uint32_t type, const std::string& name,
                                            uint32_t subtype = 1) {
    DirectInput::DeviceInstance i;
    i.guidInstance = guid(n);
    i.guidProduct = guid(100 + n);
    i.devType = type | (subtype << 8);
    i.instanceName = name;
    i.productName = name + " product";
    return i;
}

inline DirectInput::ObjectInstance object(uint32_t ofs, uint32_t type, const DirectInput::Guid& guidType = {},
                                          uint32_t flags = 0) {
    DirectInput::ObjectInstance o;
    o.guidType = guidType;
    o.ofs = ofs;
    o.type = type;
    o.flags = flags;
    return o;
}

// An absolute axis whose object type carries its offset as instance number.
inline DirectInput::ObjectInstance absoluteAxis(uint32_t ofs, const DirectInput::Guid& guidType) {
    return object(ofs, DirectInput::DIDFT_ABSAXIS | (ofs << 8), guidType);
}

inline DirectInput::FakeDeviceScript& keyboard(DirectInput::FakeDirectInput& fake, uint32_t n,
                                               const std::string& name = "Keyboard") {
    DirectInput::FakeDeviceScript& s = fake.addDevice(instance(n, DirectInput::DI8DEVTYPE_KEYBOARD, name));
    for (uint32_t code : {0x01u, 0x1Eu, 0x2Au})
        s.objects.push_back(object(code, DirectInput::DIDFT_PSHBUTTON));
    return s;
}

inline DirectInput::FakeDeviceScript& mouse(DirectInput::FakeDirectInput& fake, uint32_t n,
                                            const std::string& name = "Mouse") {
    DirectInput::FakeDeviceScript& s = fake.addDevice(instance(n, DirectInput::DI8DEVTYPE_MOUSE, name));
    for (uint32_t ofs : {0u, 4u, 8u})
        s.objects.push_back(object(ofs, DirectInput::DIDFT_RELAXIS));
    for (uint32_t ofs : {12u, 13u})
        s.objects.push_back(object(ofs, DirectInput::DIDFT_PSHBUTTON));
    return s;
}

// A stick with X and Y (force-feedback actuators when forceFeedback), a button and a hat.
inline DirectInput::FakeDeviceScript& joystick(DirectInput::FakeDirectInput& fake, uint32_t n,
                                               const std::string& name = "Stick", bool forceFeedback = false) {
    using namespace DirectInput;
    FakeDeviceScript& s = fake.addDevice(instance(n, DI8DEVTYPE_JOYSTICK, name));
    const uint32_t actuator = forceFeedback ? DIDOI_FFACTUATOR : 0;
    s.objects.push_back(object(0, DIDFT_ABSAXIS | 0x0100, GUID_XAxis, actuator));
    s.objects.push_back(object(4, DIDFT_ABSAXIS | 0x0200, GUID_YAxis, actuator));
    s.objects.push_back(object(48, DIDFT_PSHBUTTON | 0x0300));
    s.objects.push_back(object(32, DIDFT_POV | 0x0400));
    if (forceFeedback)
        s.caps.flags = DIDC_FORCEFEEDBACK;
    return s;
}

inline DirectInput::DeviceObjectData record(uint32_t ofs, uint32_t data, uint32_t time) {
    DirectInput::DeviceObjectData r;
    r.ofs = ofs;
    r.data = data;
    r.timeStamp = time;
    return r;
}

} // namespace FakeDevices

#endif
