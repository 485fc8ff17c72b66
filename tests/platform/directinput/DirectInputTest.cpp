#include "platform/directinput/Constants.h"
#include "platform/directinput/JoystickState.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/Native.h"
#include "platform/directinput/ResultCodes.h"
#include "platform/directinput/fake/FakeDirectInput.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace DirectInput;

namespace {

DeviceInstance instance(const char* name, uint32_t id) {
    DeviceInstance i;
    i.guidInstance.data1 = id;
    i.instanceName = name;
    return i;
}

using Frame = std::pair<HResult, std::vector<uint32_t>>;

// A fake with a joystick and a gamepad, both opened through the port's calls.
struct OpenDevices {
    FakeDirectInput fake;
    FakeDeviceScript& stickScript = fake.addDevice(instance("Stick", 1));
    FakeDeviceScript& padScript = fake.addDevice(instance("Pad", 2));
    std::unique_ptr<System> system;
    std::unique_ptr<Device> stick;
    std::unique_ptr<Device> pad;

    OpenDevices() {
        fake.create(system);
        system->createDevice(stickScript.instance.guidInstance, stick);
        system->createDevice(padScript.instance.guidInstance, pad);
    }

    // Reads one frame from the stick: the result and the offsets of the records returned.
    Frame read(uint32_t room = 8) {
        std::vector<DeviceObjectData> records(room);
        uint32_t count = room;
        const HResult result = stick->getDeviceData(records.data(), count, 0);
        std::vector<uint32_t> offsets;
        for (uint32_t i = 0; i < count; ++i)
            offsets.push_back(records[i].ofs);
        return {result, offsets};
    }
};

} // namespace

TEST(FakeDirectInputTest, ScriptedResultsComeWhereScriptedAndFailedCallsDoNothing) {
    struct Case {
        const char* method;
        HResult (Device::*call)();
        std::vector<std::tuple<HResult, unsigned, const char*>> rules;  // result, nth call (0: all), device
        std::vector<HResult> results;  // of three calls on the stick, then three on the pad
    };
    const HResult lost = DIERR_INPUTLOST;
    const HResult notAcquired = DIERR_NOTACQUIRED;
    const Case cases[] = {
        {"Acquire", &Device::acquire, {{DIERR_OTHERAPPHASPRIO, 2, ""}},
         {DI_OK, DIERR_OTHERAPPHASPRIO, S_FALSE, DI_OK, S_FALSE, S_FALSE}},
        {"Acquire", &Device::acquire, {{lost, 1, "Pad"}}, {DI_OK, S_FALSE, S_FALSE, lost, DI_OK, S_FALSE}},
        {"Poll", &Device::poll, {{lost, 0, "Stick"}}, {lost, lost, lost, notAcquired, notAcquired, notAcquired}},
        // The first matching rule wins, but every rule counts the call.
        {"Unacquire", &Device::unacquire, {{DIERR_GENERIC, 1, ""}, {lost, 2, ""}, {DIERR_NOTINITIALIZED, 0, "Stick"}},
         {DIERR_GENERIC, lost, DIERR_NOTINITIALIZED, S_FALSE, S_FALSE, S_FALSE}},
    };
    for (const Case& c : cases) {
        OpenDevices s;
        for (const auto& [result, nth, device] : c.rules)
            s.fake.setResult(c.method, result, nth, device);
        std::vector<HResult> results;
        for (Device* device : {s.stick.get(), s.stick.get(), s.stick.get(), s.pad.get(), s.pad.get(), s.pad.get()})
            results.push_back((device->*c.call)());
        EXPECT_EQ(results, c.results) << c.method;
    }
}

TEST(FakeDirectInputTest, BufferedBatchesComeFrameByFrameOnlyWhileAcquired) {
    OpenDevices s;
    s.stickScript.batches = {{{0, 1, 10}, {4, 2, 11}, {48, 0x80, 0xFFFFFFF0u}}, {{8, 3, 20}}};
    EXPECT_EQ(s.read(), (Frame{DIERR_NOTACQUIRED, {}}));
    s.stick->acquire();
    EXPECT_EQ(s.read(2), (Frame{DI_OK, {0, 4}}));  // the rest of a batch stays for the next read
    EXPECT_EQ(s.read(), (Frame{DI_OK, {48}}));
    s.fake.setResult("GetDeviceData", DIERR_INPUTLOST, 1);
    EXPECT_EQ(s.read(), (Frame{DIERR_INPUTLOST, {}}));  // a failed read loses nothing
    s.fake.setResult("GetDeviceData", DI_BUFFEROVERFLOW, 1);
    EXPECT_EQ(s.read(), (Frame{DI_BUFFEROVERFLOW, {8}}));
    EXPECT_EQ(s.read(), (Frame{DI_OK, {}}));
}

