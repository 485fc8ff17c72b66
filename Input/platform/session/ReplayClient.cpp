#include "platform/session/ReplayClient.h"

#include "platform/session/Replay.h"

namespace NPClient {

Result ReplayClient::setUp(const char* call) const {
    if (!replay.tracker())
        return NotAvailable;
    const auto& results = replay.tracker()->results;
    const auto found = results.find(call);
    return found == results.end() ? Success : found->second;
}

Location ReplayClient::locate(std::string& folder) {
    if (!replay.tracker())
        return Location::KeyMissing;
    if (replay.tracker()->location == Location::Found)
        folder = replay.tracker()->folder;
    return replay.tracker()->location;
}

Result ReplayClient::load(const std::string& /*folder*/) { return setUp("load"); }
Result ReplayClient::registerWindowHandle(void* /*window*/) { return setUp("registerWindowHandle"); }
Result ReplayClient::unregisterWindowHandle() { return setUp("unregisterWindowHandle"); }
Result ReplayClient::registerProgramProfileID(uint32_t /*id*/) { return setUp("registerProgramProfileID"); }

Result ReplayClient::queryVersion(uint16_t& version) {
    const Result result = setUp("queryVersion");
    if (result == Success)
        version = replay.tracker()->version;
    return result;
}

Result ReplayClient::requestData(uint16_t /*mask*/) { return setUp("requestData"); }

Result ReplayClient::getData(DataFrame& frame) {
    return replay.tracker() ? replay.trackerData(frame) : NotAvailable;
}

Result ReplayClient::startCursor() { return setUp("startCursor"); }
Result ReplayClient::stopCursor() { return setUp("stopCursor"); }
Result ReplayClient::reCenter() { return setUp("reCenter"); }
Result ReplayClient::startDataTransmission() { return setUp("startDataTransmission"); }
Result ReplayClient::stopDataTransmission() { return setUp("stopDataTransmission"); }

} // namespace NPClient
