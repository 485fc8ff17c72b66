#ifndef VORLAN_DEVICES_DIDEVICE_H
#define VORLAN_DEVICES_DIDEVICE_H

#include "core/DeviceEvent.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/Device.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class ForceFeedback;

// The base of the DirectInput devices: owns the device interface, the device's
// name and the buffer that buffered records are read into.
class DIDevice {
public:
    // A failed device set-up; the message names the call, the device and the
    // platform's description of the result.
    class Exception : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    DIDevice(std::unique_ptr<DirectInput::Device> device, const std::string& name);
    // Unacquires and releases the device interface.
    virtual ~DIDevice();
    DIDevice(const DIDevice&) = delete;
    DIDevice& operator=(const DIDevice&) = delete;

    virtual void setBanned(bool banned);
    virtual bool isBanned() const;
    // Acquire; logs "Device acquire <name>" on success, nothing on failure.
    virtual bool acquire();
    virtual void unacquire();
    virtual int getType() const;
    // Adds this frame's events to the list.
    virtual void collect(DeviceEventList& list) = 0;
    // Appends the codes the device can produce.
    virtual void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) = 0;
    virtual ForceFeedback* getForceFeedback();

    const std::string& getName() const { return name; }

protected:
    // Sets the platform's buffer size of the whole device and allocates as
    // many records.
    void setBufferSize(uint32_t count);
    // " " and the description of the result code.
    static std::string errorText(DirectInput::HResult result);
    // Throws Exception (or a derived class E) with "<call> <name><errorText>".
    template <class E>
    [[noreturn]] void fail(const char* call, DirectInput::HResult result) const {
        throw E(call + name + errorText(result));
    }

    // EnumObjects over every object: base + the offset of each axis goes to
    // axes, of each other button to keys; throws E when the enumeration fails.
    template <class E>
    void listKeysAxes(std::vector<int>& keys, std::vector<int>& axes, int base);

    // GetDeviceData of up to the buffer's size; count is set to the records read.
    DirectInput::HResult fetch(uint32_t& count);
    const DirectInput::DeviceObjectData& record(uint32_t i) const { return buffer[i]; }
    // SetCooperativeLevel: non-exclusive, foreground, no Windows key, else
    // background; returns the last result.
    DirectInput::HResult setSharedCooperativeLevel(DirectInput::WindowHandle window);

    DirectInput::Device& device() { return *deviceInterface; }

private:
    std::unique_ptr<DirectInput::Device> deviceInterface;
    std::string name;
    std::vector<DirectInput::DeviceObjectData> buffer;
    bool banned = false;
};

template <class E>
void DIDevice::listKeysAxes(std::vector<int>& keys, std::vector<int>& axes, int base) {
    using namespace DirectInput;
    const HResult result = deviceInterface->enumObjects(DIDFT_ALL, [&](const ObjectInstance& object) {
        if (object.type & DIDFT_AXIS)
            axes.push_back(base + static_cast<int>(object.ofs));
        else if (object.type & DIDFT_BUTTON)
            keys.push_back(base + static_cast<int>(object.ofs));
        return true;
    });
    if (failed(result))
        fail<E>("EnumObjects ", result);
}

#endif
