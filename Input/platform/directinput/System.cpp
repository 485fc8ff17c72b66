#include "platform/directinput/System.h"

#include "platform/directinput/Native.h"

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
    return backend ? backend(system) : createNative(system);
}

Backend selectBackend(Backend backend) {
    std::swap(backend, selectedBackend());
    return backend;
}

} // namespace DirectInput
