#ifndef VORLAN_FORCEFEEDBACK_CONDITIONEFFECT_H
#define VORLAN_FORCEFEEDBACK_CONDITIONEFFECT_H

#include "forcefeedback/ForceFeedbackEffect.h"

#include "platform/directinput/Records.h"

// The spring: pulls the stick towards an adjustable centre, with a strength
// per axis. It hands the platform one condition record per axis, at most two
// (first axis, second axis), so that a device with a single actuated axis
// (a wheel) accepts it too.
class ConditionEffect : public ForceFeedbackEffect {
public:
    struct Exception : ForceFeedbackEffect::Exception {};

    // Creates the spring, stopped and without force until parameters are
    // applied; throws Exception if the platform refuses it.
    ConditionEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes, bool swapAxes);

    // Spring centre per axis, each in -1..1; both refused (and logged) if one is out.
    void setOffsets(double x, double y);
    // Spring strength per axis, each in 0..1; both refused (and logged) if one is out.
    void setMagnitudes(double x, double y);
    // Exchanges the roles of the axes at the next applyParameters.
    void setSwapAxes(bool swap) { swapAxes = swap; }

    void applyParameters() override;

private:
    void initConditions();
    uint32_t conditionsSize() const;

    DirectInput::Condition conditions[2];
    size_t conditionCount = 0;
    double offsetX = 0.0;
    double offsetY = 0.0;
    double magnitudeX = 1.0;
    double magnitudeY = 1.0;
    bool swapAxes;
};

#endif
