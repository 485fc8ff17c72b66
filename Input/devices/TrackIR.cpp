#include "devices/TrackIR.h"

#include "Vorlan.h"
#include "core/CodeSpace.h"
#include "core/Scaling.h"

#include <limits>

namespace {

// The code of a tracker axis.
constexpr int32_t code(CodeSpace::TrackerAxis axis) { return static_cast<int32_t>(CodeSpace::trackerBlock + axis); }

// Asks for the six values read below: bits 0, 1, 2, 4, 5 and 6.
constexpr uint16_t requestMask = 0x77;

// The host program's profile identifier as the client library knows it.
constexpr uint32_t programProfileID = 1;

// A reading of +-16383 becomes the axis maximum.
const double scale = Vorlan::getAxesValueMax() * unitsToAxisScale;

int32_t axisValue(float reading) { return truncateToInt32(reading * scale); }

int32_t negated(int32_t value) {
    return value == std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::max() : -value;
}

} // namespace

TrackIR::TrackIR(Platform::Context& platform, void* window, const std::string& name)
    : InputDevice(name), platform(platform) {
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
    if (client.queryVersion(version) != NPClient::Success) {
        client.unregisterWindowHandle();  // no tracker is left to do it
        throw Exception("TrackIR : Error querying NaturalPoint software version!");
    }
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

int TrackIR::getType() const { return Vorlan::TrackIR; }

void TrackIR::collect(DeviceEventList& list) {
    NPClient::DataFrame frame;
    if (platform.headTracker().getData(frame) != NPClient::Success || frame.status != 0 ||
        frame.frameSignature == lastFrame)
        return;
    lastFrame = frame.frameSignature;

    const uint32_t time = platform.ticks();
    using namespace CodeSpace;
    DeviceEventList run;
    run.reserve(6);
    const auto add = [&](TrackerAxis axis, int32_t value) {
        run.push_back(DeviceEvent{code(axis), value, true, time, trackerDevice});
    };
    add(trackerPitch, axisValue(frame.pitch));
    add(trackerYaw, negated(axisValue(frame.yaw)));
    add(trackerRoll, axisValue(frame.roll));
    add(trackerX, axisValue(frame.x));
    add(trackerY, axisValue(frame.y));
    add(trackerZ, axisValue(frame.z));
    addEvents(list, std::move(run));
}

void TrackIR::getKeysAxes(std::vector<int>& /*keys*/, std::vector<int>& axes) {
    using namespace CodeSpace;
    for (TrackerAxis axis : {trackerPitch, trackerYaw, trackerRoll, trackerX, trackerY, trackerZ})
        axes.push_back(code(axis));
}
