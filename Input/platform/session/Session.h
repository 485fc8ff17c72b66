#ifndef VORLAN_PLATFORM_SESSION_SESSION_H
#define VORLAN_PLATFORM_SESSION_SESSION_H

// Recording and replaying sessions (docs/session-format.md). DirectInput::create()
// starts them when the environment asks for it (VORLAN_RECORD, VORLAN_REPLAY);
// they last as long as the System it made.
namespace Session {

// Called by the facade at the start of every frame: a recording writes the
// frame before, a replay moves to its next frame. Does nothing when neither
// is running.
void beginFrame();

// Whether a running replay has begun its last frame, so that the frames to
// come would bring nothing; false when no replay runs.
bool replayFinished();

} // namespace Session

#endif
