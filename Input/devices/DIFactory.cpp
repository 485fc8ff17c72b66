#include "devices/DIFactory.h"

#include "ForceFeedback.h"
#include "Vorlan.h"
#include "core/Log.h"
#include "devices/DIJoystick.h"
#include "devices/DIKeyboard.h"
#include "devices/DIMouse.h"
#include "devices/DeviceNames.h"
#include "devices/TrackIR.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/DeviceClass.h"
#include "platform/directinput/ResultCodes.h"
#include "platform/session/Selection.h"

#include <fstream>

using namespace DirectInput;

// What a joystick leaves behind for the joystick of the same name after a restart.
struct DIFactory::Remembered {
    int32_t number = 0;
    bool hasController = false;
    double conditionGain = 0;
    double constantForceGain = 0;
    double periodicGain = 0;
    bool swapAxes = false;
};

std::unique_ptr<Platform::Context> DIFactory::createPlatform(const Platform::ContextMaker& platform) {
    std::unique_ptr<Platform::Context> context;
    std::string failure;
    if (failed(Session::createContext(platform, context, failure))) {
        const std::string message = "DirectInput8Create " + failure;
        Log() << message;
        throw Exception(message);
    }
    return context;
}

DIFactory::DIFactory(WindowHandle window, Platform::Context& platform) : platform(platform), window(window) {
    restartAllDevices();
}

DIFactory::~DIFactory() { releaseDevices(); }

void DIFactory::restartAllDevices() {
    const std::map<std::string, Remembered> remembered = rememberJoysticks();
    releaseDevices();
    enumerate();
    restoreJoysticks(remembered);
    createTrackIR();
    writeDeviceList();
}

std::map<std::string, DIFactory::Remembered> DIFactory::rememberJoysticks() const {
    std::map<std::string, Remembered> remembered;
    for (DIJoystick* joystick : joysticks) {
        Remembered& r = remembered[joystick->getName()];
        r.number = joystick->getJoystickNumber();
        if (const ForceFeedback* controller = joystick->getForceFeedback()) {
            r.hasController = true;
            r.conditionGain = controller->getConditionEffectGain();
            r.constantForceGain = controller->getConstantForceEffectGain();
            r.periodicGain = controller->getPeriodicEffectGain();
            r.swapAxes = controller->getSwapAxes();
        }
    }
    return remembered;
}

void DIFactory::enumerate() {
    const HResult result = platform.directInput().enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES,
                                                              [this](const DeviceInstance& instance) {
                                                                  try {
                                                                      createDevice(instance);
                                                                  } catch (const DIDevice::Exception& e) {
                                                                      Log() << e.what();
                                                                  }
                                                                  return true;
                                                              });
    if (failed(result))
        Log() << "Input error: EnumDevices" << errorDescription(result);
}

void DIFactory::restoreJoysticks(const std::map<std::string, Remembered>& remembered) {
    for (DIJoystick* joystick : joysticks) {
        const auto found = remembered.find(joystick->getName());
        if (found == remembered.end())
            continue;
        const Remembered& r = found->second;
        joystick->setJoystickNumber(r.number);
        ForceFeedback* controller = joystick->getForceFeedback();
        if (controller && r.hasController) {
            controller->setConditionEffectGain(r.conditionGain);
            controller->setConstantForceEffectGain(r.constantForceGain);
            controller->setPeriodicEffectGain(r.periodicGain);
            controller->setSwapAxes(r.swapAxes);
        }
    }
}

void DIFactory::createDevice(const DeviceInstance& instance) {
    const std::string name = sanitizeName(instance.instanceName);
    Log() << "Try to create device. Device type is: " << instance.devType << ". Device name is: " << name;
    bool forceFeedback = false;
    std::unique_ptr<Device> device = openDevice(instance, forceFeedback);
    if (device && accepts(instance, name))
        makeDevice(instance, std::move(device), name, forceFeedback);
}

std::unique_ptr<Device> DIFactory::openDevice(const DeviceInstance& instance, bool& forceFeedback) {
    std::unique_ptr<Device> device;
    const HResult created = platform.directInput().createDevice(instance.guidInstance, device);
    if (failed(created)) {
        Log() << "Input error: CreateDevice" << instance.productName << errorDescription(created);
        return nullptr;
    }
    if (!device) {
        Log() << "Input error: CreateDevice returned null device pointer. Device rejected.";
        return nullptr;
    }
    Log() << "diDevice->GetCapabilities";
    DeviceCaps caps;
    caps.size = sizeof(DeviceCaps);
    const HResult capabilities = device->getCapabilities(caps);
    if (failed(capabilities)) {
        Log() << "Input error: GetCapabilities " << instance.productName << errorDescription(capabilities);
        return nullptr;
    }
    forceFeedback = (caps.flags & DIDC_FORCEFEEDBACK) != 0;
    return device;
}

