#ifndef VORLAN_DEVICES_DIKEYBOARD_H
#define VORLAN_DEVICES_DIKEYBOARD_H

#include "devices/DIDevice.h"

// A keyboard: key records become key events with the scan code as code, each
// logged under the key's name.
class DIKeyboard : public DIDevice {
public:
    class Exception : public DIDevice::Exception {
    public:
        using DIDevice::Exception::Exception;
    };

    // Sets the cooperative level, the data format and the buffer size; throws
    // when one of them fails.
    DIKeyboard(std::unique_ptr<DirectInput::Device> device, DirectInput::WindowHandle window,
               const std::string& name);

    void setBanned(bool banned) override;
    int getType() const override;
    void collect(DeviceEventList& list) override;
    // The offsets of the keyboard's buttons (its key codes) go to keys.
    void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) override;

private:
    static constexpr uint32_t bufferSize = 1024;
};

#endif
