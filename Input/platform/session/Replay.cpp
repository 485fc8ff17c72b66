#include "platform/session/Replay.h"

#include "platform/directinput/ResultCodes.h"

#include <algorithm>

namespace Session {

Replay::Replay(SessionReader sessionReader)
    : reader(std::move(sessionReader)),
      waiting(devices().size()),
      sequence(devices().size()),
      rest(devices().size()) {
    for (size_t index = 0; index < devices().size(); ++index)
        indexes.emplace(devices()[index].instance.guidInstance, index);
    for (State& state : rest)
        DirectInput::restState(state.data());
    hasUpcoming = reader.nextFrame(upcoming);
    enter();
}

std::optional<size_t> Replay::find(const DirectInput::Guid& instance) const {
    const auto found = indexes.find(instance);
    return found == indexes.end() ? std::nullopt : std::optional<size_t>(found->second);
}

void Replay::advance() {
    ++current;
    enter();
}

// A session that was checked whole before its replay can only end early
// here when its file has changed since: the replay then ends with it.
void Replay::enter() {
    inLine = false;
    reading.result = NPClient::Success;
    tickReadings = 0;
    if (!hasUpcoming || upcoming.number != current)
        return;
    std::swap(line, upcoming);
    inLine = true;
    hasUpcoming = reader.nextFrame(upcoming);
    for (const auto& [device, fetch] : line.fetches)
        waiting[device].insert(waiting[device].end(), fetch.records.begin(), fetch.records.end());
    if (line.tracker)
        reading = *line.tracker;
}

uint32_t Replay::ticks() {
    if (inLine && tickReadings < line.ticks.size())
        tickCount = line.ticks[tickReadings++];
    return tickCount;
}

bool Replay::finished() const { return !hasUpcoming && current >= line.number; }

const Fetch* Replay::currentFetch(size_t device) const {
    if (!inLine)
        return nullptr;
    const auto found = line.fetches.find(device);
    return found == line.fetches.end() ? nullptr : &found->second;
}

DirectInput::HResult Replay::poll(size_t device) const {
    const Fetch* fetch = currentFetch(device);
    return fetch ? fetch->poll : 0;
}

DirectInput::HResult Replay::fetch(size_t device, DirectInput::DeviceObjectData* records, uint32_t& count) {
    const Fetch* fetch = currentFetch(device);
    const DirectInput::HResult result = fetch ? fetch->result : 0;
    const uint32_t room = count;
    count = 0;
    if (DirectInput::failed(result))
        return result;
    std::deque<DirectInput::DeviceObjectData>& queue = waiting[device];
    count = static_cast<uint32_t>(std::min<size_t>(room, queue.size()));
    for (uint32_t i = 0; i < count; ++i) {
        records[i] = queue.front();
        records[i].sequence = ++sequence[device];
        if (DirectInput::joystickField(records[i].ofs) == DirectInput::JoystickField::Axis)
            DirectInput::setStateWord(rest[device].data(), records[i].ofs, records[i].data);
        queue.pop_front();
    }
    return result;
}

DirectInput::HResult Replay::state(size_t device, uint8_t* state) const {
    using namespace DirectInput;
    const Fetch* fetch = currentFetch(device);
    if (!fetch || !fetch->state) {
        std::copy(rest[device].begin(), rest[device].end(), state);
        return DI_OK;
    }
    if (failed(fetch->state->result))
        return fetch->state->result;
    restState(state);
    for (const auto& [offset, value] : fetch->state->values) {
        if (joystickField(offset) == JoystickField::Button)
            state[offset] = static_cast<uint8_t>(value);
        else
            setStateWord(state, offset, value);
    }
    return fetch->state->result;
}

NPClient::Result Replay::trackerData(NPClient::DataFrame& frame) const {
    if (reading.result == NPClient::Success)
        frame = reading.frame;
    return reading.result;
}

} // namespace Session
