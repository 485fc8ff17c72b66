#ifndef VORLAN_DEVICES_TRACKIR_H
#define VORLAN_DEVICES_TRACKIR_H

#include "devices/InputDevice.h"
#include "platform/Context.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// The head tracker, read through the platform context's client library. It
// reports six absolute axes, pitch, yaw, roll, X, Y and Z, in the tracker's
// block of the code space. It streams from construction on and takes no part
// in activation.
class TrackIR : public InputDevice {
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
    ~TrackIR() override;

    int getType() const override;
    // Adds the six readings of a frame the tracker has not delivered before.
    void collect(DeviceEventList& list) override;
    // Appends the six axis codes to axes; keys stay as they are.
    void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) override;
    // Nothing to do: the tracker is not acquired.
    bool acquire() override { return true; }
    void unacquire() override {}

private:
    Platform::Context& platform;
    uint32_t lastFrame = 0;  // signature of the last frame turned into events
};

#endif
