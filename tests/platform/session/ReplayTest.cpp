#include "platform/directinput/JoystickState.h"
#include "platform/directinput/ResultCodes.h"
#include "platform/session/Replay.h"
#include "platform/session/ReplayContext.h"
#include "platform/session/SessionReader.h"
#include "support/SessionSupport.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifdef __SANITIZE_ADDRESS__
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

using namespace DirectInput;
using namespace SessionTests;

namespace {

// Written by hand: a carriage return, a blank line, no line feed at the end.
const std::string header = R"({"format":"vorlan-session","version":1})";
const std::string session = header + "\r\n" + R"({"device":"kbd","instance":"6F1D2B61-D5A0-11CF-BFC7-444553540000","type":1043,"name":"Keyboard","caps":{"flags":1,"buttons":128},"objects":[{"ofs":30,"type":12,"name":"A"}]}
{"device":"stick","instance":"a1b2c3d4-0000-11ef-8001-444553540000","product":"0402044F-0000-0000-0000-504944564944","type":66068,"name":"Flight Stick","productName":"Stick Pro","usagePage":1,"usage":4,"caps":{"flags":257,"axes":2,"povs":1},"objects":[{"guid":"A36D02E0-C9F3-11CF-BFC7-444553540000","ofs":0,"type":258,"flags":1,"name":"X"},{"ofs":48,"type":12,"name":"B0"}]}
{"device":"broken","instance":"00000000-0000-0000-0000-000000000009","type":1044,"name":"Broken","create":-2147024891}
{"headTracker":{"folder":"C:\\Tracker","version":1280,"results":{"requestData":7}}}
{"frame":1,"devices":{"kbd":{"result":-2147024884}}}

{"frame":2,"devices":{"kbd":{"data":[[30,128,1000],[30,0,1010],[42,4294967295,1010]]},"stick":{"result":1,"data":[[0,-536870911,1001]]}},"headTracker":{"signature":1,"pitch":100,"yaw":-50.5},"ticks":1017}
{"frame":4,"devices":{"stick":{"poll":-2147024866}},"headTracker":{"result":4}}
{"frame":5,"headTracker":{"signature":2,"yaw":3}})";

// What making the context over platform gives: its result, whether one came, and the failure.
std::string created(const Platform::ContextMaker& platform = Platform::createNativeContext) {
    std::unique_ptr<Platform::Context> context;
    std::string failure;
    const HResult result = Session::createContext(platform, context, failure);
    return std::to_string(result) + (context ? " system " : " none ") + failure;
}

} // namespace

// Members left out take their defaults (product name, caps' type) or, in a
// frame, what the frame before gave (tracker, clock); a frame without a line
// brings nothing new.
TEST(ReplayTest, EveryCallAnswersAsTheSessionSays) {
    ScopedVariable replay("VORLAN_REPLAY", writeFile(".jsonl", session));
    const std::string none = "00000000-0000-0000-0000-000000000000", x = "A36D02E0-C9F3-11CF-BFC7-444553540000";
    const std::string axisX = " [" + x + " 0 258 1 X]", unchanged = " | poll 0 fetch 0 | poll 0 fetch 0 | tracker 0 0 ";
    EXPECT_EQ(drive(6), (std::vector<std::string>{
        "create 0",
        "6F1D2B61-D5A0-11CF-BFC7-444553540000 " + none + " 1043 Keyboard/Keyboard 0 0 create 0"
            " caps 0 44 1 1043 0 128 0 [" + none + " 30 12 0 A] set up 0 0 0 0",
        "A1B2C3D4-0000-11EF-8001-444553540000 0402044F-0000-0000-0000-504944564944 66068 Flight Stick/Stick Pro 1 4"
            " create 0 caps 0 44 257 66068 2 0 1" + axisX + " [" + none + " 48 12 0 B0]" + axisX + " set up 0 0 0 0",
        "00000000-0000-0000-0000-000000000009 " + none + " 1044 Broken/Broken 0 0 create -2147024891",
        "tracker 0 C:\\Tracker 0 0 7 0 1280",
        "frame 1 | poll 0 fetch -2147024884 | poll 0 fetch 0 | tracker 0 0 0 0 0 0 0 0 0",
        "frame 2 | poll 0 fetch 0 (30,128,1000) (30,0,1010) (42,4294967295,1010) | poll 0 fetch 1 (0,3758096385,1001)"
            " | tracker 0 0 1 0 100 -50.5 0 0 0 at 1017",
        "frame 3" + unchanged + "1 0 100 -50.5 0 0 0",
        "frame 4 | poll 0 fetch 0 | poll -2147024866 fetch 0 | tracker 4",
        "frame 5" + unchanged + "2 0 100 3 0 0 0 at 1017",
        "frame 6" + unchanged + "2 0 100 3 0 0 0",
    }));

    ScopedVariable empty("VORLAN_REPLAY", writeFile("-empty.jsonl", header + "\n"));  // no devices, no head tracker
    EXPECT_EQ(drive(1), (std::vector<std::string>{"create 0", "tracker 1  4 4 4 4 0", "frame 1 | tracker 4"}));
}

