#include "devices/TrackIR.h"

#include "core/Scaling.h"

#include <limits>

namespace {

enum Code : int32_t { Pitch = 3073, Yaw, Roll, X, Y, Z };

// Asks for the six values read below: bits 0, 1, 2, 4, 5 and 6.
constexpr uint16_t requestMask = 0x77;

// The host program's profile identifier as the client library knows it.
constexpr uint32_t programProfileID = 1;

// A reading of +-16383 becomes the axis maximum +-1073741823.
const double scale = 1073741823.0 * unitsToAxisScale;

int32_t axisValue(float reading) { return truncateToInt32(reading * scale); }

int32_t negated(int32_t value) {
    return value == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max() : -value;
}

} // namespace

TrackIR::TrackIR(Platform::Context& platform, void* window, const std::string& name)
    : platform(platform), name(name) {
    NPClient::Client& client = platform.headTracker();
    std::string folder;
    switch (client.locate(folder)) {
    case NPClient::Location::KeyMissing:
        throw Exception("TrackIR dll location key is not presented!");
    case NPClient::Location::ValueUnreadable:
        throw Exception("Error reading TrackIR dll location key!");
    case NPClient::Location::Found:
        break;
    }
    if (client.load(folder) != NPClient::Success)
        throw Exception("TrackIR: Error initializing NPClient interface!");
    if (client.registerWindowHandle(window) != NPClient::Success)
        throw Exception("TrackIR: Error registering window handle!");
    uint16_t version = 0;
    if (client.queryVersion(version) != NPClient::Success)
        throw Exception("TrackIR : Error querying NaturalPoint software version!");
    client.requestData(requestMask);
    client.registerProgramProfileID(programProfileID);
    client.stopCursor();
    client.startDataTransmission();
}

TrackIR::~TrackIR() {
    NPClient::Client& client = platform.headTracker();
    client.stopDataTransmission();
    client.unregisterWindowHandle();
}

const std::string& TrackIR::getName() const { return name; }

void TrackIR::collect(DeviceEventList& list) {
    NPClient::DataFrame frame;
    if (platform.headTracker().getData(frame) != NPClient::Success || frame.status != 0 ||
        frame.frameSignature == lastFrame)
        return;
    lastFrame = frame.frameSignature;

    const uint32_t time = platform.ticks();
    const auto add = [&](int32_t code, int32_t value) { addEvent(list, DeviceEvent{code, value, true, time, 0}); };
    add(Pitch, axisValue(frame.pitch));
    add(Yaw, negated(axisValue(frame.yaw)));
    add(Roll, axisValue(frame.roll));
    add(X, axisValue(frame.x));
    add(Y, axisValue(frame.y));
    add(Z, axisValue(frame.z));
}

void TrackIR::getKeysAxes(std::vector<int>& /*keys*/, std::vector<int>& axes) const {
    axes.insert(axes.end(), {Pitch, Yaw, Roll, X, Y, Z});
}
