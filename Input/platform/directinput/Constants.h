#ifndef VORLAN_PLATFORM_DIRECTINPUT_CONSTANTS_H
#define VORLAN_PLATFORM_DIRECTINPUT_CONSTANTS_H

#include <cstdint>

// DirectInput 8 flags and fixed values the library passes or reads, under the
// platform's own names and values. These names are macros in <dinput.h>, so a
// file that includes <dinput.h> must not include this header; a backend passes
// the values through and needs none of the names.
namespace DirectInput {

// EnumDevices: device class and flags.
inline constexpr uint32_t DI8DEVCLASS_ALL = 0;
inline constexpr uint32_t DIEDFL_ALLDEVICES = 0;

// DeviceInstance::devType, low byte.
inline constexpr uint32_t DI8DEVTYPE_DEVICE = 0x11;
inline constexpr uint32_t DI8DEVTYPE_MOUSE = 0x12;
inline constexpr uint32_t DI8DEVTYPE_KEYBOARD = 0x13;
inline constexpr uint32_t DI8DEVTYPE_JOYSTICK = 0x14;
inline constexpr uint32_t DI8DEVTYPE_GAMEPAD = 0x15;
inline constexpr uint32_t DI8DEVTYPE_DRIVING = 0x16;
inline constexpr uint32_t DI8DEVTYPE_FLIGHT = 0x17;
inline constexpr uint32_t DI8DEVTYPE_1STPERSON = 0x18;
inline constexpr uint32_t DI8DEVTYPE_DEVICECTRL = 0x19;
inline constexpr uint32_t DI8DEVTYPE_SCREENPOINTER = 0x1A;
inline constexpr uint32_t DI8DEVTYPE_REMOTE = 0x1B;
inline constexpr uint32_t DI8DEVTYPE_SUPPLEMENTAL = 0x1C;

// DeviceCaps::flags.
inline constexpr uint32_t DIDC_ATTACHED = 0x1;
inline constexpr uint32_t DIDC_POLLEDDEVICE = 0x2;
inline constexpr uint32_t DIDC_FORCEFEEDBACK = 0x100;

// SetCooperativeLevel flags.
inline constexpr uint32_t DISCL_EXCLUSIVE = 0x1;
inline constexpr uint32_t DISCL_NONEXCLUSIVE = 0x2;
inline constexpr uint32_t DISCL_FOREGROUND = 0x4;
inline constexpr uint32_t DISCL_BACKGROUND = 0x8;
inline constexpr uint32_t DISCL_NOWINKEY = 0x10;

// SetProperty: the properties (the platform's MAKEDIPROP numbers) and how the
// header addresses the object.
inline constexpr uint32_t DIPROP_BUFFERSIZE = 1;
inline constexpr uint32_t DIPROP_RANGE = 4;
inline constexpr uint32_t DIPROP_AUTOCENTER = 9;
inline constexpr uint32_t DIPH_DEVICE = 0;
inline constexpr uint32_t DIPH_BYOFFSET = 1;
inline constexpr uint32_t DIPH_BYID = 2;
inline constexpr uint32_t DIPROPAUTOCENTER_OFF = 0;
inline constexpr uint32_t DIPROPAUTOCENTER_ON = 1;

// EnumObjects flags and ObjectInstance::type bits.
inline constexpr uint32_t DIDFT_ALL = 0;
inline constexpr uint32_t DIDFT_RELAXIS = 0x1;
inline constexpr uint32_t DIDFT_ABSAXIS = 0x2;
inline constexpr uint32_t DIDFT_AXIS = 0x3;
inline constexpr uint32_t DIDFT_PSHBUTTON = 0x4;
inline constexpr uint32_t DIDFT_TGLBUTTON = 0x8;
inline constexpr uint32_t DIDFT_BUTTON = 0xC;
inline constexpr uint32_t DIDFT_POV = 0x10;

// ObjectInstance::flags.
inline constexpr uint32_t DIDOI_FFACTUATOR = 0x1;

// EffectParameters::flags.
inline constexpr uint32_t DIEFF_OBJECTIDS = 0x1;
inline constexpr uint32_t DIEFF_OBJECTOFFSETS = 0x2;
inline constexpr uint32_t DIEFF_CARTESIAN = 0x10;
inline constexpr uint32_t DIEFF_POLAR = 0x20;
inline constexpr uint32_t DIEFF_SPHERICAL = 0x40;

// Effect::setParameters flags: which members of the record to apply.
inline constexpr uint32_t DIEP_DURATION = 0x1;
inline constexpr uint32_t DIEP_SAMPLEPERIOD = 0x2;
inline constexpr uint32_t DIEP_GAIN = 0x4;
inline constexpr uint32_t DIEP_TRIGGERBUTTON = 0x8;
inline constexpr uint32_t DIEP_TRIGGERREPEATINTERVAL = 0x10;
inline constexpr uint32_t DIEP_AXES = 0x20;
inline constexpr uint32_t DIEP_DIRECTION = 0x40;
inline constexpr uint32_t DIEP_ENVELOPE = 0x80;
inline constexpr uint32_t DIEP_TYPESPECIFICPARAMS = 0x100;
inline constexpr uint32_t DIEP_STARTDELAY = 0x200;

// Effect parameter values.
inline constexpr uint32_t INFINITE = 0xFFFFFFFF;
inline constexpr uint32_t DIEB_NOTRIGGER = 0xFFFFFFFF;
inline constexpr uint32_t DI_FFNOMINALMAX = 10000;

} // namespace DirectInput

#endif
