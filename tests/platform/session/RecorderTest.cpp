#include "platform/Clock.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/ResultCodes.h"
#include "platform/directinput/System.h"
#include "platform/directinput/fake/FakeDirectInput.h"
#include "platform/npclient/NPClient.h"
#include "platform/session/GuidText.h"
#include "platform/session/Session.h"
#include "support/FakeDevices.h"
#include "support/SessionSupport.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>

using namespace DirectInput;
using SessionTests::ScopedVariable;

namespace {

// A clock that goes on by 16 ms at every reading.
uint32_t steppingClock() {
    static uint32_t now = 5000;
    return now += 16;
}

// Drives a System the way the library does and writes down every answer that
// a session holds: the devices, their capabilities and objects, the head
// tracker's set-up, then per frame each device's Poll and GetDeviceData, the
// tracker's frame, and the clock when the tracker brought a new frame.
std::vector<std::string> drive(int frames) {
    std::vector<std::string> said;
    const auto say = [&said](const std::ostringstream& line) { said.push_back(line.str()); };
    std::unique_ptr<System> system;
    said.push_back("create " + std::to_string(create(system)));
    if (!system)
        return said;

    std::vector<DeviceInstance> instances;
    system->enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, [&](const DeviceInstance& i) { return instances.push_back(i), true; });
    std::vector<std::unique_ptr<Device>> devices;
    for (const DeviceInstance& i : instances) {
        std::unique_ptr<Device> device;
        const HResult result = system->createDevice(i.guidInstance, device);
        std::ostringstream line;
        line << "device " << Session::formatGuid(i.guidInstance) << ' ' << Session::formatGuid(i.guidProduct) << ' '
             << i.devType << ' ' << i.instanceName << '/' << i.productName << ' ' << i.usagePage << ' ' << result;
        if (device) {
            DeviceCaps caps;
            caps.size = 44;
            device->getCapabilities(caps);
            line << " caps " << caps.flags << ' ' << caps.devType << ' ' << caps.axes << ' ' << caps.buttons << ' ' << caps.povs;
            for (uint32_t flags : {DIDFT_ALL, DIDFT_AXIS})
                device->enumObjects(flags, [&](const ObjectInstance& o) {
                    line << " [" << Session::formatGuid(o.guidType) << ' ' << o.ofs << ' ' << o.type << ' ' << o.flags << ' ' << o.name << ']';
                    return true;
                });
            device->acquire();
            devices.push_back(std::move(device));
        }
        say(line);
    }

    NPClient::Client& tracker = NPClient::client();
    std::string folder;
    uint16_t version = 0;
    std::ostringstream setup;
    setup << "tracker " << static_cast<int>(tracker.locate(folder)) << ' ' << folder << ' ' << tracker.load(folder) << ' '
          << tracker.registerWindowHandle(nullptr) << ' ' << tracker.queryVersion(version) << ' ' << version;
    say(setup);

    uint16_t lastSignature = 0;
    for (int n = 1; n <= frames; ++n) {
        Session::beginFrame();
        std::ostringstream line;
        line << "frame " << n;
        for (const std::unique_ptr<Device>& device : devices) {
            line << " | poll " << device->poll();
            DeviceObjectData records[1024];
            uint32_t count = 1024;
            line << " fetch " << device->getDeviceData(records, count, 0);
            for (uint32_t i = 0; i < count; ++i)
                line << " (" << records[i].ofs << ',' << records[i].data << ',' << records[i].timeStamp << ')';
        }
        NPClient::DataFrame frame;
        const NPClient::Result result = tracker.getData(frame);
        line << " | tracker " << result;
        if (result == NPClient::Success) {
            line << ' ' << frame.status << ' ' << frame.frameSignature << ' ' << frame.roll << ' ' << frame.pitch << ' '
                 << frame.yaw << ' ' << frame.x << ' ' << frame.y << ' ' << frame.z;
            if (frame.frameSignature != lastSignature)
                line << " at " << Platform::ticks();
            lastSignature = frame.frameSignature;
        }
        say(line);
    }
    return said;
}

// Fake devices with records, failures and an overflow, and a scripted tracker.
struct Recording {
    FakeDirectInput fake;
    SessionTests::ScriptedClient client;
    NPClient::Client* previousClient;
    Platform::TickClock previousClock;