TEST(ReplayTest, FetchesTakeWhatFitsAndTheReplayEndsWithItsLastFrame) {
    ScopedVariable replay("VORLAN_REPLAY", writeFile(".jsonl", session));
    std::unique_ptr<Platform::Context> context;
    std::string failure;
    ASSERT_EQ(Session::createContext(Platform::createNativeContext, context, failure), DI_OK);
    std::unique_ptr<Device> keyboard, unknown;
    EXPECT_EQ(context->directInput().createDevice(Guid{}, unknown), DIERR_DEVICENOTREG);
    Guid instance;
    ASSERT_TRUE(Session::parseGuid("6F1D2B61-D5A0-11CF-BFC7-444553540000", instance));
    ASSERT_EQ(context->directInput().createDevice(instance, keyboard), DI_OK);
    std::unique_ptr<Effect> effect;
    EXPECT_EQ(keyboard->createEffect(Guid{}, EffectParameters{}, effect), DI_OK);
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->start(1, 0), DI_OK);

    DeviceObjectData records[2];
    const auto fetch = [&] {
        uint32_t count = 2;
        EXPECT_EQ(keyboard->getDeviceData(records, count, 0), DI_OK);
        return count;
    };
    EXPECT_EQ(fetch(), 0u);  // before the first frame
    EXPECT_FALSE(context->replayFinished());
    context->beginFrame();
    context->beginFrame();  // frame 2: three records wait
    ASSERT_EQ(fetch(), 2u);
    const uint32_t sequence = records[1].sequence;
    EXPECT_LT(records[0].sequence, sequence);
    ASSERT_EQ(fetch(), 1u);  // the rest
    EXPECT_EQ(records[0].ofs, 42u);
    EXPECT_LT(sequence, records[0].sequence);

    for (int frame = 3; frame <= 6; ++frame) {
        context->beginFrame();
        EXPECT_EQ(context->replayFinished(), frame >= 5) << frame;  // frame 5 is the last
    }
}

TEST(ReplayTest, CreateFailureSaysWhyCreateFailed) {
    EXPECT_EQ(created(), std::to_string(DIERR_UNSUPPORTED) +
                             " none no DirectInput here, set VORLAN_REPLAY=FILE to replay a session file");
    {
        const std::string path = tempPath(".jsonl");
        ScopedVariable replay("VORLAN_REPLAY", path), record("VORLAN_RECORD", path);
        EXPECT_EQ(created(), std::to_string(E_INVALIDARG) + " none VORLAN_RECORD and VORLAN_REPLAY name the same file " + path);
    }
    {
        // A bad session: the reader's message.
        const std::string path = writeFile("-bad.jsonl", header + "\n{\"frame\":1}\n{\"frame\":2,\"devices\":{\"pad\":{}}}\n");
        ScopedVariable replay("VORLAN_REPLAY", path);
        EXPECT_EQ(created(), std::to_string(E_FAIL) + " none " + path +
                                 ":3: frame 2 names the device \"pad\", which the session does not declare");
    }
    FakeDirectInput fake;
    const Platform::ContextMaker onFake = TestPlatform::maker(fake);
    fake.setResult("DirectInput8Create", DIERR_OUTOFMEMORY, 1);
    EXPECT_EQ(created(onFake), std::to_string(DIERR_OUTOFMEMORY) + " none " + errorDescription(DIERR_OUTOFMEMORY));
    ScopedVariable record("VORLAN_RECORD", "/nonexistent-folder/session.jsonl");
    EXPECT_EQ(created(onFake), std::to_string(E_FAIL) +
                                   " none /nonexistent-folder/session.jsonl: cannot be written (No such file or directory)");
    ScopedVariable noRecord("VORLAN_RECORD", nullptr);
    EXPECT_EQ(created(onFake), "0 system ");
}

