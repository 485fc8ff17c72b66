#include "platform/directinput/System.h"

#include "platform/directinput/Native.h"
#include "platform/directinput/ResultCodes.h"
#include "platform/session/Selection.h"

#include <utility>

namespace DirectInput {

namespace {

Backend& selectedBackend() {
    static Backend backend;
    return backend;
}

std::string& failureText() {
    static std::string text;
    return text;
}

HResult createSelected(std::unique_ptr<System>& system) {
    const Backend& backend = selectedBackend();
    return backend ? backend(system) : createNative(system);
}

} // namespace

HResult create(std::unique_ptr<System>& system) {
    std::string& failure = failureText();
    failure.clear();
    const HResult result = Session::createSystem(createSelected, system, failure);
    if (failed(result) && failure.empty())
        failure = result == DIERR_UNSUPPORTED && !selectedBackend()
                      ? "no DirectInput here, set VORLAN_REPLAY=FILE to replay a session file"
                      : errorDescription(result);
    return result;
}

const std::string& createFailure() { return failureText(); }

Backend selectBackend(Backend backend) {
    std::swap(backend, selectedBackend());
    return backend;
}

} // namespace DirectInput
