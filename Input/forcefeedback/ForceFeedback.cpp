#include "ForceFeedback.h"

#include "core/Log.h"
#include "forcefeedback/ConditionEffect.h"
#include "forcefeedback/ConstantForceEffect.h"
#include "forcefeedback/PeriodicEffect.h"

#include <utility>

namespace {

// Replaces effect by a new one made with arguments; a refused one leaves it empty.
template <class Effect, class... Arguments>
void replace(std::unique_ptr<Effect>& effect, Arguments&&... arguments) {
    effect.reset();
    try {
        effect = std::make_unique<Effect>(std::forward<Arguments>(arguments)...);
    } catch (const typename Effect::Exception&) {
        // Logged by the effect; the controller goes on without it.
    }
}

template <class Effect>
double gainOf(const std::unique_ptr<Effect>& effect) {
    return effect ? effect->getGain() : 0.0;
}

} // namespace

ForceFeedback::ForceFeedback() = default;
ForceFeedback::~ForceFeedback() = default;

bool ForceFeedback::hasConditionEffect() const { return conditionEffect != nullptr; }
bool ForceFeedback::hasConstantForceEffect() const { return constantForceEffect != nullptr; }
bool ForceFeedback::hasPeriodicEffect() const { return periodicEffect != nullptr; }

void ForceFeedback::createConditionEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes) {
    replace(conditionEffect, device, axes, swapAxes);
}

void ForceFeedback::createConstantForceEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes) {
    replace(constantForceEffect, device, axes);
}

void ForceFeedback::createPeriodicEffect(DirectInput::Device& device, const std::vector<uint32_t>& axes) {
    replace(periodicEffect, device, axes);
}

void ForceFeedback::setConditionEffectGain(double gain) {
    if (conditionEffect)
        conditionEffect->setGain(gain);
}

void ForceFeedback::setConstantForceEffectGain(double gain) {
    if (constantForceEffect)
        constantForceEffect->setGain(gain);
}

void ForceFeedback::setPeriodicEffectGain(double gain) {
    if (periodicEffect)
        periodicEffect->setGain(gain);
}

double ForceFeedback::getConditionEffectGain() const { return gainOf(conditionEffect); }
double ForceFeedback::getConstantForceEffectGain() const { return gainOf(constantForceEffect); }
double ForceFeedback::getPeriodicEffectGain() const { return gainOf(periodicEffect); }

void ForceFeedback::setConditionEffect(double offsetX, double offsetY, double magnitudeX, double magnitudeY) {
    if (!conditionEffect)
        return;
    conditionEffect->setOffsets(offsetX, offsetY);
    conditionEffect->setMagnitudes(magnitudeX, magnitudeY);
    conditionEffect->applyParameters();
}

void ForceFeedback::setConstantForceEffect(const AxisValues& values) {
    if (!constantForceEffect)
        return;
    constantForceEffect->setAxisValues(values);
    constantForceEffect->applyParameters();
}

void ForceFeedback::setPeriodicEffect(const AxisValues& values, double frequency) {
    if (!periodicEffect)
        return;
    periodicEffect->setAxisValues(values);
    periodicEffect->setFrequency(frequency);
    periodicEffect->applyParameters();
}

void ForceFeedback::playConditionEffect() {
    if (conditionEffect)
        conditionEffect->play();
}

void ForceFeedback::playConstantForceEffect() {
    if (constantForceEffect)
        constantForceEffect->play();
}

void ForceFeedback::playPeriodicEffect() {
    if (periodicEffect)
        periodicEffect->play();
}

void ForceFeedback::stopConditionEffect() {
    if (conditionEffect)
        conditionEffect->stop();
}

void ForceFeedback::stopConstantForceEffect() {
    if (constantForceEffect)
        constantForceEffect->stop();
}

void ForceFeedback::stopPeriodicEffect() {
    if (periodicEffect)
        periodicEffect->stop();
}

void ForceFeedback::restore() {
    if (conditionEffect)
        conditionEffect->restore();
    if (constantForceEffect)
        constantForceEffect->restore();
    if (periodicEffect)
        periodicEffect->restore();
}

void ForceFeedback::setSwapAxes(bool swap) {
    Log() << "SetSwapAxes " << swap;
    swapAxes = swap;
    if (conditionEffect) {
        conditionEffect->setSwapAxes(swap);
        conditionEffect->applyParameters();
    }
}
