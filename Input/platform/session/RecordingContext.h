#ifndef VORLAN_PLATFORM_SESSION_RECORDINGCONTEXT_H
#define VORLAN_PLATFORM_SESSION_RECORDINGCONTEXT_H

#include "platform/Context.h"
#include "platform/session/Recorder.h"
#include "platform/session/RecordingClient.h"

#include <memory>

namespace Session {

// Another context as it is, its answers recorded: DirectInput, the head
// tracker and the clock pass every call through to it and tell the recorder
// what it answered. A frame boundary first ends the recorder's frame, so that
// the frame that ends is written with what the inner context answered in it,
// then passes on. The file is finished by finishRecording, or when this
// context dies.
class RecordingContext final : public Platform::Context {
public:
    RecordingContext(std::unique_ptr<Platform::Context> inner, Writer writer);

    DirectInput::System& directInput() override { return *system; }
    NPClient::Client& headTracker() override { return client; }
    uint32_t ticks() override;
    void beginFrame() override;
    bool replayFinished() const override { return inner->replayFinished(); }
    void finishRecording() override { recorder.finish(); }
    const std::string& recordingFailure() const override { return recorder.failure(); }

private:
    std::unique_ptr<Platform::Context> inner;
    Recorder recorder;
    NPClient::RecordingClient client;
    std::unique_ptr<DirectInput::System> system;
};

} // namespace Session

#endif
