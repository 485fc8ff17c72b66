#include "platform/directinput/System.h"

#include "platform/directinput/ResultCodes.h"

#include <utility>

namespace DirectInput {

namespace {

Backend& selectedBackend() {
    static Backend backend;
    return backend;
}

} // namespace

HResult create(std::unique_ptr<System>& system) {
    system.reset();
    const Backend& backend = selectedBackend();
    if (!backend)
        return DIERR_UNSUPPORTED;
    return backend(system);
}

Backend selectBackend(Backend backend) {
    std::swap(backend, selectedBackend());
    return backend;
}

} // namespace DirectInput
