#include "devices/directinput/Constants.h"
#include "devices/directinput/KnownGuids.h"
#include "devices/directinput/ResultCodes.h"
#include "devices/directinput/fake/FakeDirectInput.h"

#include <gtest/gtest.h>

#include <vector>

using namespace DirectInput;

namespace {

DeviceInstance instance(const char* name, uint8_t id, uint32_t devType) {
    DeviceInstance i;
    i.guidInstance.data1 = id;
    i.devType = devType;
    i.instanceName = name;
    i.productName = std::string(name) + " product";
    return i;
}

DeviceObjectData record(uint32_t ofs, uint32_t data, uint32_t time) {
    DeviceObjectData r;
    r.ofs = ofs;
    r.data = data;
    r.timeStamp = time;
    return r;
}

// A fake with one joystick opened through the port's calls.
struct OpenStick {
    FakeDirectInput fake;
    FakeDeviceScript& script = fake.addDevice(instance("Stick", 1, DI8DEVTYPE_JOYSTICK | 0x100));
    std::unique_ptr<System> system;
    std::unique_ptr<Device> device;

    OpenStick() {
        fake.create(system);
        system->createDevice(script.instance.guidInstance, device);
    }

    // Reads one frame: the result and the offsets of the records returned.
    std::pair<HResult, std::vector<uint32_t>> read(uint32_t room = 8) {
        std::vector<DeviceObjectData> records(room);
        uint32_t count = room;
        const HResult result = device->getDeviceData(records.data(), count, 0);
        std::vector<uint32_t> offsets;
        for (uint32_t i = 0; i < count; ++i)
            offsets.push_back(records[i].ofs);
        return {result, offsets};
    }
};

using Frame = std::pair<HResult, std::vector<uint32_t>>;

} // namespace

TEST(FakeDirectInputTest, AResultScriptedForTheNthCallComesOnlyThen) {
    OpenStick s;
    s.fake.setResult("Acquire", DIERR_OTHERAPPHASPRIO, 2);
    EXPECT_EQ(s.device->acquire(), DI_OK);
    EXPECT_EQ(s.device->acquire(), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(s.device->acquire(), S_FALSE);  // still acquired from the first call
}

TEST(FakeDirectInputTest, AResultScriptedForEveryCallComesEveryTimeAndOnlyOnItsDevice) {
    FakeDirectInput fake;
    FakeDeviceScript& stick = fake.addDevice(instance("Stick", 1, DI8DEVTYPE_JOYSTICK));
    FakeDeviceScript& pad = fake.addDevice(instance("Pad", 2, DI8DEVTYPE_GAMEPAD));
    std::unique_ptr<System> system;
    fake.create(system);
    std::unique_ptr<Device> a, b;
    system->createDevice(stick.instance.guidInstance, a);
    system->createDevice(pad.instance.guidInstance, b);

    fake.setResult("Poll", DIERR_INPUTLOST, 0, "Stick");
    a->acquire();
    b->acquire();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a->poll(), DIERR_INPUTLOST);
        EXPECT_EQ(b->poll(), DI_OK);
    }
}

TEST(FakeDirectInputTest, FirstMatchingRuleWinsButEveryRuleCountsTheCall) {
    OpenStick s;
    s.fake.setResult("Unacquire", DIERR_GENERIC, 1);
    s.fake.setResult("Unacquire", DIERR_INPUTLOST, 2);
    s.fake.setResult("Unacquire", DIERR_NOTINITIALIZED);
    EXPECT_EQ(s.device->unacquire(), DIERR_GENERIC);
    EXPECT_EQ(s.device->unacquire(), DIERR_INPUTLOST);
    EXPECT_EQ(s.device->unacquire(), DIERR_NOTINITIALIZED);
}