TEST(FakeDirectInputTest, StatesAreScriptedAtRestByDefaultAndOnlyWhileAcquiredInTheFormatsSize) {
    OpenDevices s;
    uint8_t state[JoystickStateSize];
    EXPECT_EQ(s.stick->getDeviceState(JoystickStateSize, state), DIERR_NOTACQUIRED);
    s.stick->acquire();
    EXPECT_EQ(s.stick->getDeviceState(20, state), DIERR_INVALIDPARAM);
    EXPECT_EQ(s.stick->getDeviceState(JoystickStateSize, state), DI_OK);
    EXPECT_EQ(stateWord(state, 0), 0u);
    EXPECT_EQ(stateWord(state, 44), PovCentred);
    s.stickScript.setStateWord(4, 123);
    s.stickScript.state[48] = 0x80;
    s.fake.setResult("GetDeviceState", DIERR_INPUTLOST, 2);
    EXPECT_EQ(s.stick->getDeviceState(JoystickStateSize, state), DI_OK);
    EXPECT_EQ(stateWord(state, 4), 123u);
    EXPECT_EQ(state[48], 0x80);
    EXPECT_EQ(s.stick->getDeviceState(JoystickStateSize, state), DIERR_INPUTLOST);
    EXPECT_EQ(s.fake.journal("GetDeviceState").back().count, JoystickStateSize);
}

TEST(FakeDirectInputTest, EnumDevicesListsInScriptOrderAndStopsWhenAsked) {
    OpenDevices s;
    s.fake.addDevice(instance("Mouse", 3));
    std::vector<std::string> seen;
    s.system->enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, [&](const DeviceInstance& i) {
        seen.push_back(i.instanceName);
        return seen.size() < 2;
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"Stick", "Pad"}));
}

TEST(FakeDirectInputTest, EnumObjectsListsByTypeAndStopsWhenAsked) {
    OpenDevices s;
    s.stickScript.objects = {{{}, 0, DIDFT_ABSAXIS, 0, "X"}, {{}, 48, DIDFT_PSHBUTTON, 0, "Trigger"}, {{}, 4, DIDFT_ABSAXIS, 0, "Y"}};
    std::vector<std::string> seen;
    const ObjectCallback untilTheButton = [&](const ObjectInstance& o) {
        seen.push_back(o.name);
        return o.name != "Trigger";
    };
    s.stick->enumObjects(DIDFT_AXIS, untilTheButton);
    s.stick->enumObjects(DIDFT_ALL, untilTheButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"X", "Y", "X", "Trigger"}));
}

// CreateDevice refuses an unknown instance, gives a scripted failure without a device, or may give no interface.
TEST(FakeDirectInputTest, CreateDeviceRefusesFailsAsScriptedOrGivesNoInterface) {
    OpenDevices s;
    std::unique_ptr<Device> device;
    EXPECT_EQ(s.system->createDevice(instance("None", 9).guidInstance, device), DIERR_DEVICENOTREG);
    EXPECT_FALSE(device);
    s.fake.setResult("CreateDevice", DIERR_NOINTERFACE, 2, "Stick");
    const std::pair<HResult, bool> calls[] = {{DI_OK, true}, {DIERR_NOINTERFACE, false}, {DI_OK, true}};
    for (const auto& [result, made] : calls) {
        EXPECT_EQ(s.system->createDevice(s.stickScript.instance.guidInstance, device), result);
        EXPECT_EQ(device != nullptr, made);
    }
    s.padScript.nullInterface = true;
    EXPECT_EQ(s.system->createDevice(s.padScript.instance.guidInstance, device), DI_OK);
    EXPECT_FALSE(device);
}

