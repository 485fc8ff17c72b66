#include "forcefeedback/ConditionEffect.h"

#include "core/Log.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/ResultCodes.h"

#include <algorithm>
#include <set>

using namespace DirectInput;

ConditionEffect::ConditionEffect(Device& device, const std::vector<uint32_t>& axes, bool swapAxes)
    : swapAxes(swapAxes) {
    initConditions();
    const std::set<uint32_t> distinct(axes.begin(), axes.end());
    conditionCount = std::min<size_t>(distinct.size(), 2);
    const HResult result = createEffect(device, GUID_Spring, axes, conditions, conditionsSize());
    if (failed(result)) {
        Log() << "Cannot create condition effect! " << errorDescription(result);
        throw Exception();
    }
}

void ConditionEffect::initConditions() {
    Log() << "ConditionEffect::initConditions";
    for (Condition& condition : conditions) {
        condition = Condition();
        condition.positiveSaturation = DI_FFNOMINALMAX;
        condition.negativeSaturation = DI_FFNOMINALMAX;
    }
}

uint32_t ConditionEffect::conditionsSize() const {
    return static_cast<uint32_t>(conditionCount * sizeof(Condition));
}

void ConditionEffect::setOffsets(double x, double y) {
    if (!(x >= -1.0 && x <= 1.0 && y >= -1.0 && y <= 1.0)) {
        Log() << "Invalid offset values in ConditionEffect!";
        return;
    }
    offsetX = x;
    offsetY = y;
}

void ConditionEffect::setMagnitudes(double x, double y) {
    if (!(x >= 0.0 && x <= 1.0 && y >= 0.0 && y <= 1.0)) {
        Log() << "Invalid magnitude values in ConditionEffect!";
        return;
    }
    magnitudeX = x;
    magnitudeY = y;
}

// With the axes swapped the second axis takes the negated X offset: the
// centre turns a quarter, it is not mirrored.
void ConditionEffect::applyParameters() {
    const int32_t first = toPlatformUnits(swapAxes ? magnitudeY : magnitudeX);
    const int32_t second = toPlatformUnits(swapAxes ? magnitudeX : magnitudeY);
    conditions[0].positiveCoefficient = conditions[0].negativeCoefficient = first;
    conditions[1].positiveCoefficient = conditions[1].negativeCoefficient = second;
    conditions[0].offset = toPlatformUnits(swapAxes ? offsetY : offsetX);
    conditions[1].offset = toPlatformUnits(swapAxes ? -offsetX : offsetY);

    EffectParameters parameters;
    parameters.size = EffectParametersSize;
    parameters.gain = platformGain();
    parameters.typeSpecificSize = conditionsSize();
    parameters.typeSpecificParams = conditions;
    setParameters(parameters, DIEP_TYPESPECIFICPARAMS | DIEP_GAIN);
}