TEST(FakeDirectInputTest, BufferedBatchesComeFrameByFrameOnlyWhileAcquired) {
    OpenStick s;
    s.script.batches = {{record(0, 1, 10), record(4, 2, 11), record(48, 0x80, 12)}, {record(8, 3, 20)}};

    EXPECT_EQ(s.read(), (Frame{DIERR_NOTACQUIRED, {}}));
    s.device->acquire();
    EXPECT_EQ(s.read(2), (Frame{DI_OK, {0, 4}}));  // the rest of a batch stays for the next read
    EXPECT_EQ(s.read(), (Frame{DI_OK, {48}}));
    s.fake.setResult("GetDeviceData", DIERR_INPUTLOST, 1);
    EXPECT_EQ(s.read(), (Frame{DIERR_INPUTLOST, {}}));  // a failed read loses nothing
    s.fake.setResult("GetDeviceData", DI_BUFFEROVERFLOW, 1);
    EXPECT_EQ(s.read(), (Frame{DI_BUFFEROVERFLOW, {8}}));
    EXPECT_EQ(s.read(), (Frame{DI_OK, {}}));
}

TEST(FakeDirectInputTest, RecordsKeepTheirScriptedFields) {
    OpenStick s;
    s.script.batches = {{record(32, 9000, 0xFFFFFFF0u)}};
    s.device->acquire();
    DeviceObjectData out;
    uint32_t count = 1;
    EXPECT_EQ(s.device->getDeviceData(&out, count, 0), DI_OK);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(out.ofs, 32u);
    EXPECT_EQ(out.data, 9000u);
    EXPECT_EQ(out.timeStamp, 0xFFFFFFF0u);
}

TEST(FakeDirectInputTest, EnumerationsListScriptsInOrderAndStopWhenAsked) {
    FakeDirectInput fake;
    fake.addDevice(instance("Keys", 1, DI8DEVTYPE_KEYBOARD | 0x100));
    fake.addDevice(instance("Mouse", 2, DI8DEVTYPE_MOUSE | 0x100));
    FakeDeviceScript& stick = fake.addDevice(instance("Stick", 3, DI8DEVTYPE_JOYSTICK | 0x100));
    ObjectInstance x, button, y;
    x.guidType = GUID_XAxis;
    x.type = DIDFT_ABSAXIS;
    button.ofs = 48;
    button.type = DIDFT_PSHBUTTON;
    y.guidType = GUID_YAxis;
    y.ofs = 4;
    y.type = DIDFT_ABSAXIS;
    y.flags = DIDOI_FFACTUATOR;
    stick.objects = {x, button, y};

    std::unique_ptr<System> system;
    fake.create(system);
    std::vector<std::string> names;
    EXPECT_EQ(system->enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, [&](const DeviceInstance& i) {
        names.push_back(i.instanceName);
        return names.size() < 2;
    }), DI_OK);
    EXPECT_EQ(names, (std::vector<std::string>{"Keys", "Mouse"}));

    std::unique_ptr<Device> device;
    system->createDevice(stick.instance.guidInstance, device);
    std::vector<uint32_t> axes, all;
    device->enumObjects(DIDFT_AXIS, [&](const ObjectInstance& o) { axes.push_back(o.ofs); return true; });
    device->enumObjects(DIDFT_ALL, [&](const ObjectInstance& o) { all.push_back(o.ofs); return true; });
    EXPECT_EQ(axes, (std::vector<uint32_t>{0, 4}));
    EXPECT_EQ(all, (std::vector<uint32_t>{0, 48, 4}));

    fake.setResult("EnumObjects", DIERR_INPUTLOST);
    bool called = false;
    EXPECT_EQ(device->enumObjects(DIDFT_ALL, [&](const ObjectInstance&) { return called = true; }), DIERR_INPUTLOST);
    EXPECT_FALSE(called);
}

