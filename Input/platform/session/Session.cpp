#include "platform/session/Session.h"

#include "platform/session/Recorder.h"
#include "platform/session/Replay.h"

namespace Session {

void beginFrame() {
    // The recording of a replay writes what the replay answered in the frame
    // that ends, before the replay moves on.
    if (Recorder* recorder = Recorder::active())
        recorder->endFrame();
    if (Replay* replay = Replay::active())
        replay->advance();
}

bool replayFinished() {
    const Replay* replay = Replay::active();
    return replay && replay->finished();
}

} // namespace Session
