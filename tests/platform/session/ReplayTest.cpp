#include "platform/Clock.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/ResultCodes.h"
#include "platform/directinput/System.h"
#include "platform/directinput/fake/FakeDirectInput.h"
#include "platform/npclient/NPClient.h"
#include "platform/session/GuidText.h"
#include "platform/session/Session.h"
#include "support/SessionSupport.h"

#include <gtest/gtest.h>

using namespace DirectInput;
using SessionTests::ScopedVariable;

namespace {

const char* const session = R"({"format":"vorlan-session","version":1}
{"device":"kbd","instance":"6F1D2B61-D5A0-11CF-BFC7-444553540000","type":1043,"name":"Keyboard","caps":{"flags":1,"buttons":128},"objects":[{"ofs":30,"type":12,"name":"A"}]}
{"device":"stick","instance":"a1b2c3d4-0000-11ef-8001-444553540000","product":"0402044F-0000-0000-0000-504944564944","type":66068,"name":"Flight Stick","productName":"Stick Pro","usagePage":1,"usage":4,"caps":{"flags":257,"axes":2,"povs":1},"objects":[{"guid":"A36D02E0-C9F3-11CF-BFC7-444553540000","ofs":0,"type":258,"flags":1,"name":"X"},{"ofs":48,"type":12,"name":"B0"}]}
{"device":"broken","instance":"00000000-0000-0000-0000-000000000009","type":1044,"name":"Broken","create":-2147024891}
{"headTracker":{"folder":"C:\\Tracker","version":1280,"results":{"requestData":7}}}
{"frame":1,"devices":{"kbd":{"result":-2147024884}}}

{"frame":2,"devices":{"kbd":{"data":[[30,128,1000],[30,0,1010],[42,128,1010]]},"stick":{"result":1,"data":[[0,-536870911,1001]]}},"headTracker":{"signature":1,"pitch":100,"yaw":-50.5},"ticks":1017}
{"frame":4,"devices":{"stick":{"poll":-2147024866}},"headTracker":{"result":4}}
{"frame":5,"headTracker":{"signature":2,"yaw":3}}
)";

Guid guidOf(const char* text) {
    Guid guid;
    EXPECT_TRUE(Session::parseGuid(text, guid)) << text;
    return guid;
}

struct Fetched {
    HResult result;
    std::vector<DeviceObjectData> records;
};

Fetched fetch(Device& device, uint32_t room = 16) {
    std::vector<DeviceObjectData> records(room);
    uint32_t count = room;
    const HResult result = device.getDeviceData(records.data(), count, 0);
    records.resize(count);
    return {result, records};
}

std::vector<uint32_t> offsets(const std::vector<DeviceObjectData>& records) {
    std::vector<uint32_t> found;
    for (const DeviceObjectData& r : records)
        found.push_back(r.ofs);
    return found;
}

} // namespace

