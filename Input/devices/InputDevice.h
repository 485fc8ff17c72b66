#ifndef VORLAN_DEVICES_INPUTDEVICE_H
#define VORLAN_DEVICES_INPUTDEVICE_H

#include "core/DeviceEvent.h"

#include <string>
#include <utility>
#include <vector>

class ForceFeedback;

// What the factory asks of every device it owns, the DirectInput devices and
// the head tracker alike, so that it keeps them in one list.
class InputDevice {
public:
    explicit InputDevice(std::string name) : name(std::move(name)) {}
    virtual ~InputDevice() = default;
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    // The name every facade operation and log entry knows the device by.
    const std::string& getName() const { return name; }
    // The DeviceTypes value of the device's kind.
    virtual int getType() const = 0;
    // Adds this frame's events to the list.
    virtual void collect(DeviceEventList& list) = 0;
    // Appends the codes the device can produce.
    virtual void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) = 0;
    // Activation; the result tells whether the device was acquired.
    virtual bool acquire() = 0;
    virtual void unacquire() = 0;
    // The device's force-feedback controller, or none.
    virtual ForceFeedback* getForceFeedback() { return nullptr; }

private:
    std::string name;
};

#endif
