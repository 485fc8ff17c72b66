#ifndef VORLAN_PLATFORM_DIRECTINPUT_RESULTCODES_H
#define VORLAN_PLATFORM_DIRECTINPUT_RESULTCODES_H

#include "platform/directinput/Records.h"

// DirectInput's result codes with their platform values. As with Constants.h,
// the names are macros in the platform headers: do not include both.
namespace DirectInput {

// Success codes.
inline constexpr HResult DI_OK = 0;
inline constexpr HResult S_FALSE = 1;
inline constexpr HResult DI_BUFFEROVERFLOW = S_FALSE;
inline constexpr HResult DI_NOTATTACHED = S_FALSE;
inline constexpr HResult DI_PROPNOEFFECT = S_FALSE;
inline constexpr HResult DI_NOEFFECT = S_FALSE;
inline constexpr HResult DI_POLLEDDEVICE = 2;
inline constexpr HResult DI_DOWNLOADSKIPPED = 3;
inline constexpr HResult DI_EFFECTRESTARTED = 4;
inline constexpr HResult DI_TRUNCATED = 8;
inline constexpr HResult DI_SETTINGSNOTSAVED = 0xB;
inline constexpr HResult DI_TRUNCATEDANDRESTARTED = 0xC;
inline constexpr HResult DI_WRITEPROTECT = 0x13;

// COM error codes.
inline constexpr HResult E_PENDING = static_cast<HResult>(0x8000000A);
inline constexpr HResult E_UNEXPECTED = static_cast<HResult>(0x8000FFFF);
inline constexpr HResult E_NOTIMPL = static_cast<HResult>(0x80004001);
inline constexpr HResult E_NOINTERFACE = static_cast<HResult>(0x80004002);
inline constexpr HResult E_POINTER = static_cast<HResult>(0x80004003);
inline constexpr HResult E_ABORT = static_cast<HResult>(0x80004004);
inline constexpr HResult E_FAIL = static_cast<HResult>(0x80004005);
inline constexpr HResult E_ACCESSDENIED = static_cast<HResult>(0x80070005);
inline constexpr HResult E_HANDLE = static_cast<HResult>(0x80070006);
inline constexpr HResult E_OUTOFMEMORY = static_cast<HResult>(0x8007000E);
inline constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057);

// DirectInput error codes; several share a COM code.
inline constexpr HResult DIERR_OLDDIRECTINPUTVERSION = static_cast<HResult>(0x8007047E);
inline constexpr HResult DIERR_BETADIRECTINPUTVERSION = static_cast<HResult>(0x80070481);
inline constexpr HResult DIERR_BADDRIVERVER = static_cast<HResult>(0x80070077);
inline constexpr HResult DIERR_DEVICENOTREG = static_cast<HResult>(0x80040154);
inline constexpr HResult DIERR_NOTFOUND = static_cast<HResult>(0x80070002);
inline constexpr HResult DIERR_OBJECTNOTFOUND = DIERR_NOTFOUND;
inline constexpr HResult DIERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HResult DIERR_NOINTERFACE = E_NOINTERFACE;
inline constexpr HResult DIERR_GENERIC = E_FAIL;
inline constexpr HResult DIERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HResult DIERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HResult DIERR_NOTINITIALIZED = static_cast<HResult>(0x80070015);
inline constexpr HResult DIERR_ALREADYINITIALIZED = static_cast<HResult>(0x800704DF);
inline constexpr HResult DIERR_NOAGGREGATION = static_cast<HResult>(0x80040110);
inline constexpr HResult DIERR_OTHERAPPHASPRIO = E_ACCESSDENIED;
inline constexpr HResult DIERR_READONLY = E_ACCESSDENIED;
inline constexpr HResult DIERR_HANDLEEXISTS = E_ACCESSDENIED;
inline constexpr HResult DIERR_INPUTLOST = static_cast<HResult>(0x8007001E);
inline constexpr HResult DIERR_ACQUIRED = static_cast<HResult>(0x800700AA);
inline constexpr HResult DIERR_NOTACQUIRED = static_cast<HResult>(0x8007000C);
inline constexpr HResult DIERR_INSUFFICIENTPRIVS = static_cast<HResult>(0x80040200);
inline constexpr HResult DIERR_DEVICEFULL = static_cast<HResult>(0x80040201);
inline constexpr HResult DIERR_MOREDATA = static_cast<HResult>(0x80040202);
inline constexpr HResult DIERR_NOTDOWNLOADED = static_cast<HResult>(0x80040203);
inline constexpr HResult DIERR_HASEFFECTS = static_cast<HResult>(0x80040204);
inline constexpr HResult DIERR_NOTEXCLUSIVEACQUIRED = static_cast<HResult>(0x80040205);
inline constexpr HResult DIERR_INCOMPLETEEFFECT = static_cast<HResult>(0x80040206);
inline constexpr HResult DIERR_NOTBUFFERED = static_cast<HResult>(0x80040207);
inline constexpr HResult DIERR_EFFECTPLAYING = static_cast<HResult>(0x80040208);
inline constexpr HResult DIERR_UNPLUGGED = static_cast<HResult>(0x80040209);
inline constexpr HResult DIERR_REPORTFULL = static_cast<HResult>(0x8004020A);
inline constexpr HResult DIERR_MAPFILEFAIL = static_cast<HResult>(0x8004020B);

// An English sentence describing a result code, the same on every platform;
// "n/a" for a code without a description.
const char* errorDescription(HResult result);

} // namespace DirectInput

#endif
