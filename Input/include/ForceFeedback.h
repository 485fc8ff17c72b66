#ifndef VORLAN_FORCEFEEDBACK_H
#define VORLAN_FORCEFEEDBACK_H

#include "VorlanExport.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace DirectInput {
class Device;
}
class ConditionEffect;
class ConstantForceEffect;
class PeriodicEffect;

// The force feedback of one game controller: at most one spring, one constant
// force and one periodic shake, and whether the spring's two axes are
// exchanged. An operation on an effect that does not exist does nothing, and
// its gain reads 0.0. Effects start only when played (or restored).
class VORLAN_API ForceFeedback {
public:
    // Axis values by axis (the device's data offset: 0 for X, 4 for Y), each
    // in -1..1: together the direction, their length (capped at 1) the strength.
    using AxisValues = std::map<uint32_t, double>;

    ForceFeedback();
    // Stops and releases every effect.
    ~ForceFeedback();
    ForceFeedback(const ForceFeedback&) = delete;
    ForceFeedback& operator=(const ForceFeedback&) = delete;

    bool hasConditionEffect() const;
    bool hasConstantForceEffect() const;
    bool hasPeriodicEffect() const;

    // Each replaces the existing effect of its kind (stopped and released
    // first) by a new one on the device over the axes (data offsets). If the
    // device refuses it, the effect is absent afterwards. The device must
    // outlive the controller's effects.
    void createConditionEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes);
    void createConstantForceEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes);
    void createPeriodicEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes);

    // Gains in 0..1, applied at once; other values are logged and refused.
    void setConditionEffectGain(double gain);
    void setConstantForceEffectGain(double gain);
    void setPeriodicEffectGain(double gain);
    double getConditionEffectGain() const;
    double getConstantForceEffectGain() const;
    double getPeriodicEffectGain() const;

    // Spring centre (-1..1) and strength (0..1) per axis; a refused pair keeps
    // its old values, and the spring is applied in any case.
    void setConditionEffect(double offsetX, double offsetY, double magnitudeX, double magnitudeY);
    // Takes the values of the effect's axes (an axis missing from values keeps
    // its value) and applies them.
    void setConstantForceEffect(const AxisValues& values);
    // The same with the shake's frequency in hertz.
    void setPeriodicEffect(const AxisValues& values, double frequency);

    void playConditionEffect();
    void playConstantForceEffect();
    void playPeriodicEffect();
    void stopConditionEffect();
    void stopConstantForceEffect();
    void stopPeriodicEffect();

    // Starts again every effect that was playing: spring, constant force, shake.
    void restore();

    // Exchanges the spring's axes (kept for springs created later) and
    // re-applies an existing spring.
    void setSwapAxes(bool swap);
    bool getSwapAxes() const { return swapAxes; }

private:
    std::unique_ptr<ConditionEffect> conditionEffect;
    std::unique_ptr<ConstantForceEffect> constantForceEffect;
    std::unique_ptr<PeriodicEffect> periodicEffect;
    bool swapAxes = false;
};

#endif
