#include "devices/DIKeyboard.h"

#include "Vorlan.h"
#include "core/CodeSpace.h"
#include "core/KeyNames.h"
#include "core/Log.h"

using namespace DirectInput;

DIKeyboard::DIKeyboard(std::unique_ptr<Device> device, WindowHandle window, const std::string& name)
    : DIDevice(std::move(device), name) {
    setUpShared<Exception>(window, DataFormat::Keyboard, bufferSize);
}

void DIKeyboard::setBanned(bool banned) {
    DIDevice::setBanned(banned);
    Log() << "DIKeyboard::setBanned banned" << (isBanned() ? "true" : "false");
}

int DIKeyboard::getType() const { return Vorlan::Keyboard; }

void DIKeyboard::collect(DeviceEventList& list) {
    const uint32_t count = fetchFrame("Keyboard data buffer overflow!");
    if (count == 0)
        return;
    Log() << "Kb actions count: " << count;
    DeviceEventList run;
    run.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const DeviceObjectData& r = record(i);
        const int32_t value = buttonValue(r.data);
        Log() << keyName(r.ofs) << (value ? " down " : " up ") << r.timeStamp;
        run.push_back(DeviceEvent{static_cast<int32_t>(CodeSpace::keyboardBlock + r.ofs), value, true, r.timeStamp,
                                  CodeSpace::keyboardDevice});
    }
    addEvents(list, std::move(run));
}

void DIKeyboard::getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) {
    listKeysAxes<Exception>(keys, axes, CodeSpace::keyboardBlock);
}
