#ifndef VORLAN_DEVICES_TRACKIR_H
#define VORLAN_DEVICES_TRACKIR_H

#include "core/DeviceEvent.h"
#include "platform/Context.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The head tracker, read through the platform context's client library. It
// reports six absolute axes, pitch, yaw, roll, X, Y and Z (codes 3073 ... 3078).
class TrackIR {
public:
    class Exception : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Loads the client library of platform, which must outlive the tracker,
    // registers window with it and starts the data transmission. Throws
    // TrackIR::Exception when any of the first steps fails; what it did until
    // then is not undone.
    TrackIR(Platform::Context& platform, void* window, const std::string& name);
    // Stops the data transmission and unregisters the window.
    ~TrackIR();
    TrackIR(const TrackIR&) = delete;
    TrackIR& operator=(const TrackIR&) = delete;

    const std::string& getName() const;

    // Adds the six readings of a frame the tracker has not delivered before.
    void collect(DeviceEventList& list);

    // Appends the six axis codes to axes; keys stay as they are.
    void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) const;

private:
    Platform::Context& platform;
    std::string name;
    uint32_t lastFrame = 0;  // signature of the last frame turned into events
};

#endif
