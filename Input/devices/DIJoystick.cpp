#include "devices/DIJoystick.h"

#include "ForceFeedback.h"
#include "Vorlan.h"
#include "core/CodeSpace.h"
#include "core/Log.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/ResultCodes.h"

using namespace DirectInput;

DIJoystick::DIJoystick(Platform::Context& platform, std::unique_ptr<Device> device, WindowHandle window,
                       const std::string& name, bool forceFeedback)
    : DIDevice(std::move(device), name), platform(platform), forceFeedback(forceFeedback) {
    Log() << "Joyctick: try to set pov count: " << povCount;

    Log() << "Joyctick: try to setCooperativeLevel";
    const HResult level = forceFeedback
                              ? this->device().setCooperativeLevel(window, DISCL_EXCLUSIVE | DISCL_FOREGROUND)
                              : setSharedCooperativeLevel(window);
    if (failed(level))
        fail<Exception>("SetCooperativeLevel ", level);

    Log() << "Joyctick: try to setDataFormat";
    setDataFormat<Exception>(DataFormat::Joystick2);

    Log() << "Joyctick: try to setAxesRange";
    setAxesRange();

    Log() << "Joyctick: try to createForceFeedback";
    createForceFeedback();

    Log() << "Joyctick: try to setBufferSize: " << static_cast<int32_t>(bufferSize);
    setBufferSize(bufferSize);
}

// The controller and its effects go before the device interface they live on.
DIJoystick::~DIJoystick() { controller.reset(); }

void DIJoystick::setAxesRange() {
    HResult range = DI_OK;
    const HResult listed = device().enumObjects(DIDFT_ALL, [&](const ObjectInstance& object) {
        noteObject(object);
        if (!(object.type & DIDFT_AXIS))
            return true;
        PropertyRange property;
        property.header.obj = object.type;
        property.header.how = DIPH_BYID;
        property.min = -Vorlan::getAxesValueMax();
        property.max = Vorlan::getAxesValueMax();
        range = device().setProperty(DIPROP_RANGE, property);
        return succeeded(range);
    });
    if (failed(range))
        fail<Exception>("SetAxesRange  ", range);
    if (failed(listed))
        fail<Exception>("EnumObjects ", listed);
}

void DIJoystick::noteObject(const ObjectInstance& object) {
    const JoystickField field = joystickField(object.ofs);
    if (object.type & DIDFT_AXIS) {
        if (field == JoystickField::Axis)
            axisObjects.push_back(object.ofs);
    } else if (object.type & DIDFT_BUTTON) {
        if (field == JoystickField::Button)
            buttonObjects.insert(object.ofs);
    } else if ((object.type & DIDFT_POV) && field == JoystickField::Hat) {
        hatObjects[(object.ofs - 32) / 4] = true;
    }
}

void DIJoystick::createForceFeedback() {
    device().enumObjects(DIDFT_AXIS, [&](const ObjectInstance& object) {
        if (object.flags & DIDOI_FFACTUATOR) {
            if (object.guidType == GUID_XAxis)
                forceFeedbackAxes.push_back(CodeSpace::joystickX);
            else if (object.guidType == GUID_YAxis)
                forceFeedbackAxes.push_back(CodeSpace::joystickY);
        }
        return true;
    });
    if (!forceFeedback)
        return;
    Log() << "Joyctick: try to setSpringAutocenter";
    setSpringAutocenter(false);
    controller = std::make_unique<ForceFeedback>();
    Log() << "Joyctick: try to createConditionEffect";
    controller->createConditionEffect(device(), forceFeedbackAxes);
    Log() << "Joyctick: try to createConstantForceEffect";
    controller->createConstantForceEffect(device(), forceFeedbackAxes);
    Log() << "Joyctick: try to createPeriodicEffect";
    controller->createPeriodicEffect(device(), forceFeedbackAxes);
}

void DIJoystick::setSpringAutocenter(bool on) {
    if (!forceFeedback)
        return;
    PropertyDword property;
    property.header.how = DIPH_DEVICE;
    property.data = on ? DIPROPAUTOCENTER_ON : DIPROPAUTOCENTER_OFF;
    const HResult result = device().setProperty(DIPROP_AUTOCENTER, property);
    if (failed(result))
        fail<Exception>("SetSpringAutocenter  ", result);
}

bool DIJoystick::acquire() {
    try {
        setSpringAutocenter(false);
    } catch (const Exception& e) {
        Log() << e.what();
    }
    const bool acquired = DIDevice::acquire();
    if (acquired && controller)
        controller->restore();
    if (acquired && initialState)
        readStartState();
    return acquired;
}

