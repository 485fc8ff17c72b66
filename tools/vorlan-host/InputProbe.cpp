#include "InputProbe.h"

#include "Filter.h"
#include "Vorlan.h"
#include "core/CodeSpace.h"

#include <cstdlib>
#include <exception>
#include <set>

namespace {

const char* const probeLayer = "vorlan-host input probe";

// Keyboards and mice list only the objects they declare, which a session may
// leave out; their data formats fix every code they can deliver: 256 keys, and
// three axes and eight buttons.
void addDataFormat(Vorlan::DeviceTypes type, std::set<int32_t>& keys, std::set<int32_t>& axes) {
    using namespace CodeSpace;
    if (type == Vorlan::Keyboard)
        for (int32_t key = 0; key < 256; ++key)
            keys.insert(static_cast<int32_t>(keyboardBlock) + key);
    if (type == Vorlan::Mouse) {
        for (const uint32_t axis : {mouseX, mouseY, mouseWheel})
            axes.insert(static_cast<int32_t>(mouseBlock + axis));
        for (uint32_t button = mouseFirstButton; button <= mouseLastButton; ++button)
            keys.insert(static_cast<int32_t>(mouseBlock + button));
    }
}

std::vector<std::string> deviceNames(Vorlan& input) {
    std::vector<std::string> names;
    input.getDevices(names);
    return names;
}

} // namespace

InputProbe::InputProbe(Vorlan& input) : input(input) {
    for (const std::string& name : deviceNames(input))
        if (input.getDeviceType(name) == Vorlan::Joystick)
            joystickNumbers[name] = input.getJoystickNumber(name);
}

bool InputProbe::replay(uint32_t frames, std::vector<TracedInput>& inputs, std::string& failure) {
    input.uninitialize();  // writes a recording's last frame
    unsetenv("VORLAN_RECORD");
    try {
        input.initialize(nullptr);
    } catch (const std::exception& e) {
        failure = e.what();
        return false;
    }
    for (const auto& [name, number] : joystickNumbers)
        input.setJoystickNumber(name, number);
    bindEverything();
    input.activate(true);

    std::vector<VorlanAction> actions;
    for (uint32_t frame = 1; frame <= frames; ++frame) {
        input.process(actions);
        for (const VorlanAction& action : actions)
            collect(frame, action, inputs);
    }
    return true;
}

// Key i goes down as command 2i + 1 and up as 2i + 2; axis i moves as 2i + 1.
void InputProbe::bindEverything() {
    std::set<int32_t> keys, axisCodes;
    for (const std::string& name : deviceNames(input)) {
        std::vector<int> deviceKeys, deviceAxes;
        input.getDeviceKeysAxes(name, deviceKeys, deviceAxes);
        keys.insert(deviceKeys.begin(), deviceKeys.end());
        axisCodes.insert(deviceAxes.begin(), deviceAxes.end());
        addDataFormat(input.getDeviceType(name), keys, axisCodes);
    }
    input.createLayer(probeLayer);
    for (const int32_t key : keys) {
        const auto down = static_cast<int32_t>(2 * codes.size() + 1);
        input.addKeyCombo(probeLayer, key, {}, down, 0, down + 1);
        codes.push_back(key);
        axes.push_back(false);
    }
    for (const int32_t axis : axisCodes) {
        input.addAxisCombo(probeLayer, axis, {}, static_cast<int32_t>(2 * codes.size() + 1), FilterInfo());
        codes.push_back(axis);
        axes.push_back(true);
    }
    input.setTopLayer(probeLayer);
}

void InputProbe::collect(uint32_t frame, const VorlanAction& action, std::vector<TracedInput>& inputs) const {
    const auto index = static_cast<std::size_t>(action.getAction() - 1) / 2;
    if (action.getAction() < 1 || index >= codes.size())
        return;
    TracedInput traced;
    traced.frame = frame;
    traced.code = codes[index];
    traced.axis = axes[index];
    traced.value = traced.axis ? action.getValue() : (action.getAction() % 2 == 1 ? 1 : 0);
    traced.time = action.getTime();
    traced.device = action.getDevice();
    traced.absolute = action.isAbsolute();
    inputs.push_back(traced);
}
