#ifndef VORLAN_TESTS_FORCEFEEDBACK_FAKESTICK_H
#define VORLAN_TESTS_FORCEFEEDBACK_FAKESTICK_H

#include "ForceFeedback.h"
#include "devices/directinput/Constants.h"
#include "devices/directinput/KnownGuids.h"
#include "devices/directinput/ResultCodes.h"
#include "devices/directinput/fake/FakeDirectInput.h"
#include "support/LogCapture.h"

#include <memory>
#include <string>
#include <vector>

// A force-feedback controller on a fake joystick, with the log captured. The
// journal starts empty once the device is open.
struct FakeStick {
    LogCapture log;
    DirectInput::FakeDirectInput fake;
    std::unique_ptr<DirectInput::System> system;
    std::unique_ptr<DirectInput::Device> device;
    std::unique_ptr<ForceFeedback> controller = std::make_unique<ForceFeedback>();

    FakeStick() {
        DirectInput::DeviceInstance stick;
        stick.guidInstance.data1 = 7;
        stick.devType = DirectInput::DI8DEVTYPE_JOYSTICK | 0x100;
        stick.instanceName = "Stick";
        fake.addDevice(stick);
        fake.create(system);
        system->createDevice(stick.guidInstance, device);
        fake.clearJournal();
    }

    // Controller first: effects go before their device.
    ~FakeStick() { controller.reset(); }

    void createAll(const std::vector<uint32_t>& axes = {0, 4}) {
        controller->createConditionEffect(*device, axes);
        controller->createConstantForceEffect(*device, axes);
        controller->createPeriodicEffect(*device, axes);
    }

    // The serial of the latest effect of that kind the fake made, 0 if none.
    unsigned effectOf(const DirectInput::Guid& kind) const {
        unsigned serial = 0;
        for (const DirectInput::FakeCall& call : fake.journal("CreateEffect"))
            if (call.guid == kind && call.effect != 0)
                serial = call.effect;
        return serial;
    }

    // The calls of one method on the latest effect of that kind.
    std::vector<DirectInput::FakeCall> calls(const DirectInput::Guid& kind, const std::string& method) const {
        const unsigned serial = effectOf(kind);
        std::vector<DirectInput::FakeCall> found;
        for (const DirectInput::FakeCall& call : fake.journal(method))
            if (serial != 0 && call.effect == serial)
                found.push_back(call);
        return found;
    }

    DirectInput::FakeEffectParameters created(const DirectInput::Guid& kind) const {
        return calls(kind, "CreateEffect").at(0).parameters;
    }

    // The parameters of the last SetParameters on that kind.
    DirectInput::FakeCall lastSet(const DirectInput::Guid& kind) const {
        const std::vector<DirectInput::FakeCall> set = calls(kind, "SetParameters");
        return set.empty() ? DirectInput::FakeCall() : set.back();
    }

    size_t count(const DirectInput::Guid& kind, const std::string& method) const { return calls(kind, method).size(); }
};

#endif