bool DIFactory::accepts(const DeviceInstance& instance, const std::string& name) {
    // Subtype 0 is refused without a word: it is DirectInput's keyboard of
    // unknown kind, and no defined subtype of the other types.
    if (((instance.devType >> 8) & 0xFF) == 0)
        return false;
    // A type that is no keyboard, mouse or game controller (a device control,
    // a device of no category) has no class to read it with.
    if (deviceClass(instance.devType) == DeviceClass::None) {
        Log() << "Unknown device type! " << "Name: " << name << "GUID: " << formatDeviceGuid(instance.guidInstance)
              << ". Skipped.";
        return false;
    }
    // An instance that an enumeration reports twice becomes one device.
    return seenGuids.insert(instance.guidInstance).second;
}

void DIFactory::makeDevice(const DeviceInstance& instance, std::unique_ptr<Device> device, const std::string& name,
                           bool forceFeedback) {
    const DeviceClass kind = deviceClass(instance.devType);
    std::unique_ptr<DIDevice> made;
    if (kind == DeviceClass::Keyboard) {
        made = std::make_unique<DIKeyboard>(std::move(device), window, name);
        Log() << "Keyboard created[" << made->getName() << "].";
        keyboards.push_back(made.get());
    } else if (kind == DeviceClass::Mouse) {
        made = std::make_unique<DIMouse>(std::move(device), window, name);
        Log() << "Mouse created[" << made->getName() << "].";
        mice.push_back(made.get());
    } else {
        const std::string joystickName = name + " {" + formatDeviceGuid(instance.guidInstance) + "}";
        auto joystick = std::make_unique<DIJoystick>(platform, std::move(device), window, joystickName, forceFeedback);
        Log() << "Joystick created[" << joystick->getName() << "].";
        joystick->setInitialState(initialState);
        joystick->setJoystickNumber(static_cast<int32_t>(joysticks.size()));
        joysticks.push_back(joystick.get());
        made = std::move(joystick);
    }
    if (made->getForceFeedback())
        forceFeedbackDevices.emplace(made->getName(), made.get());
    devices.push_back(std::move(made));
}

void DIFactory::createTrackIR() {
    try {
        devices.push_back(std::make_unique<TrackIR>(platform, window, "TrackIR"));
    } catch (const TrackIR::Exception& e) {
        Log() << e.what();
    }
}

void DIFactory::writeDeviceList() const {
    std::vector<std::string> names;
    getDevices(names);
    std::ofstream file(deviceListFile, std::ios::out | std::ios::trunc | std::ios::binary);
    for (const std::string& name : names)
        file << name << '\n';
}

void DIFactory::releaseDevices() {
    keyboards.clear();
    mice.clear();
    joysticks.clear();
    forceFeedbackDevices.clear();
    seenGuids.clear();
    // The head tracker goes first, then the DirectInput devices in creation order.
    if (!devices.empty() && devices.back()->getType() == Vorlan::TrackIR)
        devices.pop_back();
    devices.clear();
}

void DIFactory::collect(DeviceEventList& list) {
    for (const auto& device : devices)
        device->collect(list);
}

void DIFactory::acquireAll() {
    for (const auto& device : devices)
        device->acquire();
}

void DIFactory::setInitialState(bool on) {
    initialState = on;
    for (DIJoystick* joystick : joysticks)
        joystick->setInitialState(on);
}

void DIFactory::unacquireAll() {
    for (const auto& device : devices)
        device->unacquire();
}

void DIFactory::getDevices(std::vector<std::string>& names) const {
    for (const auto& device : devices)
        names.push_back(device->getName());
}

InputDevice* DIFactory::findDevice(const std::string& name) const {
    for (const auto& device : devices)
        if (device->getName() == name)
            return device.get();
    return nullptr;
}

DIJoystick* DIFactory::findJoystick(const std::string& name) const {
    for (DIJoystick* joystick : joysticks)
        if (joystick->getName() == name)
            return joystick;
    return nullptr;
}

int DIFactory::getDeviceType(const std::string& name) const {
    const InputDevice* device = findDevice(name);
    return device ? device->getType() : Vorlan::Unknown;
}

void DIFactory::getDeviceKeysAxes(const std::string& name, std::vector<int>& keys, std::vector<int>& axes) {
    if (InputDevice* device = findDevice(name))
        device->getKeysAxes(keys, axes);
}

void DIFactory::setJoystickNumber(const std::string& name, int32_t number) {
    if (DIJoystick* joystick = findJoystick(name))
        joystick->setJoystickNumber(number);
}

int32_t DIFactory::getJoystickNumber(const std::string& name) const {
    const DIJoystick* joystick = findJoystick(name);
    return joystick ? joystick->getJoystickNumber() : -1;
}

void DIFactory::banKeyboard(bool banned) {
    for (DIDevice* keyboard : keyboards)
        keyboard->setBanned(banned);
    Log() << "DIFactory::banKeyboard " << (banned ? "true" : "false");
}

void DIFactory::banMouse(bool banned) {
    for (DIDevice* mouse : mice)
        mouse->setBanned(banned);
    Log() << "DIFactory::banMouse " << (banned ? "true" : "false");
}

ForceFeedback* DIFactory::getForceFeedback(const std::string& name) {
    const auto found = forceFeedbackDevices.find(name);
    return found == forceFeedbackDevices.end() ? nullptr : found->second->getForceFeedback();
}
