#ifndef VORLAN_PLATFORM_SESSION_REPLAYCLIENT_H
#define VORLAN_PLATFORM_SESSION_REPLAYCLIENT_H

#include "platform/npclient/NPClient.h"

namespace Session {
class Replay;
}

namespace NPClient {

// The head-tracker client of a replayed session. Without a head tracker in
// the session, locate() finds no location and every call is NotAvailable;
// with one, set-up calls answer the session's fixed results (Success unless
// it says otherwise) and getData answers the current frame's reading.
class ReplayClient final : public Client {
public:
    explicit ReplayClient(const Session::Replay& replay) : replay(replay) {}

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
    // The session's result for the set-up call of that name.
    Result setUp(const char* call) const;

    const Session::Replay& replay;
};

} // namespace NPClient

#endif
