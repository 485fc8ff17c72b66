#include "facade/State.h"

#include "bindings/BindingEngine.h"
#include "core/Log.h"
#include "devices/DIFactory.h"
#include "platform/NativeContext.h"

#include <cstdlib>
#include <cstring>

namespace {

bool variableIsOne(const char* name) {
    const char* value = std::getenv(name);
    return value && std::strcmp(value, "1") == 0;
}

} // namespace

// The log state comes first, so that it outlives everything that logs.
FacadeState::FacadeState()
    : initialState(variableIsOne("VORLAN_INITIAL_STATE")), makePlatform(Platform::createNativeContext) {
    logState();
}

FacadeState::~FacadeState() = default;

FacadeState& facadeState() {
    static FacadeState state;
    return state;
}
