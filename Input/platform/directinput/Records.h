#ifndef VORLAN_PLATFORM_DIRECTINPUT_RECORDS_H
#define VORLAN_PLATFORM_DIRECTINPUT_RECORDS_H

#include "platform/directinput/Guid.h"

#include <cstdint>
#include <string>

// The plain records exchanged with DirectInput 8, with the platform's field
// order and meaning. Names are copied into strings, so the records own all they
// hold, except EffectParameters, which points at its caller's arrays exactly as
// the platform's effect record does.
namespace DirectInput {

// DirectInput's result codes: success is "not negative". Named values are in
// ResultCodes.h.
using HResult = int32_t;

inline bool succeeded(HResult result) { return result >= 0; }
inline bool failed(HResult result) { return result < 0; }

// The host's window (HWND on Windows).
using WindowHandle = void*;

// DIDEVICEINSTANCE: one attached device, as enumeration reports it.
struct DeviceInstance {
    Guid guidInstance;
    Guid guidProduct;
    uint32_t devType = 0;  // low byte type (DI8DEVTYPE_*), next byte subtype
    std::string instanceName;
    std::string productName;
    Guid guidFFDriver;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// DIDEVICEOBJECTINSTANCE up to the object's name: one key, button, axis or hat.
struct ObjectInstance {
    Guid guidType;      // GUID_XAxis, GUID_YAxis, ...
    uint32_t ofs = 0;   // data offset in the device's data format
    uint32_t type = 0;  // DIDFT_* type bits and the instance number
    uint32_t flags = 0; // DIDOI_* flags
    std::string name;
};

// DIDEVICEOBJECTDATA: one buffered input record.
struct DeviceObjectData {
    uint32_t ofs = 0;
    uint32_t data = 0;
    uint32_t timeStamp = 0;  // milliseconds
    uint32_t sequence = 0;
    uintptr_t appData = 0;
};

// DIDEVCAPS (44 bytes); the caller sets size.
struct DeviceCaps {
    uint32_t size = 0;
    uint32_t flags = 0;  // DIDC_* flags
    uint32_t devType = 0;
    uint32_t axes = 0;
    uint32_t buttons = 0;
    uint32_t povs = 0;
    uint32_t ffSamplePeriod = 0;
    uint32_t ffMinTimeResolution = 0;
    uint32_t firmwareRevision = 0;
    uint32_t hardwareRevision = 0;
    uint32_t ffDriverVersion = 0;
};

static_assert(sizeof(DeviceCaps) == 44, "DIDEVCAPS is 44 bytes");

// DIPROPHEADER: which object a property addresses (DIPH_DEVICE, DIPH_BYID, ...).
struct PropertyHeader {
    uint32_t size = 0;
    uint32_t headerSize = 16;
    uint32_t obj = 0;
    uint32_t how = 0;
};

// DIPROPDWORD: a 32-bit property value (buffer size, autocentre).
struct PropertyDword {
    PropertyHeader header{20, 16, 0, 0};
    uint32_t data = 0;
};

// DIPROPRANGE: an axis range.
struct PropertyRange {
    PropertyHeader header{24, 16, 0, 0};
    int32_t min = 0;
    int32_t max = 0;
};

// DICONDITION (24 bytes): one axis of a condition effect such as a spring.
struct Condition {
    int32_t offset = 0;
    int32_t positiveCoefficient = 0;
    int32_t negativeCoefficient = 0;
    uint32_t positiveSaturation = 0;
    uint32_t negativeSaturation = 0;
    int32_t deadBand = 0;
};

static_assert(sizeof(Condition) == 24, "DICONDITION is 24 bytes");

// DICONSTANTFORCE (4 bytes).
struct ConstantForce {
    int32_t magnitude = 0;
};

static_assert(sizeof(ConstantForce) == 4, "DICONSTANTFORCE is 4 bytes");

// DIPERIODIC (16 bytes); period in microseconds.
struct Periodic {
    uint32_t magnitude = 0;
    int32_t offset = 0;
    uint32_t phase = 0;
    uint32_t period = 0;
};

static_assert(sizeof(Periodic) == 16, "DIPERIODIC is 16 bytes");

// DIENVELOPE.
struct Envelope {
    uint32_t size = 20;
    uint32_t attackLevel = 0;
    uint32_t attackTime = 0;
    uint32_t fadeLevel = 0;
    uint32_t fadeTime = 0;
};

// DIEFFECT: the parameters of an effect. The pointers are borrowed for the
// duration of the call they are passed to; axes and directions hold axisCount
// entries each (or are null), typeSpecificParams holds typeSpecificSize bytes.
// size carries the DirectInput 8 size of the platform record (EffectParametersSize);
// a backend translates it to its own record size.
struct EffectParameters {
    uint32_t size = 0;
    uint32_t flags = 0;          // DIEFF_* coordinate and object flags
    uint32_t duration = 0;       // microseconds; INFINITE for endless
    uint32_t samplePeriod = 0;
    uint32_t gain = 0;           // 0 .. 10000
    uint32_t triggerButton = 0;  // DIEB_NOTRIGGER for none
    uint32_t triggerRepeatInterval = 0;
    uint32_t axisCount = 0;
    const uint32_t* axes = nullptr;
    const int32_t* directions = nullptr;
    const Envelope* envelope = nullptr;
    uint32_t typeSpecificSize = 0;
    const void* typeSpecificParams = nullptr;
    uint32_t startDelay = 0;
};

// The value of EffectParameters::size: DIEFFECT's size in DirectInput 8.
inline constexpr uint32_t EffectParametersSize = 56;

} // namespace DirectInput

#endif
