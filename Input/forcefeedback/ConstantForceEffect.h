#ifndef VORLAN_FORCEFEEDBACK_CONSTANTFORCEEFFECT_H
#define VORLAN_FORCEFEEDBACK_CONSTANTFORCEEFFECT_H

#include "forcefeedback/ForceFeedbackEffect.h"

#include "platform/directinput/Records.h"

// A constant push: the axis values give its direction, their vector's length
// (capped at 1) its strength.
class ConstantForceEffect : public ForceFeedbackEffect {
public:
    struct Exception : ForceFeedbackEffect::Exception {};

    // Creates the effect, stopped; throws Exception if the platform refuses it.
    ConstantForceEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes);

    void applyParameters() override;

private:
    DirectInput::ConstantForce constantForce;
};

#endif
