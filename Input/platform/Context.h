#ifndef VORLAN_PLATFORM_CONTEXT_H
#define VORLAN_PLATFORM_CONTEXT_H

#include "platform/directinput/System.h"
#include "platform/npclient/NPClient.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace Platform {

// What the platform supplies to the layers above, all from one backend: the
// platform's own, a test's, a replayed session, or a recorder around one of
// them. One is made when the library is initialised and lives until it is
// uninitialised; the devices reach the platform only through it. Everything
// made through it (devices, the head tracker's set-up) must be released before
// it dies.
class Context {
public:
    virtual ~Context() = default;
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    // The DirectInput object that DirectInput8Create gave.
    virtual DirectInput::System& directInput() = 0;
    // The head tracker's client library, not yet located nor loaded.
    virtual NPClient::Client& headTracker() = 0;
    // The tick count that stamps head-tracker readings: milliseconds, wrapping after 2^32.
    virtual uint32_t ticks() = 0;
    // The frame boundary: the facade calls it at the start of every frame,
    // before any device is read.
    virtual void beginFrame() = 0;
    // Whether a replayed session has begun its last frame, so that the frames
    // to come would bring nothing; false for live devices.
    virtual bool replayFinished() const = 0;
    // Ends a recorded session: its last frame is written, then nothing more.
    // Nothing to do when nothing is recorded.
    virtual void finishRecording() {}
    // Why the recorded session is incomplete (a write that failed, with the
    // system's reason); empty while it is whole or when nothing is recorded.
    virtual const std::string& recordingFailure() const {
        static const std::string none;
        return none;
    }

protected:
    Context() = default;
};

// Makes a context: DirectInput8Create and what comes with it. On success
// context holds the new one; on failure it stays empty, the result is the
// failure code, and failure may hold one line saying why (empty: the code's
// description says it).
using ContextMaker = std::function<DirectInput::HResult(std::unique_ptr<Context>& context, std::string& failure)>;

} // namespace Platform

#endif