TEST(FakeDirectInputTest, CreateDeviceRefusesUnknownAndScriptedFailuresAndMayGiveNoInterface) {
    FakeDirectInput fake;
    FakeDeviceScript& stick = fake.addDevice(instance("Stick", 1, DI8DEVTYPE_JOYSTICK));
    FakeDeviceScript& ghost = fake.addDevice(instance("Ghost", 2, DI8DEVTYPE_JOYSTICK));
    ghost.nullInterface = true;
    std::unique_ptr<System> system;
    fake.create(system);
    std::unique_ptr<Device> device;

    EXPECT_EQ(system->createDevice(instance("None", 9, 0).guidInstance, device), DIERR_DEVICENOTREG);
    EXPECT_FALSE(device);
    EXPECT_EQ(system->createDevice(ghost.instance.guidInstance, device), DI_OK);
    EXPECT_FALSE(device);
    fake.setResult("CreateDevice", DIERR_NOINTERFACE, 1, "Stick");
    EXPECT_EQ(system->createDevice(stick.instance.guidInstance, device), DIERR_NOINTERFACE);
    EXPECT_FALSE(device);
    EXPECT_EQ(system->createDevice(stick.instance.guidInstance, device), DI_OK);
    EXPECT_TRUE(device);
}

TEST(FakeDirectInputTest, JournalHoldsEveryDeviceCallWithItsArguments) {
    OpenStick s;
    s.script.caps.flags = DIDC_ATTACHED | DIDC_FORCEFEEDBACK;
    s.script.caps.axes = 2;
    s.fake.clearJournal();
    int window = 0;

    DeviceCaps caps;
    caps.size = 44;
    EXPECT_EQ(s.device->getCapabilities(caps), DI_OK);
    EXPECT_EQ(caps.flags, DIDC_ATTACHED | DIDC_FORCEFEEDBACK);
    EXPECT_EQ(caps.axes, 2u);
    EXPECT_EQ(caps.size, 44u);
    s.device->setCooperativeLevel(&window, DISCL_EXCLUSIVE | DISCL_FOREGROUND);
    s.device->setDataFormat(DataFormat::Joystick2);
    PropertyRange range;
    range.header.how = DIPH_BYID;
    range.header.obj = 0x102;
    range.min = -1073741823;
    range.max = 1073741823;
    s.device->setProperty(DIPROP_RANGE, range);
    PropertyDword buffer;
    buffer.data = 1024;
    s.device->setProperty(DIPROP_BUFFERSIZE, buffer);

    const std::vector<FakeCall>& calls = s.fake.journal();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].method, "GetCapabilities");
    EXPECT_EQ(calls[1].method, "SetCooperativeLevel");
    EXPECT_EQ(calls[1].window, &window);
    EXPECT_EQ(calls[1].flags, 0x05u);
    EXPECT_EQ(calls[2].format, DataFormat::Joystick2);
    EXPECT_EQ(calls[3].property, DIPROP_RANGE);
    EXPECT_EQ(calls[3].header.how, DIPH_BYID);
    EXPECT_EQ(calls[3].header.obj, 0x102u);
    EXPECT_EQ(calls[3].min, -1073741823);
    EXPECT_EQ(calls[3].max, 1073741823);
    EXPECT_EQ(calls[4].property, DIPROP_BUFFERSIZE);
    EXPECT_EQ(calls[4].header.how, DIPH_DEVICE);
    EXPECT_EQ(calls[4].header.size, 20u);
    EXPECT_EQ(calls[4].data, 1024u);
    for (const FakeCall& call : calls) {
        EXPECT_EQ(call.device, "Stick");
        EXPECT_EQ(call.result, DI_OK);
    }

    s.device.reset();
    s.system.reset();
    const std::vector<FakeCall> releases = s.fake.journal("Release");
    ASSERT_EQ(releases.size(), 2u);
    EXPECT_EQ(releases[0].device, "Stick");
    EXPECT_EQ(releases[1].device, "");
}

