#include "forcefeedback/ConstantForceEffect.h"

#include "core/Log.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/ResultCodes.h"

using namespace DirectInput;

ConstantForceEffect::ConstantForceEffect(Device& device, const std::vector<uint32_t>& axes) {
    constantForce.magnitude = DI_FFNOMINALMAX;
    const HResult result = createEffect(device, GUID_ConstantForce, axes, &constantForce, sizeof(constantForce));
    if (failed(result)) {
        Log() << "Cannot create constant force effect! " << errorDescription(result);
        throw Exception();
    }
}

void ConstantForceEffect::applyParameters() {
    constantForce.magnitude = vectorMagnitude();
    applyDirected(&constantForce, sizeof(constantForce));
}
