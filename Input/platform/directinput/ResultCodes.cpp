#include "platform/directinput/ResultCodes.h"

namespace DirectInput {

namespace {

struct Description {
    HResult result;
    const char* text;
};

// Codes that share a value (DI_BUFFEROVERFLOW and S_FALSE, DIERR_GENERIC and
// E_FAIL, ...) have one entry.
const Description descriptions[] = {
    {DI_OK, "The operation completed successfully."},
    {S_FALSE, "The operation completed, but had no effect or lost buffered data."},
    {DI_POLLEDDEVICE, "The device is a polled device; data arrives only when it is polled."},
    {DI_DOWNLOADSKIPPED, "The parameters were updated but the effect was not downloaded."},
    {DI_EFFECTRESTARTED, "The effect was stopped, its parameters updated, and it was restarted."},
    {DI_TRUNCATED, "The parameters were beyond the device's range and were truncated."},
    {DI_SETTINGSNOTSAVED, "The action map was applied but the settings could not be saved."},
    {DI_TRUNCATEDANDRESTARTED, "The parameters were truncated and the effect was restarted."},
    {DI_WRITEPROTECT, "A setting could not be saved because it is write protected."},
    {E_PENDING, "The data is not yet available."},
    {E_UNEXPECTED, "An unexpected failure occurred."},
    {E_NOTIMPL, "The function is not supported at this time."},
    {E_NOINTERFACE, "The requested interface is not supported by the object."},
    {E_POINTER, "An invalid pointer was passed."},
    {E_ABORT, "The operation was aborted."},
    {E_FAIL, "An undetermined error occurred inside the input subsystem."},
    {E_ACCESSDENIED, "Access to the device was denied: another application has priority, or the value is read-only."},
    {E_HANDLE, "An invalid handle was passed."},
    {E_OUTOFMEMORY, "There was not enough memory to complete the operation."},
    {E_INVALIDARG, "An invalid parameter was passed, or the object was not in a state that allowed the call."},
    {DIERR_OLDDIRECTINPUTVERSION, "The application needs a newer version of the input subsystem."},
    {DIERR_BETADIRECTINPUTVERSION, "The application was written for an unsupported prerelease version of the input subsystem."},
    {DIERR_BADDRIVERVER, "The device or its driver is not compatible with this version of the input subsystem."},
    {DIERR_DEVICENOTREG, "The device or device instance is not registered."},
    {DIERR_NOTFOUND, "The requested object does not exist."},
    {DIERR_NOTINITIALIZED, "The object has not been initialized."},
    {DIERR_ALREADYINITIALIZED, "The object is already initialized."},
    {DIERR_NOAGGREGATION, "The object does not support aggregation."},
    {DIERR_INPUTLOST, "Access to the input device has been lost; it must be acquired again."},
    {DIERR_ACQUIRED, "The operation cannot be performed while the device is acquired."},
    {DIERR_NOTACQUIRED, "The operation cannot be performed unless the device is acquired."},
    {DIERR_INSUFFICIENTPRIVS, "The caller does not have the privileges to perform the operation."},
    {DIERR_DEVICEFULL, "The device is full and cannot hold another effect."},
    {DIERR_MOREDATA, "Not all the requested information fitted into the buffer."},
    {DIERR_NOTDOWNLOADED, "The effect is not downloaded to the device."},
    {DIERR_HASEFFECTS, "The device cannot be reinitialized because effects are attached to it."},
    {DIERR_NOTEXCLUSIVEACQUIRED, "The operation requires the device to be acquired in exclusive mode."},
    {DIERR_INCOMPLETEEFFECT, "The effect could not be downloaded because essential information is missing."},
    {DIERR_NOTBUFFERED, "The device is not buffered; set the buffer size first."},
    {DIERR_EFFECTPLAYING, "The parameters cannot be changed while the effect is playing."},
    {DIERR_UNPLUGGED, "The device has been unplugged."},
    {DIERR_REPORTFULL, "More information was requested than the device report can hold."},
    {DIERR_MAPFILEFAIL, "The action map file could not be read or written."},
};

} // namespace

const char* errorDescription(HResult result) {
    for (const Description& d : descriptions)
        if (d.result == result)
            return d.text;
    return "n/a";
}

} // namespace DirectInput
