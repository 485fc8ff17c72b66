#include "facade/State.h"

#include "bindings/BindingEngine.h"
#include "core/Log.h"
#include "devices/DIFactory.h"
#include "platform/NativeContext.h"

// The log state comes first, so that it outlives everything that logs.
FacadeState::FacadeState() : makePlatform(Platform::createNativeContext) { logState(); }

FacadeState::~FacadeState() = default;

FacadeState& facadeState() {
    static FacadeState state;
    return state;
}
