#ifndef VORLAN_FORCEFEEDBACK_FORCEFEEDBACKEFFECT_H
#define VORLAN_FORCEFEEDBACK_FORCEFEEDBACKEFFECT_H

#include "platform/directinput/Device.h"
#include "platform/directinput/Effect.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

// Converts a value on the 0..1 (or -1..1) scale to the platform's units of
// 1/10000, truncating toward zero. Values beyond the 32-bit range saturate and
// NaN gives 0, so no caller's value leads to undefined behaviour.
int32_t toPlatformUnits(double value);

// One force-feedback effect on a device: owns the platform effect and keeps
// what every kind shares, the axes with one value each, the gain and whether it
// plays. Subclasses create the platform effect in their constructors.
class ForceFeedbackEffect {
public:
    // Thrown (as the subclass's own Exception) only when the platform refuses
    // to create the effect.
    struct Exception {};

    // Stops the effect and releases it.
    virtual ~ForceFeedbackEffect();
    ForceFeedbackEffect(const ForceFeedbackEffect&) = delete;
    ForceFeedbackEffect& operator=(const ForceFeedbackEffect&) = delete;

    virtual void play();
    virtual void stop();
    // Sends the current parameters to the platform effect.
    virtual void applyParameters() = 0;

    // Accepts 0..1 and applies it at once; anything else is logged and refused.
    void setGain(double value);
    double getGain() const { return gain; }

    // Plays the effect again if it was playing (after the device was reacquired).
    void restore();

    // Takes the value of each of the effect's axes from values; an axis that
    // values lacks keeps its value, keys that are not axes are ignored.
    // Nothing is applied.
    void setAxisValues(const std::map<uint32_t, double>& values);

protected:
    ForceFeedbackEffect() = default;

    // Makes the platform effect of that kind on the device, over the axes
    // (sorted and made unique first), with the type-specific record. Returns
    // the platform's result; on failure there is no effect.
    DirectInput::HResult createEffect(DirectInput::Device& device, const DirectInput::Guid& kind,
                                      std::vector<uint32_t> axes, const void* typeSpecific,
                                      uint32_t typeSpecificSize);

    // SetParameters with the given record and flags, logging a failure.
    void setParameters(const DirectInput::EffectParameters& parameters, uint32_t flags);

    // The gain in platform units.
    uint32_t platformGain() const;

    // For effects pushing along the vector of axis values: its length in
    // platform units, capped at full scale.
    int32_t vectorMagnitude() const;
    // Applies such an effect: gain, the axis values as Cartesian direction and
    // the type-specific record.
    void applyDirected(const void* typeSpecific, uint32_t typeSpecificSize);

    std::map<uint32_t, double> axisValues;

private:
    void setAxes(std::vector<uint32_t>& axes);

    std::unique_ptr<DirectInput::Effect> effect;
    double gain = 1.0;
    bool playing = false;
};

#endif
