#include "forcefeedback/ForceFeedbackEffect.h"

#include "core/Log.h"
#include "core/Scaling.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/ResultCodes.h"

#include <cmath>

using namespace DirectInput;

int32_t toPlatformUnits(double value) { return truncateToInt32(value * 10000.0); }

ForceFeedbackEffect::~ForceFeedbackEffect() {
    ForceFeedbackEffect::stop();
}

void ForceFeedbackEffect::play() {
    if (!effect)
        return;
    const HResult result = effect->start(1, 0);
    if (succeeded(result))
        playing = true;
    else
        Log() << "Input Error: Can't play effect: " << errorDescription(result);
}

void ForceFeedbackEffect::stop() {
    if (!effect)
        return;
    const HResult result = effect->stop();
    if (succeeded(result))
        playing = false;
    else
        Log() << "Input Error: Can't stop playing effect: " << errorDescription(result);
}

void ForceFeedbackEffect::setGain(double value) {
    if (!(value >= 0.0 && value <= 1.0)) {
        Log() << "Invalid gain value! Gain must be in range 0..1!";
        return;
    }
    gain = value;
    applyParameters();
}

void ForceFeedbackEffect::restore() {
    if (effect && playing)
        play();
}

void ForceFeedbackEffect::setAxisValues(const std::map<uint32_t, double>& values) {
    for (auto& [axis, value] : axisValues) {
        const auto given = values.find(axis);
        if (given != values.end())
            value = given->second;
    }
}

void ForceFeedbackEffect::setAxes(std::vector<uint32_t>& axes) {
    axisValues.clear();
    for (uint32_t axis : axes)
        axisValues[axis] = 0.0;
    axes.clear();
    for (const auto& entry : axisValues)
        axes.push_back(entry.first);
}

HResult ForceFeedbackEffect::createEffect(Device& device, const Guid& kind, std::vector<uint32_t> axes,
                                          const void* typeSpecific, uint32_t typeSpecificSize) {
    setAxes(axes);
    const std::vector<int32_t> directions(axes.size(), 0);

    EffectParameters parameters;
    parameters.size = EffectParametersSize;
    parameters.flags = DIEFF_CARTESIAN | DIEFF_OBJECTOFFSETS;
    parameters.duration = INFINITE;
    parameters.gain = DI_FFNOMINALMAX;
    parameters.triggerButton = DIEB_NOTRIGGER;
    parameters.axisCount = static_cast<uint32_t>(axes.size());
    parameters.axes = axes.data();
    parameters.directions = directions.data();
    parameters.typeSpecificSize = typeSpecificSize;
    parameters.typeSpecificParams = typeSpecific;
    return device.createEffect(kind, parameters, effect);
}

void ForceFeedbackEffect::setParameters(const EffectParameters& parameters, uint32_t flags) {
    const HResult result = effect->setParameters(parameters, flags);
    if (failed(result))
        Log() << "Cannot set effect parameters! " << errorDescription(result);
}

uint32_t ForceFeedbackEffect::platformGain() const {
    return static_cast<uint32_t>(toPlatformUnits(gain));
}

int32_t ForceFeedbackEffect::vectorMagnitude() const {
    double squares = 0.0;
    for (const auto& entry : axisValues)
        squares += entry.second * entry.second;
    const double length = std::sqrt(squares);
    return length > 1.0 ? static_cast<int32_t>(DI_FFNOMINALMAX) : toPlatformUnits(length);
}

void ForceFeedbackEffect::applyDirected(const void* typeSpecific, uint32_t typeSpecificSize) {
    std::vector<int32_t> directions;
    for (const auto& entry : axisValues)
        directions.push_back(toPlatformUnits(entry.second));

    EffectParameters parameters;
    parameters.size = EffectParametersSize;
    parameters.flags = DIEFF_CARTESIAN | DIEFF_OBJECTOFFSETS;
    parameters.gain = platformGain();
    parameters.axisCount = static_cast<uint32_t>(directions.size());
    parameters.directions = directions.data();
    parameters.typeSpecificSize = typeSpecificSize;
    parameters.typeSpecificParams = typeSpecific;
    setParameters(parameters, DIEP_TYPESPECIFICPARAMS | DIEP_DIRECTION | DIEP_GAIN);
}
