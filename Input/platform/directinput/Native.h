#ifndef VORLAN_PLATFORM_DIRECTINPUT_NATIVE_H
#define VORLAN_PLATFORM_DIRECTINPUT_NATIVE_H

#include "platform/directinput/System.h"

#include <memory>

namespace DirectInput {

// The platform's own DirectInput (DirectInput8Create for the host executable
// on Windows): makes its System into system, or returns the failure code and
// leaves it empty. Platforms without one answer DIERR_UNSUPPORTED.
HResult createNative(std::unique_ptr<System>& system);

} // namespace DirectInput

#endif
