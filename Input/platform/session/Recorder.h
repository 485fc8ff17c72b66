#ifndef VORLAN_PLATFORM_SESSION_RECORDER_H
#define VORLAN_PLATFORM_SESSION_RECORDER_H

#include "platform/session/SessionData.h"
#include "platform/session/SessionWriter.h"

#include <map>
#include <optional>
#include <vector>

namespace Session {

// Collects what the devices, the head-tracker client and the tick clock
// answered and writes it as a session: the header, device and head-tracker
// lines when the first frame begins (what the set-up met) and the set-up's
// frame 0, then one line per frame when the next one begins, and the last
// frame's line when the recorder finishes. Frames in which nothing happened
// are left out, except the last.
class Recorder {
public:
    explicit Recorder(Writer writer);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Writes the frame that ends (the declarations before the first) and begins the next.
    void endFrame();
    // Writes the last frame, even when nothing happened in it; nothing is
    // recorded after. The destructor does it when nobody did.
    void finish();
    // Why the file is incomplete (see Writer::failure); empty while it is whole.
    const std::string& failure() const { return writer.failure(); }

    // DirectInput: a device that enumeration listed; its index for the calls
    // below. A device listed again keeps its index.
    size_t declare(const DirectInput::DeviceInstance& instance);
    // The index of the listed device with that instance GUID.
    std::optional<size_t> find(const DirectInput::Guid& instance) const;
    void created(size_t device, DirectInput::HResult result);
    // Whether the device's capabilities and objects were noted already.
    bool described(size_t device) const;
    void describe(size_t device, const DirectInput::DeviceCaps& caps,
                  std::vector<DirectInput::ObjectInstance> objects);
    void polled(size_t device, DirectInput::HResult result);
    void fetched(size_t device, DirectInput::HResult result, const DirectInput::DeviceObjectData* records,
                 uint32_t count);
    // GetDeviceState in the joystick format; state is read only on success.
    void stateRead(size_t device, DirectInput::HResult result, const uint8_t* state);

    // The head-tracker client.
    void located(NPClient::Location location, const std::string& folder);
    void trackerCall(const char* call, NPClient::Result result);
    void versionQueried(uint16_t version);
    void trackerData(NPClient::Result result, const NPClient::DataFrame& frame);

    // The tick clock's reading.
    void ticksRead(uint32_t ticks);

private:
    // What one device answered in the frame: the first call's results, and
    // the records of every successful fetch while those results are successes.
    struct DeviceFrame {
        bool polled = false;
        bool fetched = false;
        Fetch fetch;
    };

    void writeDeclarations();
    void writeFrame(bool evenEmpty);

    Writer writer;
    std::vector<DeclaredDevice> devices;
    std::vector<bool> describedDevices;
    std::map<DirectInput::Guid, size_t> indexes;  // by instance GUID
    std::map<std::string, size_t> kindCounts;      // devices declared, by id kind
    size_t declaredInFile = 0;  // device lines written; devices met later are not recorded
    std::optional<TrackerSetup> tracker;
    bool trackerInFile = false;

    uint32_t frame = 0;  // 0 during the set-up before the first frame
    bool finished = false;
    std::map<size_t, DeviceFrame> deviceFrames;
    std::optional<TrackerReading> reading;
    std::vector<uint32_t> ticks;
    TrackerReading delivered;  // the last reading written, which the replay repeats
};

} // namespace Session

#endif
