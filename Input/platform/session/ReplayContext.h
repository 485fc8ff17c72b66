#ifndef VORLAN_PLATFORM_SESSION_REPLAYCONTEXT_H
#define VORLAN_PLATFORM_SESSION_REPLAYCONTEXT_H

#include "platform/Context.h"
#include "platform/session/Replay.h"
#include "platform/session/ReplayClient.h"

#include <memory>

namespace Session {

// A replayed session as the platform: its devices, its head tracker and its
// clock; every frame boundary moves the replay to its next frame.
class ReplayContext final : public Platform::Context {
public:
    // reader has read the session's head.
    explicit ReplayContext(SessionReader reader);

    DirectInput::System& directInput() override { return *system; }
    NPClient::Client& headTracker() override { return client; }
    uint32_t ticks() override { return replay.ticks(); }
    void beginFrame() override { replay.advance(); }
    bool replayFinished() const override { return replay.finished(); }

private:
    Replay replay;
    NPClient::ReplayClient client;
    std::unique_ptr<DirectInput::System> system;
};

} // namespace Session

#endif
