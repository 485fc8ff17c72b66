#ifndef VORLAN_FORCEFEEDBACK_PERIODICEFFECT_H
#define VORLAN_FORCEFEEDBACK_PERIODICEFFECT_H

#include "forcefeedback/ForceFeedbackEffect.h"

#include "platform/directinput/Records.h"

// A square-wave shake along the axis values (direction and strength as for
// the constant force) with an adjustable frequency.
class PeriodicEffect : public ForceFeedbackEffect {
public:
    struct Exception : ForceFeedbackEffect::Exception {};

    // Creates the effect, stopped; throws Exception if the platform refuses it.
    PeriodicEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes);

    // Frequency in hertz; a negative one is logged and refused, one of at most
    // a millionth of a hertz gives period 0. Nothing is applied.
    void setFrequency(double hertz);

    void applyParameters() override;

private:
    DirectInput::Periodic periodic;
    double period = 0.0;  // microseconds
};

#endif
