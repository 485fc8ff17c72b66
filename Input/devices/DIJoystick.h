#ifndef VORLAN_DEVICES_DIJOYSTICK_H
#define VORLAN_DEVICES_DIJOYSTICK_H

#include "core/CodeSpace.h"
#include "devices/DIDevice.h"
#include "platform/Context.h"
#include "platform/directinput/JoystickState.h"

#include <array>
#include <bitset>
#include <optional>
#include <set>

// A game controller: axes, buttons and four hats become events in the
// joystick's block of the code space. A controller with
// force feedback gets its ForceFeedback with a spring, a constant force and a
// shake. With the initial state on, each acquire reads where the controls
// stand, and the next collect delivers it before its records.
class DIJoystick : public DIDevice {
public:
    class Exception : public DIDevice::Exception {
    public:
        using DIDevice::Exception::Exception;
    };

    // Sets the device up step by step, each step logged first; throws when a
    // step fails. The platform's clock stamps the initial state.
    DIJoystick(Platform::Context& platform, std::unique_ptr<DirectInput::Device> device,
               DirectInput::WindowHandle window, const std::string& name, bool forceFeedback);
    ~DIJoystick() override;

    // Switches autocentre off (a failure is logged), acquires, restores the
    // playing effects and, with the initial state on, reads the state.
    bool acquire() override;
    int getType() const override;
    void collect(DeviceEventList& list) override;
    // The fixed codes of every joystick block: 32 axes; 128 buttons and 36 hat codes.
    void getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) override;
    ForceFeedback* getForceFeedback() override;

    // Whether acquiring reads the state: off at construction.
    void setInitialState(bool on) { initialState = on; }

    void setJoystickNumber(int32_t number) { joystickNumber = number; }
    int32_t getJoystickNumber() const { return joystickNumber; }

    uint32_t blockBase() const { return CodeSpace::joystickBlock(joystickNumber); }
    // A hat value (hundredths of a degree) as a direction number: 1 north .. 8
    // north-west, 0 for centred and every other value.
    static uint32_t hatDirection(uint32_t value);

private:
    static constexpr uint32_t bufferSize = 1024;
    static constexpr int32_t povCount = CodeSpace::hatCount;

    // Where the controls stood at an acquire, and its tick count.
    struct StartState {
        std::array<uint8_t, DirectInput::JoystickStateSize> bytes;
        uint32_t time;
    };

    void setSpringAutocenter(bool on);
    void setAxesRange();
    // Keeps the axes, buttons and hats that the device enumerates.
    void noteObject(const DirectInput::ObjectInstance& object);
    void readStartState();
    // The events of the waiting start state: every axis, then the buttons and
    // hats that differ from what the device delivered last.
    void addStartEvents(DeviceEventList& list);
    // Appends a button's event to the run and notes the button as delivered.
    void addButtonEvent(DeviceEventList& run, uint32_t offset, bool held, uint32_t time);
    void createForceFeedback();
    // Appends the events of one buffered record to the device's run, by what
    // its offset carries.
    void addRecordEvents(DeviceEventList& run, const DirectInput::DeviceObjectData& record);
    // The two events of a hat's new value, old direction first.
    void addHatEvents(DeviceEventList& run, uint32_t hat, uint32_t value, uint32_t time);
    int32_t hatCode(uint32_t hat, uint32_t direction) const;

    Platform::Context& platform;
    int32_t joystickNumber = 0;
    bool forceFeedback;
    std::unique_ptr<ForceFeedback> controller;
    std::array<uint32_t, povCount> povStates{};
    std::vector<uint32_t> forceFeedbackAxes;

    bool initialState = false;
    std::vector<uint32_t> axisObjects;    // offsets, in enumeration order
    std::set<uint32_t> buttonObjects;     // offsets
    std::array<bool, povCount> hatObjects{};
    std::bitset<128> heldButtons;         // as last delivered, by button number
    std::optional<StartState> startState;
};

#endif