TEST(ReplayTest, DevicesAreTheSessionsWithTheirCapabilitiesObjectsAndCreationResults) {
    ScopedVariable replay("VORLAN_REPLAY", SessionTests::writeFile(".jsonl", session));
    std::unique_ptr<System> system;
    ASSERT_EQ(create(system), DI_OK);
    ASSERT_TRUE(system);
    EXPECT_EQ(createFailure(), "");

    std::vector<DeviceInstance> listed;
    EXPECT_EQ(system->enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, [&](const DeviceInstance& i) {
        listed.push_back(i);
        return true;
    }), DI_OK);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(Session::formatGuid(listed[1].guidInstance), "A1B2C3D4-0000-11EF-8001-444553540000");
    EXPECT_EQ(Session::formatGuid(listed[1].guidProduct), "0402044F-0000-0000-0000-504944564944");
    EXPECT_EQ(listed[1].devType, 66068u);
    EXPECT_EQ(listed[1].instanceName, "Flight Stick");
    EXPECT_EQ(listed[1].productName, "Stick Pro");
    EXPECT_EQ(listed[0].productName, "Keyboard");  // defaults to the instance name
    EXPECT_EQ(listed[1].usagePage, 1u);
    EXPECT_EQ(listed[1].usage, 4u);

    std::unique_ptr<Device> keyboard, stick, broken, unknown;
    EXPECT_EQ(system->createDevice(listed[0].guidInstance, keyboard), DI_OK);
    EXPECT_EQ(system->createDevice(listed[1].guidInstance, stick), DI_OK);
    EXPECT_EQ(system->createDevice(listed[2].guidInstance, broken), E_ACCESSDENIED);
    EXPECT_EQ(system->createDevice(Guid{}, unknown), DIERR_DEVICENOTREG);
    ASSERT_TRUE(keyboard && stick);
    EXPECT_FALSE(broken || unknown);

    DeviceCaps caps;
    caps.size = 44;
    EXPECT_EQ(stick->getCapabilities(caps), DI_OK);
    EXPECT_EQ(caps.size, 44u);
    EXPECT_EQ(caps.flags, 257u);
    EXPECT_EQ(caps.devType, 66068u);  // defaults to the instance's type
    EXPECT_EQ(caps.axes, 2u);
    EXPECT_EQ(caps.povs, 1u);
    EXPECT_EQ(caps.buttons, 0u);

    std::vector<ObjectInstance> all, axes;
    EXPECT_EQ(stick->enumObjects(DIDFT_ALL, [&](const ObjectInstance& o) { return all.push_back(o), true; }), DI_OK);
    EXPECT_EQ(stick->enumObjects(DIDFT_AXIS, [&](const ObjectInstance& o) { return axes.push_back(o), true; }), DI_OK);
    ASSERT_EQ(all.size(), 2u);
    ASSERT_EQ(axes.size(), 1u);
    EXPECT_EQ(Session::formatGuid(axes[0].guidType), "A36D02E0-C9F3-11CF-BFC7-444553540000");
    EXPECT_EQ(axes[0].type, 258u);
    EXPECT_EQ(axes[0].flags, 1u);
    EXPECT_EQ(axes[0].name, "X");
    EXPECT_EQ(all[1].ofs, 48u);

    // Calls the session says nothing about succeed.
    std::unique_ptr<Effect> effect;
    EXPECT_EQ(stick->setCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    EXPECT_EQ(stick->setDataFormat(DataFormat::Joystick2), DI_OK);
    EXPECT_EQ(stick->setProperty(DIPROP_BUFFERSIZE, PropertyDword{}), DI_OK);
    EXPECT_EQ(stick->acquire(), DI_OK);
    EXPECT_EQ(stick->createEffect(Guid{}, EffectParameters{}, effect), DI_OK);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->start(1, 0), DI_OK);
}

TEST(ReplayTest, FetchesTheTrackerAndTheClockAnswerFrameByFrame) {
    ScopedVariable replay("VORLAN_REPLAY", SessionTests::writeFile(".jsonl", session));
    std::unique_ptr<System> system;
    ASSERT_EQ(create(system), DI_OK);
    std::unique_ptr<Device> keyboard, stick;
    system->createDevice(guidOf("6F1D2B61-D5A0-11CF-BFC7-444553540000"), keyboard);
    system->createDevice(guidOf("A1B2C3D4-0000-11EF-8001-444553540000"), stick);
    ASSERT_TRUE(keyboard && stick);

    NPClient::Client& tracker = NPClient::client();
    std::string folder;
    uint16_t version = 0;
    EXPECT_EQ(tracker.locate(folder), NPClient::Location::Found);
    EXPECT_EQ(folder, "C:\\Tracker");
    EXPECT_EQ(tracker.load(folder), NPClient::Success);
    EXPECT_EQ(tracker.queryVersion(version), NPClient::Success);
    EXPECT_EQ(version, 1280);
    EXPECT_EQ(tracker.requestData(0x77), 7);

    // Before the first frame: nothing to fetch.
    EXPECT_EQ(fetch(*keyboard).result, DI_OK);
    EXPECT_TRUE(fetch(*keyboard).records.empty());
    EXPECT_FALSE(Session::replayFinished());

    Session::beginFrame();  // 1
    EXPECT_EQ(fetch(*keyboard).result, DIERR_NOTACQUIRED);
    EXPECT_EQ(stick->poll(), DI_OK);
    NPClient::DataFrame frame;
    EXPECT_EQ(tracker.getData(frame), NPClient::Success);
    EXPECT_EQ(frame.frameSignature, 0);
    EXPECT_EQ(Platform::ticks(), 0u);

    Session::beginFrame();  // 2: a fetch takes what it has room for, the rest waits
    const Fetched first = fetch(*keyboard, 2);
    EXPECT_EQ(first.result, DI_OK);
    EXPECT_EQ(offsets(first.records), (std::vector<uint32_t>{30, 30}));
    EXPECT_EQ(first.records[0].data, 128u);
    EXPECT_EQ(first.records[1].timeStamp, 1010u);
    const Fetched rest = fetch(*keyboard);
    EXPECT_EQ(offsets(rest.records), std::vector<uint32_t>{42});
    EXPECT_LT(first.records[1].sequence, rest.records[0].sequence);
    const Fetched overflow = fetch(*stick);
    EXPECT_EQ(overflow.result, DI_BUFFEROVERFLOW);
    ASSERT_EQ(overflow.records.size(), 1u);
    EXPECT_EQ(static_cast<int32_t>(overflow.records[0].data), -536870911);
    EXPECT_EQ(tracker.getData(frame), NPClient::Success);
    EXPECT_EQ(frame.frameSignature, 1);
    EXPECT_EQ(frame.pitch, 100.0f);
    EXPECT_EQ(frame.yaw, -50.5f);
    EXPECT_EQ(frame.roll, 0.0f);
    EXPECT_EQ(Platform::ticks(), 1017u);

    Session::beginFrame();  // 3, without a line: the tracker repeats its frame, the clock stands
    EXPECT_TRUE(fetch(*keyboard).records.empty());
    EXPECT_EQ(tracker.getData(frame), NPClient::Success);
    EXPECT_EQ(frame.frameSignature, 1);
    EXPECT_EQ(Platform::ticks(), 1017u);

    Session::beginFrame();  // 4
    EXPECT_EQ(stick->poll(), DIERR_INPUTLOST);
    EXPECT_EQ(tracker.getData(frame), NPClient::NotAvailable);
    EXPECT_FALSE(Session::replayFinished());

    Session::beginFrame();  // 5, the last: members left out keep their values
    EXPECT_TRUE(Session::replayFinished());
    EXPECT_EQ(tracker.getData(frame), NPClient::Success);
    EXPECT_EQ(frame.frameSignature, 2);
    EXPECT_EQ(frame.yaw, 3.0f);
    EXPECT_EQ(frame.pitch, 100.0f);

    Session::beginFrame();  // after the last
    EXPECT_TRUE(Session::replayFinished());
    EXPECT_EQ(stick->poll(), DI_OK);
    EXPECT_EQ(fetch(*stick).result, DI_OK);

    keyboard.reset();
    stick.reset();
    system.reset();
    EXPECT_EQ(&NPClient::client(), &NPClient::nativeClient());
    EXPECT_FALSE(Session::replayFinished());
    Session::beginFrame();  // no session: nothing happens
}

