// The session reader on any bytes: it refuses with a one-line message or
// gives data that the replay can run, never anything else; and reading frame
// lines quickly gives exactly what reading every line thoroughly gives.
#include "platform/session/Replay.h"
#include "platform/session/SessionReader.h"
#include "support/DescribeSession.h"

#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    std::istringstream quickIn(text), thoroughIn(text);
    Session::Data quick, thorough;
    std::string error, thoroughError;
    const bool read = Session::readSession(quickIn, "fuzz.jsonl", quick, error);
    if (read != Session::readSession(thoroughIn, "fuzz.jsonl", thorough, thoroughError, Session::FrameReading::Thorough) ||
        error != thoroughError || describe(quick) != describe(thorough))
        std::abort();
    if (!read) {
        if (error.rfind("fuzz.jsonl:", 0) != 0 || error.find('\n') != std::string::npos)
            std::abort();
        return 0;
    }
    // Run the first frames, fetching every device and the tracker.
    std::istringstream in(text);
    Session::SessionReader reader(in, "fuzz.jsonl");
    if (!reader.readHead())
        std::abort();
    Session::Replay replay(std::move(reader));
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
