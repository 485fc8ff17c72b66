#ifndef VORLAN_PLATFORM_SESSION_RECORDINGCLIENT_H
#define VORLAN_PLATFORM_SESSION_RECORDINGCLIENT_H

#include "platform/npclient/NPClient.h"

namespace Session {
class Recorder;
}

namespace NPClient {

// Passes every call to the client it wraps and tells the recorder what it answered.
class RecordingClient final : public Client {
public:
    // inner must outlive this client.
    RecordingClient(Client& inner, Session::Recorder& recorder) : inner(inner), recorder(recorder) {}

    Location locate(std::string& folder) override;
    Result load(const std::string& folder) override;
    Result registerWindowHandle(void* window) override;
    Result unregisterWindowHandle() override;
    Result registerProgramProfileID(uint32_t id) override;
    Result queryVersion(uint16_t& version) override;
    Result requestData(uint16_t mask) override;
    Result getData(DataFrame& frame) override;
    Result startCursor() override;
    Result stopCursor() override;
    Result reCenter() override;
    Result startDataTransmission() override;
    Result stopDataTransmission() override;

private:
    Result noted(const char* call, Result result);

    Client& inner;
    Session::Recorder& recorder;
};

} // namespace NPClient

#endif
