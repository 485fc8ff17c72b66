#include "platform/session/RecordingClient.h"

#include "platform/session/Recorder.h"

namespace NPClient {

Result RecordingClient::noted(const char* call, Result result) {
    recorder.trackerCall(call, result);
    return result;
}

Location RecordingClient::locate(std::string& folder) {
    const Location location = inner.locate(folder);
    recorder.located(location, folder);
    return location;
}

Result RecordingClient::load(const std::string& folder) { return noted("load", inner.load(folder)); }

Result RecordingClient::registerWindowHandle(void* window) {
    return noted("registerWindowHandle", inner.registerWindowHandle(window));
}

Result RecordingClient::unregisterWindowHandle() {
    return noted("unregisterWindowHandle", inner.unregisterWindowHandle());
}

Result RecordingClient::registerProgramProfileID(uint32_t id) {
    return noted("registerProgramProfileID", inner.registerProgramProfileID(id));
}

Result RecordingClient::queryVersion(uint16_t& version) {
    const Result result = noted("queryVersion", inner.queryVersion(version));
    if (result == Success)
        recorder.versionQueried(version);
    return result;
}

Result RecordingClient::requestData(uint16_t mask) { return noted("requestData", inner.requestData(mask)); }

Result RecordingClient::getData(DataFrame& frame) {
    const Result result = inner.getData(frame);
    recorder.trackerData(result, frame);
    return result;
}

Result RecordingClient::startCursor() { return noted("startCursor", inner.startCursor()); }
Result RecordingClient::stopCursor() { return noted("stopCursor", inner.stopCursor()); }
Result RecordingClient::reCenter() { return noted("reCenter", inner.reCenter()); }

Result RecordingClient::startDataTransmission() {
    return noted("startDataTransmission", inner.startDataTransmission());
}

Result RecordingClient::stopDataTransmission() {
    return noted("stopDataTransmission", inner.stopDataTransmission());
}

} // namespace NPClient
