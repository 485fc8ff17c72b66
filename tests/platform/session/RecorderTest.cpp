#include "platform/directinput/ResultCodes.h"
#include "support/FakeDevices.h"
#include "support/SessionSupport.h"
#include "support/TestPlatform.h"

#include "platform/session/SessionReader.h"
#include "platform/session/SessionWriter.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>

using namespace DirectInput;
using namespace SessionTests;

namespace {

// A clock that goes on by 16 ms at every reading.
uint32_t steppingClock() {
    static uint32_t now = 5000;
    return now += 16;
}

// Fake devices with records, failures and an overflow, a scripted tracker and
// a stepping clock, as the platform.
struct Recording {
    FakeDirectInput fake;
    ScriptedClient client;
    const Platform::ContextMaker platform = TestPlatform::maker(fake, &client, steppingClock);

    Recording() {
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
        client.registerResult = 3;
        client.answers = {{NPClient::Success, trackerFrame(0, 0, 0)},
                          {NPClient::Success, trackerFrame(7, 100, -50.5f)},
                          {NPClient::Success, trackerFrame(7, 100, -50.5f)},
                          {NPClient::NotAvailable, {}},
                          {NPClient::Success, trackerFrame(8, 0.1f, 3, 2)}};
    }
};

} // namespace

TEST(RecorderTest, ARecordedSessionReplaysTheSameAnswersCallForCall) {
    const std::string path = tempPath(".jsonl"), again = tempPath("-again.jsonl");
    std::vector<std::string> recorded;
    {
        Recording recording;
        ScopedVariable record("VORLAN_RECORD", path);
        recorded = drive(6, recording.platform);
    }
    // The fake's failures are among the answers.
    ASSERT_EQ(recorded.size(), 11u);
    EXPECT_EQ(recorded[3], "10000003-ABCD-EF01-0313-233343536373 10000067-ABCD-EF01-6777-8797A7B7C7D7 281"
                           " Broken/Broken product 0 0 create " + std::to_string(DIERR_OTHERAPPHASPRIO));
    EXPECT_EQ(recorded[4], "tracker 0 trackers 0 3 0 0 1280");
    EXPECT_NE(recorded[6].find("fetch " + std::to_string(DIERR_INPUTLOST)), std::string::npos) << recorded[6];
    {
        ScopedVariable replay("VORLAN_REPLAY", path);
        EXPECT_EQ(drive(6), recorded);
    }
    {
        ScopedVariable replay("VORLAN_REPLAY", path);  // recording the replay records the same again
        ScopedVariable record("VORLAN_RECORD", again);
        EXPECT_EQ(drive(6), recorded);
    }
    ScopedVariable replay("VORLAN_REPLAY", again);
    EXPECT_EQ(drive(6), recorded);
}

TEST(RecorderTest, EachFrameIsInTheFileWhenTheNextBegins) {
    const std::string path = tempPath(".jsonl");
    Recording recording;
    ScopedVariable record("VORLAN_RECORD", path);
    std::unique_ptr<Platform::Context> context;
    std::string failure;
    ASSERT_EQ(Session::createContext(recording.platform, context, failure), DI_OK);
    System& system = context->directInput();
    system.enumDevices(DI8DEVCLASS_ALL, DIEDFL_ALLDEVICES, [](const DeviceInstance&) { return true; });
    std::unique_ptr<Device> stick;
    ASSERT_EQ(system.createDevice(FakeDevices::guid(2), stick), DI_OK);
    stick->acquire();
    EXPECT_TRUE(readLines(path).empty());  // the set-up is written when the first frame begins

    context->beginFrame();
    std::vector<std::string> lines = readLines(path);
    ASSERT_EQ(lines.size(), 4u);  // the header, three devices, no head tracker as none was located
    EXPECT_EQ(lines[0], R"({"format":"vorlan-session","version":2})");
    for (const auto& [line, id] : {std::pair{1, "keyboard"}, {2, "joystick"}, {3, "device"}})
        EXPECT_EQ(lines[line].rfind(std::string(R"({"device":")") + id + '"', 0), 0u) << lines[line];

    DeviceObjectData records[8];
    uint32_t count = 8;
    stick->getDeviceData(records, count, 0);
    context->beginFrame();
    lines = readLines(path);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4], R"({"frame":1,"devices":{"joystick":{"data":[[0,-536870911,101],[32,9000,101]]}}})");

    context->beginFrame();  // frame 2 brought nothing and is left out
    EXPECT_EQ(readLines(path).size(), 5u);
    stick.reset();
    context.reset();  // the last frame is written even when nothing happened in it
    lines = readLines(path);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[5], R"({"frame":3})");
}

TEST(RecorderTest, NamesNotInUtf8AndReadingsBeyondJsonNumbersReplayTheSame) {
    const std::string path = tempPath(".jsonl");
    const std::string latin1 = "Kn\xFCppel \xB0", cut = "Achse \xE9\x80";
    const float inf = INFINITY;
    const NPClient::DataFrame frames[] = {{0, 1, 0, NAN, inf, -inf, FLT_MAX, -FLT_MAX, FLT_TRUE_MIN, {}},
                                          {0, 2, 0, -0.0f, 1e-38f, 0.1f, 16383, -16383, 3.4028234e38f, {}}};
    std::vector<std::string> recorded;
    {
        FakeDirectInput fake;
        FakeDeviceScript& stick = FakeDevices::joystick(fake, 2, latin1);
        stick.objects[0].name = cut;
        ScriptedClient client;
        client.answers = {{NPClient::Success, frames[0]}, {NPClient::Success, frames[1]}};
        ScopedVariable record("VORLAN_RECORD", path);
        recorded = drive(2, TestPlatform::maker(fake, &client, steppingClock));
    }
    Session::Data data;
    std::string error;
    ASSERT_TRUE(Session::readSession(path, data, error)) << error;
    ASSERT_EQ(data.devices.size(), 1u);
    EXPECT_EQ(data.devices[0].instance.instanceName, latin1);
    EXPECT_EQ(data.devices[0].instance.productName, latin1 + " product");
    EXPECT_EQ(data.devices[0].objects[0].name, cut);
    ASSERT_EQ(data.frames.size(), 2u);
    for (size_t n = 0; n < 2; ++n) {
        const NPClient::DataFrame& read = data.frames[n].tracker->frame;
        EXPECT_TRUE(std::isnan(read.roll) == std::isnan(frames[n].roll));
        EXPECT_EQ(std::memcmp(&read.pitch, &frames[n].pitch, 5 * sizeof(float)), 0) << "frame " << n + 1;
    }
    ScopedVariable replay("VORLAN_REPLAY", path);
    EXPECT_EQ(drive(2), recorded);
}

TEST(RecorderTest, AFailedWriteOrAFrameBeyondTheLimitIsAFailureAndEndsTheFile) {
    Session::Writer full;
    std::string error;
    ASSERT_TRUE(full.open("/dev/full", error));
    full.header();
    EXPECT_EQ(full.failure(), "/dev/full: cannot be written (No space left on device)");

    const std::string path = tempPath(".jsonl");
    Session::Writer writer;
    ASSERT_TRUE(writer.open(path, error));
    writer.header();
    Session::Frame frame;
    frame.number = Session::MaxFrame + 1;
    writer.frame(frame, {});
    frame.number = 1;
    writer.frame(frame, {});  // nothing after a failure
    EXPECT_EQ(writer.failure(), path + ": the session is longer than 16777216 frames; the later frames are not recorded");
    EXPECT_EQ(readLines(path).size(), 1u);
}
