#ifndef VORLAN_PLATFORM_SESSION_SESSIONDATA_H
#define VORLAN_PLATFORM_SESSION_SESSIONDATA_H

#include "platform/directinput/Records.h"
#include "platform/npclient/NPClient.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What a session file holds (docs/session-format.md), as the reader gives it
// and the recorder collects it.
namespace Session {

// One DirectInput device of the session.
struct DeclaredDevice {
    std::string id;  // the device's id in the file
    DirectInput::DeviceInstance instance;
    DirectInput::DeviceCaps caps;  // size 0: the caller's stays
    std::vector<DirectInput::ObjectInstance> objects;
    DirectInput::HResult create = 0;  // what CreateDevice answers
};

// The head tracker's set-up: where its client was found and the fixed results
// of its set-up calls, by call name ("load", "queryVersion", ...).
struct TrackerSetup {
    NPClient::Location location = NPClient::Location::Found;
    std::string folder;
    uint16_t version = 0;
    std::map<std::string, NPClient::Result> results;
};

// What NP_GetData gave in a frame; frame is complete (the reader fills in what
// a line leaves out from the frame before).
struct TrackerReading {
    NPClient::Result result = NPClient::Success;
    NPClient::DataFrame frame;
};

// What GetDeviceState answered in the joystick format: its result and, on
// success, the values that differ from a joystick at rest, by offset (a byte
// for a button, 32 bits for the rest).
struct DeviceState {
    DirectInput::HResult result = 0;
    std::map<uint32_t, uint32_t> values;
};

// What one device answered in a frame: its fetch and its state.
struct Fetch {
    DirectInput::HResult poll = 0;
    DirectInput::HResult result = 0;
    std::vector<DirectInput::DeviceObjectData> records;
    std::optional<DeviceState> state;
};

// One frame: what happened in it, everything else as before or as usual.
struct Frame {
    uint32_t number = 0;                 // from 1; 0 is the set-up before the first
    std::map<size_t, Fetch> fetches;     // by index into Data::devices
    std::optional<TrackerReading> tracker;
    std::vector<uint32_t> ticks;         // the clock's readings in order; the last one stays
};

// What comes before the frames.
struct Head {
    std::vector<DeclaredDevice> devices;
    std::optional<TrackerSetup> tracker;  // none: no head tracker installed
};

struct Data : Head {
    std::vector<Frame> frames;  // ascending numbers, empty frames left out
};

// The first line of every session: what the file is and its format version.
inline constexpr const char* FormatName = "vorlan-session";
inline constexpr int FormatVersion = 2;

// The highest frame number a session may have: about 77 hours at 60 frames a
// second. A replay runs every frame up to its last, so a larger number in a
// few bytes would keep a host busy for days.
inline constexpr uint32_t MaxFrame = 1 << 24;

// Lines longer than this are refused.
inline constexpr size_t MaxLineLength = 1 << 20;

} // namespace Session

#endif
