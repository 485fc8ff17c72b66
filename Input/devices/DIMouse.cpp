#include "devices/DIMouse.h"

#include "Vorlan.h"
#include "core/CodeSpace.h"
#include "core/Log.h"
#include "core/Scaling.h"

using namespace DirectInput;

DIMouse::DIMouse(std::unique_ptr<Device> device, WindowHandle window, const std::string& name)
    : DIDevice(std::move(device), name) {
    setUpShared<Exception>(window, DataFormat::Mouse2, bufferSize, "Input error: SetCooperativeLevel ");
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
    using namespace CodeSpace;
    const uint32_t count = fetchFrame("Mouse data buffer overflow!");
    DeviceEventList run;
    run.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        const DeviceObjectData& r = record(i);
        DeviceEvent event{static_cast<int32_t>(mouseBlock + r.ofs), 0, true, r.timeStamp, mouseDevice};
        switch (classifyOffset(Format::Mouse, r.ofs)) {
        case Input::Axis:
            event.value = scaleMovement(static_cast<int32_t>(r.data));
            event.absolute = false;
            break;
        case Input::Button:
            event.value = buttonValue(r.data);
            break;
        default:
            continue;
        }
        run.push_back(event);
    }
    addEvents(list, std::move(run));
}

void DIMouse::getKeysAxes(std::vector<int>& keys, std::vector<int>& axes) {
    listKeysAxes<Exception>(keys, axes, CodeSpace::mouseBlock);
}