void DIJoystick::readStartState() {
    StartState read;
    const HResult result = device().getDeviceState(JoystickStateSize, read.bytes.data());
    if (failed(result)) {
        Log() << "Input error: GetDeviceState " << getName() << errorDescription(result);
        startState.reset();
        return;
    }
    read.time = platform.ticks();
    startState = read;
}

void DIJoystick::addStartEvents(DeviceEventList& list) {
    if (!startState)
        return;
    const StartState state = *startState;
    startState.reset();
    const uint32_t base = blockBase();
    DeviceEventList run;
    for (uint32_t offset : axisObjects)
        run.push_back(DeviceEvent{static_cast<int32_t>(base + offset),
                                  static_cast<int32_t>(stateWord(state.bytes.data(), offset)), true, state.time, base});
    for (uint32_t offset : buttonObjects) {
        const bool held = (state.bytes[offset] & 0x80) != 0;
        if (held != heldButtons[offset - 48])
            addButtonEvent(run, offset, held, state.time);
    }
    for (uint32_t hat = 0; hat < povCount; ++hat) {
        const uint32_t value = stateWord(state.bytes.data(), 32 + 4 * hat);
        if (hatObjects[hat] && hatDirection(value) != povStates[hat])
            addHatEvents(run, hat, value, state.time);
    }
    addEvents(list, std::move(run));
}

void DIJoystick::addButtonEvent(DeviceEventList& run, uint32_t offset, bool held, uint32_t time) {
    heldButtons[offset - 48] = held;
    const uint32_t base = blockBase();
    run.push_back(DeviceEvent{static_cast<int32_t>(base + offset), held ? 1 : 0, true, time, base});
}

int DIJoystick::getType() const { return Vorlan::Joystick; }

ForceFeedback* DIJoystick::getForceFeedback() { return controller.get(); }

void DIJoystick::collect(DeviceEventList& list) {
    if (failed(device().poll())) {
        acquire();
        return;
    }
    uint32_t count = 0;
    const HResult result = fetch(count);
    if (failed(result)) {
        Log() << "Failed to get joystick data! " << errorDescription(result);
        return;
    }
    if (isBanned())
        startState.reset();
    else
        addStartEvents(list);
    count = keptRecords(result, count, "Joystick data buffer overflow!");
    DeviceEventList run;
    run.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        addRecordEvents(run, record(i));
    addEvents(list, std::move(run));
}

void DIJoystick::addRecordEvents(DeviceEventList& run, const DeviceObjectData& r) {
    using namespace CodeSpace;
    const uint32_t base = blockBase();
    const int32_t code = static_cast<int32_t>(base + r.ofs);
    switch (classifyOffset(Format::Joystick, r.ofs)) {
    case Input::Axis:
        run.push_back(DeviceEvent{code, static_cast<int32_t>(r.data), true, r.timeStamp, base});
        break;
    case Input::Button:
        addButtonEvent(run, r.ofs, buttonValue(r.data) != 0, r.timeStamp);
        break;
    case Input::Hat:
        addHatEvents(run, (r.ofs - joystickFirstHat) / 4, r.data, r.timeStamp);
        break;
    case Input::None:
        break;
    }
}

uint32_t DIJoystick::hatDirection(uint32_t value) {
    if (value % 4500 != 0 || value > 31500)
        return 0;
    return value / 4500 + 1;
}

int32_t DIJoystick::hatCode(uint32_t hat, uint32_t direction) const {
    return static_cast<int32_t>(blockBase() + CodeSpace::hatOffset(hat, direction));
}

void DIJoystick::addHatEvents(DeviceEventList& run, uint32_t hat, uint32_t value, uint32_t time) {
    const uint32_t direction = hatDirection(value);
    const uint32_t old = povStates[hat];
    DeviceEvent first;
    first.code = hatCode(hat, old);
    first.value = old != 0 ? 0 : 1;
    povStates[hat] = direction;
    DeviceEvent second;
    second.code = hatCode(hat, direction);
    second.value = direction != 0 ? 1 : 0;
    for (DeviceEvent* event : {&first, &second}) {
        event->time = time;
        event->device = blockBase();
        run.push_back(*event);
    }
}

void DIJoystick::getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) {
    using namespace CodeSpace;
    const uint32_t base = blockBase();
    for (uint32_t offset = 0; offset < blockSize; ++offset)
        if (classifyOffset(Format::Joystick, offset) == Input::Axis)
            axes.push_back(static_cast<int32_t>(base + offset));
    for (uint32_t offset = 0; offset < blockSize; ++offset)
        if (classifyOffset(Format::Joystick, offset) == Input::Button)
            keys.push_back(static_cast<int32_t>(base + offset));
    for (uint32_t hat = 0; hat < hatCount; ++hat)
        for (uint32_t direction = 0; direction < hatDirections; ++direction)
            keys.push_back(hatCode(hat, direction));
}