TEST(FakeDirectInputTest, JournalKeepsDeepCopiesOfEffectParameters) {
    OpenStick s;
    uint32_t axes[] = {0, 4};
    int32_t directions[] = {3000, 4000};
    Condition conditions[2];
    conditions[1].offset = -2500;
    conditions[1].positiveSaturation = 10000;
    EffectParameters p;
    p.size = EffectParametersSize;
    p.flags = DIEFF_CARTESIAN | DIEFF_OBJECTOFFSETS;
    p.duration = INFINITE;
    p.gain = 10000;
    p.triggerButton = DIEB_NOTRIGGER;
    p.axisCount = 2;
    p.axes = axes;
    p.directions = directions;
    p.typeSpecificSize = sizeof(conditions);
    p.typeSpecificParams = conditions;

    std::unique_ptr<Effect> effect;
    ASSERT_EQ(s.device->createEffect(GUID_Spring, p, effect), DI_OK);
    axes[1] = 8;  // the caller's arrays change after the call
    conditions[1].offset = 0;
    p.axes = nullptr;
    p.typeSpecificSize = sizeof(Condition);
    effect->setParameters(p, DIEP_TYPESPECIFICPARAMS | DIEP_GAIN);
    effect->start(1, 0);
    effect->stop();
    effect.reset();

    const FakeCall created = s.fake.journal("CreateEffect").at(0);
    EXPECT_EQ(created.guid, GUID_Spring);
    EXPECT_EQ(created.effect, 1u);
    EXPECT_EQ(created.parameters.size, 56u);
    EXPECT_EQ(created.parameters.flags, 0x12u);
    EXPECT_EQ(created.parameters.duration, 0xFFFFFFFFu);
    EXPECT_EQ(created.parameters.triggerButton, 0xFFFFFFFFu);
    EXPECT_EQ(created.parameters.axes, (std::vector<uint32_t>{0, 4}));
    EXPECT_EQ(created.parameters.directions, (std::vector<int32_t>{3000, 4000}));
    EXPECT_FALSE(created.parameters.envelope);
    ASSERT_EQ(created.parameters.conditions().size(), 2u);
    EXPECT_EQ(created.parameters.conditions()[1].offset, -2500);
    EXPECT_EQ(created.parameters.conditions()[1].positiveSaturation, 10000u);

    const FakeCall set = s.fake.journal("SetParameters").at(0);
    EXPECT_EQ(set.flags, 0x104u);
    EXPECT_TRUE(set.parameters.axes.empty());
    EXPECT_EQ(set.parameters.conditions().size(), 1u);

    std::vector<std::string> effectCalls;
    for (const FakeCall& call : s.fake.journal())
        if (call.effect == 1)
            effectCalls.push_back(call.method);
    EXPECT_EQ(effectCalls, (std::vector<std::string>{"CreateEffect", "SetParameters", "Start", "Stop", "Release"}));
    EXPECT_EQ(s.fake.journal("Start").at(0).count, 1u);
}

TEST(FakeDirectInputTest, ARefusedEffectIsNotMadeAndCountsNoSerial) {
    OpenStick s;
    EffectParameters p;
    std::unique_ptr<Effect> first, second;
    s.fake.setResult("CreateEffect", DIERR_DEVICEFULL, 1);
    EXPECT_EQ(s.device->createEffect(GUID_Square, p, first), DIERR_DEVICEFULL);
    EXPECT_FALSE(first);
    EXPECT_EQ(s.device->createEffect(GUID_Square, p, second), DI_OK);
    ASSERT_TRUE(second);
    const std::vector<FakeCall> created = s.fake.journal("CreateEffect");
    EXPECT_EQ(created[0].effect, 0u);
    EXPECT_EQ(created[0].result, DIERR_DEVICEFULL);
    EXPECT_EQ(created[1].effect, 1u);

    s.fake.setResult("Start", DIERR_NOTEXCLUSIVEACQUIRED);
    EXPECT_EQ(second->start(1, 0), DIERR_NOTEXCLUSIVEACQUIRED);
    EXPECT_EQ(second->start(1, 0), DIERR_NOTEXCLUSIVEACQUIRED);
}
