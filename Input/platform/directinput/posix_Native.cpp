#include "platform/directinput/Native.h"

#include "platform/directinput/ResultCodes.h"

namespace DirectInput {

HResult createNative(std::unique_ptr<System>& system) {
    system.reset();
    return DIERR_UNSUPPORTED;
}

} // namespace DirectInput