TEST(FakeDirectInputTest, JournalHoldsEveryCallWithItsDeviceAndArguments) {
    OpenDevices s;
    int window = 0;
    s.stick->setCooperativeLevel(&window, DISCL_EXCLUSIVE | DISCL_FOREGROUND);
    s.pad->setDataFormat(DataFormat::Joystick2);
    s.stick->setProperty(DIPROP_RANGE, PropertyRange{{24, 16, 0x102, DIPH_BYID}, -1000, 2000});
    s.stick->setProperty(DIPROP_BUFFERSIZE, PropertyDword{{20, 16, 0, DIPH_DEVICE}, 1024});
    s.stick.reset();
    s.pad.reset();
    s.system.reset();

    std::vector<std::string> methods;
    for (const FakeCall& call : s.fake.journal())
        methods.push_back(call.method + " " + call.device);
    EXPECT_EQ(methods, (std::vector<std::string>{"DirectInput8Create ", "CreateDevice Stick", "CreateDevice Pad",
        "SetCooperativeLevel Stick", "SetDataFormat Pad", "SetProperty Stick", "SetProperty Stick",
        "Release Stick", "Release Pad", "Release "}));
    const std::vector<FakeCall>& calls = s.fake.journal();
    EXPECT_EQ(calls[2].guid, s.padScript.instance.guidInstance);
    EXPECT_EQ(std::tie(calls[3].window, calls[3].flags), std::make_tuple(&window, DISCL_EXCLUSIVE | DISCL_FOREGROUND));
    EXPECT_EQ(calls[4].format, DataFormat::Joystick2);
    EXPECT_EQ(std::tie(calls[5].property, calls[5].header.obj, calls[5].min, calls[5].max),
              std::make_tuple(DIPROP_RANGE, 0x102u, -1000, 2000));
    EXPECT_EQ(std::tie(calls[6].property, calls[6].data), std::make_tuple(DIPROP_BUFFERSIZE, 1024u));
}

TEST(FakeDirectInputTest, JournalKeepsDeepCopiesOfEffectParametersAndRefusedEffectsTakeNoSerial) {
    OpenDevices s;
    uint32_t axes[] = {0, 4};
    int32_t directions[] = {3000, 4000};
    Envelope envelope{20, 5000, 0, 0, 0};
    Condition conditions[2] = {{}, {-2500, 0, 0, 0, 0, 0}};
    EffectParameters p;
    p.axisCount = 2;
    p.axes = axes;
    p.directions = directions;
    p.envelope = &envelope;
    p.typeSpecificSize = sizeof(conditions);
    p.typeSpecificParams = conditions;
    std::unique_ptr<Effect> refused, effect;
    s.fake.setResult("CreateEffect", DIERR_DEVICEFULL, 1);
    EXPECT_EQ(s.stick->createEffect(GUID_Spring, p, refused), DIERR_DEVICEFULL);
    EXPECT_FALSE(refused);
    ASSERT_EQ(s.stick->createEffect(GUID_Spring, p, effect), DI_OK);
    axes[1] = 8;  // the caller's records change after the call
    envelope.attackLevel = 0;
    conditions[1].offset = 0;
    p.axes = nullptr;
    effect->setParameters(p, DIEP_TYPESPECIFICPARAMS);
    effect.reset();

    const std::vector<FakeCall> created = s.fake.journal("CreateEffect");
    const FakeEffectParameters& p1 = created[1].parameters;
    EXPECT_EQ(std::make_tuple(created[0].effect, created[1].effect, created[1].guid, p1.axes, p1.directions,
                              p1.envelope->attackLevel, p1.conditions().at(1).offset),
              std::make_tuple(0u, 1u, GUID_Spring, std::vector<uint32_t>{0, 4}, std::vector<int32_t>{3000, 4000},
                              5000u, -2500));
    const FakeCall set = s.fake.journal("SetParameters").at(0);
    EXPECT_EQ(std::make_pair(set.flags, set.parameters.axes.size()), std::make_pair(DIEP_TYPESPECIFICPARAMS, size_t{0}));
}

TEST(ResultCodesTest, CodesTheLibraryActsOnHaveTheirPlatformValuesAndDescriptions) {
    const std::pair<HResult, uint32_t> named[] = {{DI_OK, 0}, {DI_BUFFEROVERFLOW, 1}, {DIERR_NOTACQUIRED, 0x8007000C},
        {DIERR_INPUTLOST, 0x8007001E}, {DIERR_OTHERAPPHASPRIO, 0x80070005}, {DIERR_UNPLUGGED, 0x80040209}};
    for (const auto& [code, value] : named) {
        EXPECT_EQ(static_cast<uint32_t>(code), value);
        EXPECT_STRNE(errorDescription(code), "n/a") << std::hex << value;
    }
    for (HResult code : {5, -1, static_cast<HResult>(0x80040300), static_cast<HResult>(0x80070001)})
        EXPECT_STREQ(errorDescription(code), "n/a") << std::hex << code;
}

TEST(PortTest, CreateGivesTheBackendsSystemAndFailsWithoutOne) {
    std::unique_ptr<System> system;
    EXPECT_EQ(createNative(system), DIERR_UNSUPPORTED);
    FakeDirectInput fake;
    EXPECT_EQ(fake.create(system), DI_OK);
    EXPECT_TRUE(system);
    fake.setResult("DirectInput8Create", DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(fake.create(system), DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_FALSE(system);
    EXPECT_EQ(fake.journal("DirectInput8Create").size(), 2u);
}
