#include "devices/DIMouse.h"

#include "Vorlan.h"
#include "core/Log.h"
#include "core/Scaling.h"
#include "platform/directinput/ResultCodes.h"

using namespace DirectInput;

DIMouse::DIMouse(std::unique_ptr<Device> device, WindowHandle window, const std::string& name)
    : DIDevice(std::move(device), name) {
    HResult result = setSharedCooperativeLevel(window);
    if (failed(result)) {
        Log() << "Input error: SetCooperativeLevel " << name << errorDescription(result);
        fail<Exception>("SetCooperativeLevel ", result);
    }
    result = this->device().setDataFormat(DataFormat::Mouse2);
    if (failed(result))
        fail<Exception>("SetDataFormat ", result);
    setBufferSize(bufferSize);
}

void DIMouse::setBanned(bool banned) {
    DIDevice::setBanned(banned);
    Log() << "DIMouse::setBanned banned" << (isBanned() ? "true" : "false");
}

int DIMouse::getType() const { return Vorlan::Mouse; }

int32_t DIMouse::scaleMovement(int32_t movement) {
    return truncateToInt32(Vorlan::getAxesValueMax() * (movement * unitsToAxisScale));
}

void DIMouse::collect(DeviceEventList& list) {
    uint32_t count = 0;
    const HResult result = fetch(count);
    if (failed(result)) {
        acquire();
        return;
    }
    if (isBanned())
        return;
    if (result == DI_BUFFEROVERFLOW)
        Log() << "Mouse data buffer overflow!";
    for (uint32_t i = 0; i < count; ++i) {
        const DeviceObjectData& r = record(i);
        DeviceEvent event;
        if (r.ofs <= 8 && r.ofs % 4 == 0) {
            event.value = scaleMovement(static_cast<int32_t>(r.data));
            event.absolute = false;
        } else if (r.ofs >= 12 && r.ofs <= 19) {
            event.value = (r.data & 0x80) ? 1 : 0;
        } else {
            continue;
        }
        event.code = block + static_cast<int32_t>(r.ofs);
        event.time = r.timeStamp;
        event.device = block;
        addEvent(list, event);
    }
}

void DIMouse::getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) {
    listKeysAxes<Exception>(keys, axes, block);
}
