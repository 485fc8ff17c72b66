#ifndef VORLAN_DEVICES_DIMOUSE_H
#define VORLAN_DEVICES_DIMOUSE_H

#include "devices/DIDevice.h"

// A mouse: X, Y and wheel records become relative axis events, button records
// key events, all in the mouse block (its base plus the data offset).
class DIMouse : public DIDevice {
public:
    class Exception : public DIDevice::Exception {
    public:
        using DIDevice::Exception::Exception;
    };

    // Sets the cooperative level, the data format and the buffer size; throws
    // when one of them fails.
    DIMouse(std::unique_ptr<DirectInput::Device> device, DirectInput::WindowHandle window, const std::string& name);

    void setBanned(bool banned) override;
    int getType() const override;
    void collect(DeviceEventList& list) override;
    void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) override;

    // A movement in the axis scale: ±16383 units give the axis maximum;
    // movements beyond the 32-bit range saturate.
    static int32_t scaleMovement(int32_t movement);

private:
    static constexpr uint32_t bufferSize = 1024;
};

#endif
