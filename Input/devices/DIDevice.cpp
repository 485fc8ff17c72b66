#include "devices/DIDevice.h"

#include "core/Log.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/ResultCodes.h"

#include <string>

using namespace DirectInput;

DIDevice::DIDevice(std::unique_ptr<Device> device, const std::string& name)
    : InputDevice(name), deviceInterface(std::move(device)) {}

DIDevice::~DIDevice() { deviceInterface->unacquire(); }

void DIDevice::setBanned(bool b) { banned = b; }

bool DIDevice::isBanned() const { return banned; }

bool DIDevice::acquire() {
    if (failed(deviceInterface->acquire()))
        return false;
    Log() << "Device acquire " << getName();
    return true;
}

void DIDevice::unacquire() {
    const HResult result = deviceInterface->unacquire();
    if (failed(result))
        logFailure("Input error: Unacquire ", result);
    Log() << "Device unacquire " << getName();
}

int DIDevice::getType() const { return 0; }

void DIDevice::setBufferSize(uint32_t count) {
    PropertyDword property;
    property.header.how = DIPH_DEVICE;
    property.data = count;
    const HResult result = deviceInterface->setProperty(DIPROP_BUFFERSIZE, property);
    if (failed(result))
        fail<Exception>("SetProperty ", result);
    buffer.assign(count, DeviceObjectData{});
}

std::string DIDevice::errorText(HResult result) { return std::string(" ") + errorDescription(result); }

void DIDevice::logFailure(const char* entry, HResult result) const {
    Log() << entry << getName() << errorDescription(result);
}

HResult DIDevice::fetch(uint32_t& count) {
    const uint32_t size = static_cast<uint32_t>(buffer.size());
    count = size;
    const HResult result = deviceInterface->getDeviceData(buffer.data(), count, 0);
    if (failed(result) || count > size)
        count = 0;
    return result;
}

uint32_t DIDevice::fetchFrame(const char* overflowEntry) {
    uint32_t count = 0;
    const HResult result = fetch(count);
    if (failed(result)) {
        acquire();
        return 0;
    }
    return keptRecords(result, count, overflowEntry);
}

uint32_t DIDevice::keptRecords(HResult fetched, uint32_t count, const char* overflowEntry) const {
    if (isBanned())
        return 0;
    if (fetched == DI_BUFFEROVERFLOW)
        Log() << overflowEntry;
    return count;
}

HResult DIDevice::setSharedCooperativeLevel(WindowHandle window) {
    HResult result = deviceInterface->setCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_NOWINKEY);
    if (failed(result))
        result = deviceInterface->setCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND | DISCL_NOWINKEY);
    return result;
}