TEST(ReplayTest, ASessionWithoutHeadTrackerHasNone) {
    ScopedVariable replay("VORLAN_REPLAY", SessionTests::writeFile(".jsonl", "{\"format\":\"vorlan-session\",\"version\":1}\n"));
    std::unique_ptr<System> system;
    ASSERT_EQ(create(system), DI_OK);
    std::string folder;
    NPClient::DataFrame frame;
    EXPECT_EQ(NPClient::client().locate(folder), NPClient::Location::KeyMissing);
    EXPECT_EQ(NPClient::client().getData(frame), NPClient::NotAvailable);
    EXPECT_TRUE(Session::replayFinished());
}

TEST(ReplayTest, CreateFailureSaysWhyCreateFailed) {
    {
        std::unique_ptr<System> system;
        EXPECT_EQ(create(system), DIERR_UNSUPPORTED);
        EXPECT_EQ(createFailure(), "no DirectInput here, set VORLAN_REPLAY=FILE to replay a session file");
    }
    {
        FakeDirectInput fake;
        FakeInstallation installed = fake.install();
        fake.setResult("DirectInput8Create", DIERR_OUTOFMEMORY);
        std::unique_ptr<System> system;
        EXPECT_EQ(create(system), DIERR_OUTOFMEMORY);
        EXPECT_EQ(createFailure(), errorDescription(DIERR_OUTOFMEMORY));
    }
    {
        const std::string path = SessionTests::tempPath(".jsonl");
        ScopedVariable replay("VORLAN_REPLAY", path);
        ScopedVariable record("VORLAN_RECORD", path);
        std::unique_ptr<System> system;
        EXPECT_TRUE(failed(create(system)));
        EXPECT_EQ(createFailure(), "VORLAN_RECORD and VORLAN_REPLAY name the same file " + path);
    }
    {
        FakeDirectInput fake;
        FakeInstallation installed = fake.install();
        ScopedVariable record("VORLAN_RECORD", "/nonexistent-folder/session.jsonl");
        std::unique_ptr<System> system;
        EXPECT_TRUE(failed(create(system)));
        EXPECT_FALSE(system);
        EXPECT_EQ(createFailure(), "/nonexistent-folder/session.jsonl: cannot be written (No such file or directory)");
        ScopedVariable noRecord("VORLAN_RECORD", nullptr);
        EXPECT_EQ(create(system), DI_OK);
        EXPECT_EQ(createFailure(), "");
    }
}