    Recording() : previousClient(NPClient::selectClient(&client)), previousClock(Platform::setTickClock(steppingClock)) {
        using namespace FakeDevices;
        FakeDeviceScript& keyboard = FakeDevices::keyboard(fake, 1);
        keyboard.caps.buttons = 3;
        keyboard.batches = {{record(0x1E, 0x80, 100)}, {}, {record(0x1E, 0, 140), record(0x2A, 0x80, 140)}};
        FakeDeviceScript& stick = joystick(fake, 2, "Stick", true);
        stick.instance.usagePage = 1;
        stick.batches = {{record(0, 0xE0000001u, 101), record(32, 9000, 101)}, {}, {}, {record(48, 0x80, 170)}};
        fake.addDevice(instance(3, DI8DEVTYPE_DEVICECTRL, "Broken"));
        fake.setResult("CreateDevice", DIERR_OTHERAPPHASPRIO, 0, "Broken");
        fake.setResult("GetDeviceData", DIERR_INPUTLOST, 2, "Keyboard");  // in frame 2
        fake.setResult("GetDeviceData", DI_BUFFEROVERFLOW, 4, "Stick");   // frame 4
        fake.setResult("Poll", DIERR_NOTACQUIRED, 3, "Stick");            // frame 3
        client.answers = {{NPClient::Success, SessionTests::trackerFrame(0, 0, 0)},
                          {NPClient::Success, SessionTests::trackerFrame(7, 100, -50.5f)},
                          {NPClient::Success, SessionTests::trackerFrame(7, 100, -50.5f)},
                          {NPClient::NotAvailable, {}},
                          {NPClient::Success, SessionTests::trackerFrame(8, 0.1f, 3, 2)}};
    }

    ~Recording() {
        Platform::setTickClock(previousClock);
        NPClient::selectClient(previousClient);
    }
};

} // namespace

TEST(RecorderTest, ARecordedSessionReplaysTheSameAnswersCallForCall) {
    const std::string path = SessionTests::tempPath(".jsonl");
    std::vector<std::string> recorded;
    {
        Recording recording;
        FakeInstallation installed = recording.fake.install();
        ScopedVariable record("VORLAN_RECORD", path);
        recorded = drive(6);
    }
    std::vector<std::string> replayed;
    {
        ScopedVariable replay("VORLAN_REPLAY", path);
        replayed = drive(6);
        EXPECT_TRUE(Session::replayFinished() == false);  // the system is gone with the replay
    }
    EXPECT_EQ(recorded, replayed);
    ASSERT_EQ(recorded.size(), 11u);
    EXPECT_EQ(recorded[3], "device 10000003-ABCD-EF01-0313-233343536373 10000067-ABCD-EF01-6777-8797A7B7C7D7 281 Broken/Broken product 0 " +
                               std::to_string(DIERR_OTHERAPPHASPRIO));
    EXPECT_NE(recorded[6].find("fetch " + std::to_string(DIERR_INPUTLOST)), std::string::npos) << recorded[6];

    // Re-recording the replay gives a session that replays the same again.
    const std::string again = SessionTests::tempPath("-again.jsonl");
    {
        ScopedVariable replay("VORLAN_REPLAY", path);
        ScopedVariable record("VORLAN_RECORD", again);
        EXPECT_EQ(drive(6), recorded);
    }
    ScopedVariable replay("VORLAN_REPLAY", again);
    EXPECT_EQ(drive(6), recorded);
}

TEST(RecorderTest, EachFrameIsInTheFileWhenTheNextBegins) {
    const std::string path = SessionTests::tempPath(".jsonl");
    Recording recording;
    FakeInstallation installed = recording.fake.install();
    ScopedVariable record("VORLAN_RECORD", path);
    std::unique_ptr<System> system;
    ASSERT_EQ(create(system), DI_OK);
    system->enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, [](const DeviceInstance&) { return true; });
    std::unique_ptr<Device> stick;
    ASSERT_EQ(system->createDevice(FakeDevices::guid(2), stick), DI_OK);
    stick->acquire();
    EXPECT_TRUE(SessionTests::readLines(path).empty());  // the set-up is written when the first frame begins

    const auto frames = [&] {
        std::vector<nlohmann::json> lines;
        for (const std::string& line : SessionTests::readLines(path))
            lines.push_back(nlohmann::json::parse(line));
        return lines;
    };
    Session::beginFrame();
    std::vector<nlohmann::json> lines = frames();
    ASSERT_EQ(lines.size(), 4u);  // the header, three devices, no head tracker as none was located
    EXPECT_EQ(lines[0], nlohmann::json::parse(R"({"format":"vorlan-session","version":1})"));
    EXPECT_EQ(lines[2]["device"], "joystick");
    EXPECT_EQ(lines[2]["caps"]["flags"], DIDC_FORCEFEEDBACK);
    EXPECT_EQ(lines[2]["objects"].size(), 4u);
    EXPECT_EQ(lines[3]["device"], "device");

    DeviceObjectData records[8];
    uint32_t count = 8;
    stick->getDeviceData(records, count, 0);
    Session::beginFrame();
    lines = frames();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], nlohmann::json::parse(R"({"frame":1,"devices":{"joystick":{"data":[[0,-536870911,101],[32,9000,101]]}}})"));

    Session::beginFrame();  // frame 2 brought nothing and is left out
    EXPECT_EQ(frames().size(), 5u);
    stick.reset();
    system.reset();  // the last frame is written even when nothing happened in it
    lines = frames();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[5], nlohmann::json::parse(R"({"frame":3})"));
}
