#ifndef VORLAN_DEVICES_DIJOYSTICK_H
#define VORLAN_DEVICES_DIJOYSTICK_H

#include "core/CodeSpace.h"
#include "devices/DIDevice.h"

#include <array>

// A game controller: axes, buttons and four hats become events in the
// joystick's block of the code space. A controller with
// force feedback gets its ForceFeedback with a spring, a constant force and a
// shake.
class DIJoystick : public DIDevice {
public:
    class Exception : public DIDevice::Exception {
    public:
        using DIDevice::Exception::Exception;
    };

    // Sets the device up step by step, each step logged first; throws when a
    // step fails.
    DIJoystick(std::unique_ptr<DirectInput::Device> device, DirectInput::WindowHandle window,
               const std::string& name, bool forceFeedback);
    ~DIJoystick() override;

    // Switches autocentre off (a failure is logged), acquires, and restores the
    // playing effects.
    bool acquire() override;
    int getType() const override;
    void collect(DeviceEventList& list) override;
    // The fixed codes of every joystick block: 32 axes; 128 buttons and 36 hat codes.
    void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) override;
    ForceFeedback* getForceFeedback() override;

    void setJoystickNumber(int32_t number) { joystickNumber = number; }
    int32_t getJoystickNumber() const { return joystickNumber; }

    uint32_t blockBase() const { return CodeSpace::joystickBlock(joystickNumber); }
    // A hat value (hundredths of a degree) as a direction number: 1 north .. 8
    // north-west, 0 for centred and every other value.
    static uint32_t hatDirection(uint32_t value);

private:
    static constexpr uint32_t bufferSize = 1024;
    static constexpr int32_t povCount = CodeSpace::hatCount;

    void setSpringAutocenter(bool on);
    void setAxesRange();
    void createForceFeedback();
    // Appends the events of one buffered record to the device's run, by what
    // its offset carries.
    void addRecordEvents(DeviceEventList& run, const DirectInput::DeviceObjectData& record);
    // The two events of a hat's new value, old direction first.
    void addHatEvents(DeviceEventList& run, uint32_t hat, uint32_t value, uint32_t time);
    int32_t hatCode(uint32_t hat, uint32_t direction) const;

    int32_t joystickNumber = 0;
    bool forceFeedback;
    std::unique_ptr<ForceFeedback> controller;
    std::array<uint32_t, povCount> povStates{};
    std::vector<uint32_t> forceFeedbackAxes;
};

#endif