// A joystick's state: the frame's when it gives one, else at rest with the axes
// as last replayed (so in every frame of a version 1 file); a keyboard's is all 0.
TEST(ReplayTest, StatesComeFromTheFrameElseTheDeviceIsAtRest) {
    const std::string text = header + "\n" + R"({"device":"kbd","instance":"6F1D2B61-D5A0-11CF-BFC7-444553540000","type":1043,"name":"Keyboard"}
{"device":"stick","instance":"A1B2C3D4-0000-11EF-8001-444553540000","type":66068,"name":"Stick"}
{"frame":0,"devices":{"stick":{"state":{"values":[[4,-5],[32,9000],[49,128]]}}},"ticks":[7,8]}
{"frame":1,"devices":{"stick":{"data":[[0,100,1],[4,200,1],[0,300,2],[48,128,2],[32,0,2]]}}}
{"frame":3,"devices":{"stick":{"state":{"result":-2147024866}}}})";
    Session::SessionReader reader(writeFile(".jsonl", text));
    ASSERT_TRUE(reader.readHead()) << reader.error();
    const std::vector<Session::DeclaredDevice>& devices = reader.head().devices;
    const Guid kbdGuid = devices[0].instance.guidInstance, stickGuid = devices[1].instance.guidInstance;
    Session::ReplayContext replay(std::move(reader));
    std::unique_ptr<Device> kbd, stick;
    replay.directInput().createDevice(kbdGuid, kbd);
    replay.directInput().createDevice(stickGuid, stick);
    kbd->setDataFormat(DataFormat::Keyboard);
    stick->setDataFormat(DataFormat::Joystick2);
    // "result: X Y hat buttons 48 49"
    const auto state = [&] {
        uint8_t bytes[JoystickStateSize] = {};
        const HResult result = stick->getDeviceState(JoystickStateSize, bytes);
        return std::to_string(result) + ": " + std::to_string(int32_t(stateWord(bytes, 0))) + " " +
               std::to_string(int32_t(stateWord(bytes, 4))) + " " + std::to_string(int32_t(stateWord(bytes, 32))) +
               " " + std::to_string(bytes[48]) + " " + std::to_string(bytes[49]);
    };
    EXPECT_EQ(state(), "0: 0 -5 9000 0 128");
    EXPECT_EQ(replay.ticks(), 7u);
    EXPECT_EQ(replay.ticks(), 8u);
    EXPECT_EQ(replay.ticks(), 8u);
    replay.beginFrame();
    EXPECT_EQ(state(), "0: 0 0 -1 0 0");  // before the fetch
    uint32_t count = 8;
    DeviceObjectData records[8];
    stick->getDeviceData(records, count, 0);
    EXPECT_EQ(state(), "0: 300 200 -1 0 0");
    replay.beginFrame();
    replay.beginFrame();
    EXPECT_EQ(state(), std::to_string(DIERR_INPUTLOST) + ": 0 0 0 0 0");
    EXPECT_EQ(stick->getDeviceState(20, records), DIERR_INVALIDPARAM);
    uint8_t keys[256];
    std::fill(std::begin(keys), std::end(keys), 1);
    EXPECT_EQ(kbd->getDeviceState(256, keys), DI_OK);
    EXPECT_EQ(std::count(std::begin(keys), std::end(keys), 0), 256);
}

namespace {

// The bytes the program holds on the heap now.
size_t liveHeapBytes() {
#ifdef __SANITIZE_ADDRESS__
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

} // namespace

// A replay holds its current frame and the next, whatever the session's
// length: over 20000 frames (about 3.5 MB of text, several times that when
// held as frames) the heap stays within 256 KiB of where it was before.
TEST(ReplayTest, ALongReplayTakesNoMoreMemoryAsItGoes) {
    std::string text = header + "\n" + R"({"device":"stick","instance":"A1B2C3D4-0000-11EF-8001-444553540000","type":66068,"name":"Stick"}
{"headTracker":{}})" + "\n";
    for (int n = 1; n <= 20000; ++n) {
        const std::string t = std::to_string(n * 16);
        text += R"({"frame":)" + std::to_string(n) + R"(,"devices":{"stick":{"data":[[0,)" + std::to_string(n * 1000) +
                "," + t + "],[4," + std::to_string(-n) + "," + t + R"(]]}},"headTracker":{"signature":)" +
                std::to_string(n % 65536) + R"(,"yaw":1.5},"ticks":)" + t + "}\n";
    }
    const std::string path = writeFile(".jsonl", text);
    text.clear();
    text.shrink_to_fit();
    const size_t start = liveHeapBytes();
    Session::SessionReader reader(path);
    ASSERT_TRUE(reader.readHead()) << reader.error();
    Session::Replay replay(std::move(reader));
    DeviceObjectData records[8];
    NPClient::DataFrame tracker;
    size_t most = 0;
    while (!replay.finished()) {
        replay.advance();
        uint32_t count = 8;
        ASSERT_EQ(replay.fetch(0, records, count), DI_OK);
        ASSERT_EQ(count, 2u);
        ASSERT_EQ(replay.trackerData(tracker), NPClient::Success);
        most = std::max(most, liveHeapBytes());
    }
    EXPECT_EQ(tracker.frameSignature, 20000 % 65536);
    EXPECT_LT(most - start, 256u * 1024);
}
