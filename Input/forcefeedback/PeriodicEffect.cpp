#include "forcefeedback/PeriodicEffect.h"

#include "core/Log.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/ResultCodes.h"

#include <cmath>
#include <limits>

using namespace DirectInput;

namespace {

// The period in whole microseconds; periods beyond the 32-bit range (below
// about 0.00023 Hz) saturate.
uint32_t wholeMicroseconds(double period) {
    const double limit = std::numeric_limits<uint32_t>::max();
    return period >= limit ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(period);
}

} // namespace

PeriodicEffect::PeriodicEffect(Device& device, const std::vector<uint32_t>& axes) {
    const HResult result = createEffect(device, GUID_Square, axes, &periodic, sizeof(periodic));
    if (failed(result)) {
        Log() << "Cannot create periodic effect! " << errorDescription(result);
        throw Exception();
    }
}

void PeriodicEffect::setFrequency(double hertz) {
    if (!(hertz >= 0.0)) {
        Log() << "Frequency must be greater 0!";
        return;
    }
    period = hertz <= 0.000001 ? 0.0 : 1000000.0 / hertz;
}

void PeriodicEffect::applyParameters() {
    periodic.magnitude = static_cast<uint32_t>(vectorMagnitude());
    periodic.period = wholeMicroseconds(period);
    applyDirected(&periodic, sizeof(periodic));
}
