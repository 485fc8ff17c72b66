#ifndef VORLAN_PLATFORM_SESSION_REPLAY_H
#define VORLAN_PLATFORM_SESSION_REPLAY_H

#include "platform/directinput/JoystickState.h"
#include "platform/session/SessionData.h"
#include "platform/session/SessionReader.h"

#include <array>

#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace Session {

// A session being replayed: what the devices, the head tracker and the tick
// clock answer in the current frame, frame 0 until the first begins. Before
// the first frame and after the last, fetches succeed with no records. The
// frames are read as the replay comes to them, one line ahead, so that a
// session of any length takes the same memory.
class Replay {
public:
    // reader has read the session's head.
    explicit Replay(SessionReader reader);
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

    // Moves to the next frame.
    void advance();
    // Whether the session's last frame has begun (true at once for a session without frames).
    bool finished() const;

    const std::vector<DeclaredDevice>& devices() const { return reader.head().devices; }
    const std::optional<TrackerSetup>& tracker() const { return reader.head().tracker; }
    // The index in devices() of the device with that instance GUID.
    std::optional<size_t> find(const DirectInput::Guid& instance) const;

    // Poll's result for device (an index into devices()) in this frame.
    DirectInput::HResult poll(size_t device) const;
    // GetDeviceData for device: this frame's result and, on success, up to
    // count of its waiting records; count is set to the number copied.
    DirectInput::HResult fetch(size_t device, DirectInput::DeviceObjectData* records, uint32_t& count);
    // GetDeviceState for device in the joystick format: this frame's state,
    // else the device at rest with its axes where its last records put them.
    DirectInput::HResult state(size_t device, uint8_t* state) const;
    // NP_GetData: this frame's result and, on success, the tracker's frame.
    NPClient::Result trackerData(NPClient::DataFrame& frame) const;
    // The tick count: this frame's readings in turn, then the last one again.
    uint32_t ticks();

private:
    using State = std::array<uint8_t, DirectInput::JoystickStateSize>;

    // Makes the current frame's line, if it has one, the answer.
    void enter();
    const Fetch* currentFetch(size_t device) const;

    SessionReader reader;
    uint32_t current = 0;           // number of the current frame; 0 before the first
    Frame upcoming;                 // the next frame's line, when hasUpcoming
    bool hasUpcoming = false;       // false once the session (or a fault in it) has ended
    Frame line;                     // the current frame's line, when inLine
    bool inLine = false;
    std::map<DirectInput::Guid, size_t> indexes;  // by instance GUID
    std::vector<std::deque<DirectInput::DeviceObjectData>> waiting;  // per device
    std::vector<uint32_t> sequence;  // per device: the last sequence number given
    std::vector<State> rest;         // per device: at rest, axes as last replayed
    TrackerReading reading;
    uint32_t tickCount = 0;
    size_t tickReadings = 0;         // of the current frame's
};

} // namespace Session

#endif
