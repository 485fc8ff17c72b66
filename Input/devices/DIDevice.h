#ifndef VORLAN_DEVICES_DIDEVICE_H
#define VORLAN_DEVICES_DIDEVICE_H

#include "devices/InputDevice.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/Device.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The base of the DirectInput devices: owns the device interface and the
// buffer that buffered records are read into, and holds the banned flag.
class DIDevice : public InputDevice {
public:
    // A failed device set-up; the message names the call, the device and the
    // platform's description of the result.
    class Exception : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    DIDevice(std::unique_ptr<DirectInput::Device> device, const std::string& name);
    // Unacquires and releases the device interface.
    ~DIDevice() override;

    virtual void setBanned(bool banned);
    virtual bool isBanned() const;
    // Acquire; logs "Device acquire <name>" on success, nothing on failure.
    bool acquire() override;
    void unacquire() override;
    int getType() const override;

protected:
    // Sets the platform's buffer size of the whole device and allocates as
    // many records.
    void setBufferSize(uint32_t count);
    // " " and the description of the result code.
    static std::string errorText(DirectInput::HResult result);
    // Throws Exception (or a derived class E) with "<call> <name><errorText>".
    template <class E>
    [[noreturn]] void fail(const char* call, DirectInput::HResult result) const {
        throw E(call + getName() + errorText(result));
    }

    // The keyboard's and the mouse's set-up: the shared cooperative level (a
    // failure first writes levelFailureEntry, the name and the description,
    // when given), the data format and the buffer size. Throws E, or Exception
    // for the buffer size.
    template <class E>
    void setUpShared(DirectInput::WindowHandle window, DirectInput::DataFormat format, uint32_t bufferSize,
                     const char* levelFailureEntry = nullptr);
    template <class E>
    void setDataFormat(DirectInput::DataFormat format);

    // EnumObjects over every object: base + the offset of each axis goes to
    // axes, of each other button to keys; throws E when the enumeration fails.
    template <class E>
    void listKeysAxes(std::vector<int>& keys, std::vector<int>& axes, int base);

    // GetDeviceData of up to the buffer's size; count is set to the records read.
    DirectInput::HResult fetch(uint32_t& count);
    // The keyboard's and the mouse's fetch: a failure re-acquires and gives no
    // records; otherwise as keptRecords.
    uint32_t fetchFrame(const char* overflowEntry);
    // How many records of a successful fetch to use: none while banned; an
    // overflow writes overflowEntry and the records are still used.
    uint32_t keptRecords(DirectInput::HResult fetched, uint32_t count, const char* overflowEntry) const;
    const DirectInput::DeviceObjectData& record(uint32_t i) const { return buffer[i]; }
    // A button's record data as an event value: 1 when bit 7 is set (pressed), else 0.
    static int32_t buttonValue(uint32_t data) { return (data & 0x80) != 0 ? 1 : 0; }
    // SetCooperativeLevel: non-exclusive, foreground, no Windows key, else
    // background; returns the last result.
    DirectInput::HResult setSharedCooperativeLevel(DirectInput::WindowHandle window);

    DirectInput::Device& device() { return *deviceInterface; }

private:
    // A log entry: entry, the name and the description of the result.
    void logFailure(const char* entry, DirectInput::HResult result) const;

    std::unique_ptr<DirectInput::Device> deviceInterface;
    std::vector<DirectInput::DeviceObjectData> buffer;
    bool banned = false;
};

template <class E>
void DIDevice::setUpShared(DirectInput::WindowHandle window, DirectInput::DataFormat format, uint32_t bufferSize,
                           const char* levelFailureEntry) {
    const DirectInput::HResult level = setSharedCooperativeLevel(window);
    if (DirectInput::failed(level)) {
        if (levelFailureEntry)
            logFailure(levelFailureEntry, level);
        fail<E>("SetCooperativeLevel ", level);
    }
    setDataFormat<E>(format);
    setBufferSize(bufferSize);
}

template <class E>
void DIDevice::setDataFormat(DirectInput::DataFormat format) {
    const DirectInput::HResult result = deviceInterface->setDataFormat(format);
    if (DirectInput::failed(result))
        fail<E>("SetDataFormat ", result);
}

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
