// The session reader on any bytes: it refuses with a one-line message or
// gives data that the replay can run, never anything else.
#include "platform/session/Replay.h"
#include "platform/session/SessionReader.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(bytes), size));
    Session::Data data;
    std::string error;
    if (!Session::readSession(in, "fuzz.jsonl", data, error)) {
        if (error.rfind("fuzz.jsonl:", 0) != 0 || error.find('\n') != std::string::npos)
            std::abort();
        return 0;
    }
    // Run the first frames, fetching every device and the tracker.
    Session::Replay replay(std::move(data));
    DirectInput::DeviceObjectData records[16];
    NPClient::DataFrame frame;
    for (int n = 0; n < 64 && !replay.finished(); ++n) {
        replay.advance();
        for (size_t device = 0; device < replay.devices().size(); ++device) {
            uint32_t count = 16;
            replay.poll(device);
            replay.fetch(device, records, count);
        }
        replay.trackerData(frame);
    }
    return 0;
}
