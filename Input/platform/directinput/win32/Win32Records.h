#ifndef VORLAN_PLATFORM_DIRECTINPUT_WIN32_WIN32RECORDS_H
#define VORLAN_PLATFORM_DIRECTINPUT_WIN32_WIN32RECORDS_H

// The platform headers for the win32 backend, and the conversions between the
// port's records and DirectInput's. Records whose layouts agree are passed by
// pointer (the asserts below hold that); the others are copied field by field.
// The port's Constants.h and ResultCodes.h name <dinput.h>'s macros: files of
// this backend must not include them.

#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0800
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <dinput.h>

#include "platform/directinput/Records.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <iterator>
#include <string>

namespace DirectInput {

#define VORLAN_SAME_FIELD(Port, field, Platform, platformField) \
    static_assert(offsetof(Port, field) == offsetof(Platform, platformField) && \
                      sizeof(Port::field) == sizeof(Platform::platformField), \
                  #Port "::" #field " is " #Platform "::" #platformField)

static_assert(sizeof(Guid) == sizeof(GUID), "Guid is GUID");
VORLAN_SAME_FIELD(Guid, data1, GUID, Data1);
VORLAN_SAME_FIELD(Guid, data2, GUID, Data2);
VORLAN_SAME_FIELD(Guid, data3, GUID, Data3);
VORLAN_SAME_FIELD(Guid, data4, GUID, Data4);

static_assert(sizeof(DeviceObjectData) == sizeof(DIDEVICEOBJECTDATA), "DeviceObjectData is DIDEVICEOBJECTDATA");
VORLAN_SAME_FIELD(DeviceObjectData, ofs, DIDEVICEOBJECTDATA, dwOfs);
VORLAN_SAME_FIELD(DeviceObjectData, data, DIDEVICEOBJECTDATA, dwData);
VORLAN_SAME_FIELD(DeviceObjectData, timeStamp, DIDEVICEOBJECTDATA, dwTimeStamp);
VORLAN_SAME_FIELD(DeviceObjectData, sequence, DIDEVICEOBJECTDATA, dwSequence);
VORLAN_SAME_FIELD(DeviceObjectData, appData, DIDEVICEOBJECTDATA, uAppData);

static_assert(sizeof(DeviceCaps) == sizeof(DIDEVCAPS), "DeviceCaps is DIDEVCAPS");
VORLAN_SAME_FIELD(DeviceCaps, flags, DIDEVCAPS, dwFlags);
VORLAN_SAME_FIELD(DeviceCaps, ffDriverVersion, DIDEVCAPS, dwFFDriverVersion);

static_assert(sizeof(PropertyHeader) == sizeof(DIPROPHEADER), "PropertyHeader is DIPROPHEADER");
VORLAN_SAME_FIELD(PropertyHeader, how, DIPROPHEADER, dwHow);
static_assert(sizeof(PropertyDword) == sizeof(DIPROPDWORD), "PropertyDword is DIPROPDWORD");
VORLAN_SAME_FIELD(PropertyDword, data, DIPROPDWORD, dwData);
static_assert(sizeof(PropertyRange) == sizeof(DIPROPRANGE), "PropertyRange is DIPROPRANGE");
VORLAN_SAME_FIELD(PropertyRange, min, DIPROPRANGE, lMin);
VORLAN_SAME_FIELD(PropertyRange, max, DIPROPRANGE, lMax);

// Type-specific effect parameters and the envelope are passed as the bytes the
// caller holds.
static_assert(sizeof(Condition) == sizeof(DICONDITION), "Condition is DICONDITION");
VORLAN_SAME_FIELD(Condition, deadBand, DICONDITION, lDeadBand);
static_assert(sizeof(ConstantForce) == sizeof(DICONSTANTFORCE), "ConstantForce is DICONSTANTFORCE");
static_assert(sizeof(Periodic) == sizeof(DIPERIODIC), "Periodic is DIPERIODIC");
VORLAN_SAME_FIELD(Periodic, period, DIPERIODIC, dwPeriod);
static_assert(sizeof(Envelope) == sizeof(DIENVELOPE), "Envelope is DIENVELOPE");
VORLAN_SAME_FIELD(Envelope, fadeTime, DIENVELOPE, dwFadeTime);

// DIEFFECT holds pointers, so its size differs between 32 and 64 bits; the
// port's record carries the 32-bit size.
static_assert(sizeof(void*) != 4 || sizeof(DIEFFECT) == EffectParametersSize, "DIEFFECT's 32-bit size");

#undef VORLAN_SAME_FIELD

inline Guid fromPlatform(const GUID& g) {
    Guid guid;
    guid.data1 = g.Data1;
    guid.data2 = g.Data2;
    guid.data3 = g.Data3;
    std::copy(std::begin(g.Data4), std::end(g.Data4), guid.data4);
    return guid;
}

inline GUID toPlatform(const Guid& guid) {
    GUID g;
    g.Data1 = guid.data1;
    g.Data2 = guid.data2;
    g.Data3 = guid.data3;
    std::copy(std::begin(guid.data4), std::end(guid.data4), g.Data4);
    return g;
}

// A fixed-size name field, up to its first NUL or its end.
template <size_t N>
std::string fromPlatform(const CHAR (&name)[N]) {
    return std::string(name, strnlen(name, N));
}

inline DeviceInstance fromPlatform(const DIDEVICEINSTANCEA& d) {
    DeviceInstance instance;
    instance.guidInstance = fromPlatform(d.guidInstance);
    instance.guidProduct = fromPlatform(d.guidProduct);
    instance.devType = d.dwDevType;
    instance.instanceName = fromPlatform(d.tszInstanceName);
    instance.productName = fromPlatform(d.tszProductName);
    instance.guidFFDriver = fromPlatform(d.guidFFDriver);
    instance.usagePage = d.wUsagePage;
    instance.usage = d.wUsage;
    return instance;
}

inline ObjectInstance fromPlatform(const DIDEVICEOBJECTINSTANCEA& o) {
    ObjectInstance object;
    object.guidType = fromPlatform(o.guidType);
    object.ofs = o.dwOfs;
    object.type = o.dwType;
    object.flags = o.dwFlags;
    object.name = fromPlatform(o.tszName);
    return object;
}

// The platform reads the record and what it points at during the call only.
inline DIEFFECT toPlatform(const EffectParameters& p) {
    DIEFFECT e{};
    e.dwSize = p.size == EffectParametersSize ? sizeof(DIEFFECT) : p.size;
    e.dwFlags = p.flags;
    e.dwDuration = p.duration;
    e.dwSamplePeriod = p.samplePeriod;
    e.dwGain = p.gain;
    e.dwTriggerButton = p.triggerButton;
    e.dwTriggerRepeatInterval = p.triggerRepeatInterval;
    e.cAxes = p.axisCount;
    e.rgdwAxes = reinterpret_cast<LPDWORD>(const_cast<uint32_t*>(p.axes));
    e.rglDirection = reinterpret_cast<LPLONG>(const_cast<int32_t*>(p.directions));
    e.lpEnvelope = reinterpret_cast<LPDIENVELOPE>(const_cast<Envelope*>(p.envelope));
    e.cbTypeSpecificParams = p.typeSpecificSize;
    e.lpvTypeSpecificParams = const_cast<void*>(p.typeSpecificParams);
    e.dwStartDelay = p.startDelay;
    return e;
}

} // namespace DirectInput

#endif
