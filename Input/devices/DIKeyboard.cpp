#include "devices/DIKeyboard.h"

#include "Vorlan.h"
#include "core/KeyNames.h"
#include "core/Log.h"
#include "platform/directinput/ResultCodes.h"

using namespace DirectInput;

DIKeyboard::DIKeyboard(std::unique_ptr<Device> device, WindowHandle window, const std::string& name)
    : DIDevice(std::move(device), name) {
    HResult result = setSharedCooperativeLevel(window);
    if (failed(result))
        fail<Exception>("SetCooperativeLevel ", result);
    result = this->device().setDataFormat(DataFormat::Keyboard);
    if (failed(result))
        fail<Exception>("SetDataFormat ", result);
    setBufferSize(bufferSize);
}

void DIKeyboard::setBanned(bool banned) {
    DIDevice::setBanned(banned);
    Log() << "DIKeyboard::setBanned banned" << (isBanned() ? "true" : "false");
}

int DIKeyboard::getType() const { return Vorlan::Keyboard; }

void DIKeyboard::collect(DeviceEventList& list) {
    uint32_t count = 0;
    const HResult result = fetch(count);
    if (failed(result)) {
        acquire();
        return;
    }
    if (isBanned())
        return;
    if (result == DI_BUFFEROVERFLOW)
        Log() << "Keyboard data buffer overflow!";
    if (count == 0)
        return;
    Log() << "Kb actions count: " << count;
    for (uint32_t i = 0; i < count; ++i) {
        const DeviceObjectData& r = record(i);
        const bool down = (r.data & 0x80) != 0;
        Log() << keyName(r.ofs) << (down ? " down " : " up ") << r.timeStamp;
        DeviceEvent event;
        event.code = static_cast<int32_t>(r.ofs);
        event.value = down ? 1 : 0;
        event.time = r.timeStamp;
        event.device = 0;
        addEvent(list, event);
    }
}

void DIKeyboard::getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) {
    listKeysAxes<Exception>(keys, axes, 0);
}
