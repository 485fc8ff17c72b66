#include "platform/session/Recorder.h"

#include "platform/directinput/DeviceClass.h"
#include "platform/directinput/JoystickState.h"

#include <cstring>

namespace Session {

namespace {

// A readable id for a device of that type word: its kind.
const char* kindOf(uint32_t devType) {
    switch (DirectInput::deviceClass(devType)) {
    case DirectInput::DeviceClass::Keyboard:
        return "keyboard";
    case DirectInput::DeviceClass::Mouse:
        return "mouse";
    case DirectInput::DeviceClass::Joystick:
        return "joystick";
    default:
        return "device";
    }
}

// Whether the library would read the same from both frames.
bool sameReading(const NPClient::DataFrame& a, const NPClient::DataFrame& b) {
    const float first[] = {a.roll, a.pitch, a.yaw, a.x, a.y, a.z};
    const float second[] = {b.roll, b.pitch, b.yaw, b.x, b.y, b.z};
    return a.status == b.status && a.frameSignature == b.frameSignature &&
           std::memcmp(first, second, sizeof first) == 0;
}

} // namespace

Recorder::Recorder(Writer writer) : writer(std::move(writer)) {}

Recorder::~Recorder() { finish(); }

void Recorder::finish() {
    if (finished)
        return;
    finished = true;
    if (frame == 0)
        writeDeclarations();
    writeFrame(frame != 0);
}

void Recorder::endFrame() {
    if (finished)
        return;
    if (frame == 0)
        writeDeclarations();
    writeFrame(false);
    ++frame;
    deviceFrames.clear();
    reading.reset();
    ticks.clear();
}

void Recorder::writeDeclarations() {
    writer.header();
    for (const DeclaredDevice& device : devices)
        writer.device(device);
    declaredInFile = devices.size();
    if (tracker)
        writer.tracker(*tracker);
    trackerInFile = tracker.has_value();
}

void Recorder::writeFrame(bool evenEmpty) {
    Frame line;
    line.number = frame;
    for (const auto& [device, answered] : deviceFrames) {
        const Fetch& fetch = answered.fetch;
        if (device < declaredInFile && (fetch.poll != 0 || fetch.result != 0 || !fetch.records.empty() || fetch.state))
            line.fetches[device] = fetch;
    }
    if (reading && trackerInFile &&
        (reading->result != NPClient::Success || !sameReading(reading->frame, delivered.frame))) {
        line.tracker = *reading;
        if (reading->result == NPClient::Success)
            delivered = *reading;
    }
    line.ticks = ticks;
    if (evenEmpty || !line.fetches.empty() || line.tracker || !line.ticks.empty())
        writer.frame(line, devices);
}

std::optional<size_t> Recorder::find(const DirectInput::Guid& instance) const {
    const auto found = indexes.find(instance);
    return found == indexes.end() ? std::nullopt : std::optional<size_t>(found->second);
}

size_t Recorder::declare(const DirectInput::DeviceInstance& instance) {
    if (const std::optional<size_t> known = find(instance.guidInstance))
        return *known;
    DeclaredDevice device;
    // The kind, then the kind numbered from 2: "joystick", "joystick2", ...
    const std::string kind = kindOf(instance.devType);
    const size_t earlier = kindCounts[kind]++;
    device.id = earlier == 0 ? kind : kind + std::to_string(earlier + 1);
    indexes[instance.guidInstance] = devices.size();
    device.instance = instance;
    device.caps.devType = instance.devType;
    devices.push_back(std::move(device));
    describedDevices.push_back(false);
    return devices.size() - 1;
}

void Recorder::created(size_t device, DirectInput::HResult result) {
    if (frame == 0)
        devices[device].create = result;
}

bool Recorder::described(size_t device) const { return describedDevices[device]; }

void Recorder::describe(size_t device, const DirectInput::DeviceCaps& caps,
                        std::vector<DirectInput::ObjectInstance> objects) {
    devices[device].caps = caps;
    devices[device].caps.size = 0;
    devices[device].objects = std::move(objects);
    describedDevices[device] = true;
}

void Recorder::polled(size_t device, DirectInput::HResult result) {
    DeviceFrame& answered = deviceFrames[device];
    if (!answered.polled) {
        answered.polled = true;
        answered.fetch.poll = result;
    }
}

void Recorder::fetched(size_t device, DirectInput::HResult result, const DirectInput::DeviceObjectData* records,
                       uint32_t count) {
    DeviceFrame& answered = deviceFrames[device];
    if (!answered.fetched) {
        answered.fetched = true;
        answered.fetch.result = result;
    }
    // A session delivers records only through successful calls.
    if (DirectInput::succeeded(result) && DirectInput::succeeded(answered.fetch.result) &&
        DirectInput::succeeded(answered.fetch.poll))
        answered.fetch.records.insert(answered.fetch.records.end(), records, records + count);
}

void Recorder::stateRead(size_t device, DirectInput::HResult result, const uint8_t* state) {
    using namespace DirectInput;
    Fetch& answered = deviceFrames[device].fetch;
    if (answered.state)
        return;
    DeviceState& read = answered.state.emplace();
    read.result = result;
    if (failed(result))
        return;
    uint8_t rest[JoystickStateSize];
    restState(rest);
    for (uint32_t offset = 0; offset < JoystickStateSize; ++offset) {
        const JoystickField field = joystickField(offset);
        if (field == JoystickField::Button && state[offset] != 0)
            read.values[offset] = state[offset];
        else if (field != JoystickField::None && field != JoystickField::Button &&
                 stateWord(state, offset) != stateWord(rest, offset))
            read.values[offset] = stateWord(state, offset);
    }
}

void Recorder::located(NPClient::Location location, const std::string& folder) {
    if (location == NPClient::Location::KeyMissing || tracker)
        return;
    tracker.emplace();
    tracker->location = location;
    if (location == NPClient::Location::Found)
        tracker->folder = folder;
}

void Recorder::trackerCall(const char* call, NPClient::Result result) {
    if (tracker && result != NPClient::Success)
        tracker->results.emplace(call, result);
}

void Recorder::versionQueried(uint16_t version) {
    if (tracker)
        tracker->version = version;
}

void Recorder::trackerData(NPClient::Result result, const NPClient::DataFrame& frame) {
    if (reading)
        return;
    reading.emplace();
    reading->result = result;
    if (result == NPClient::Success)
        reading->frame = frame;
}

void Recorder::ticksRead(uint32_t value) { ticks.push_back(value); }

} // namespace Session
