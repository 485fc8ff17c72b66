#include "platform/session/Replay.h"

#include <algorithm>

namespace Session {

Replay::Replay(Data data)
    : data(std::move(data)), waiting(this->data.devices.size()), sequence(this->data.devices.size()) {}

void Replay::advance() {
    ++current;
    frame = nullptr;
    reading.result = NPClient::Success;
    if (next == data.frames.size() || data.frames[next].number != current)
        return;
    frame = &data.frames[next++];
    for (const auto& [device, fetch] : frame->fetches)
        waiting[device].insert(waiting[device].end(), fetch.records.begin(), fetch.records.end());
    if (frame->tracker)
        reading = *frame->tracker;
    if (frame->ticks)
        tickCount = *frame->ticks;
}

bool Replay::finished() const { return data.frames.empty() || current >= data.frames.back().number; }

const Fetch* Replay::currentFetch(size_t device) const {
    if (!frame)
        return nullptr;
    const auto found = frame->fetches.find(device);
    return found == frame->fetches.end() ? nullptr : &found->second;
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
        queue.pop_front();
    }
    return result;
}

NPClient::Result Replay::trackerData(NPClient::DataFrame& frame) const {
    if (reading.result == NPClient::Success)
        frame = reading.frame;
    return reading.result;
}

} // namespace Session
