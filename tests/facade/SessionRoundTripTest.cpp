#include "Filter.h"
#include "Vorlan.h"
#include "platform/directinput/ResultCodes.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/LogCapture.h"
#include "support/SessionSupport.h"
#include "support/TestPlatform.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>

using namespace DirectInput;
using namespace FakeDevices;
using SessionTests::ScopedVariable;

namespace {

void* const window = reinterpret_cast<void*>(0x4321);
constexpr int frames = 7;

uint32_t steppingClock() {
    static uint32_t now = 9000;
    return now += 16;
}

// What the host saw: each frame's actions, and the log.
struct Seen {
    std::vector<std::string> actions;
    std::string log;
    bool finished = false;
};

// The facade on the platform that initialize makes, in a fresh working folder,
// with a bindings set over keys, a modifier, mouse, stick and head-tracker axes.
Seen run(bool initialState) {
    LogCapture log;
    WorkFolder folder(log);
    Vorlan& input = *getGlobalInput();
    input.setInitialState(initialState);
    input.initialize(window);
    input.addModifiers({0x2A});
    input.createLayer("flight");
    input.addKeyCombo("flight", 0x1E, {}, 10, 11, 12);
    input.addKeyCombo("flight", 0x1E, {0x2A}, 20, 21, 22);
    input.addAxisCombo("flight", 1024, {}, 30, FilterInfo());  // mouse X
    input.addAxisCombo("flight", 4096, {}, 31, FilterInfo());  // the first joystick's X
    input.addKeyCombo("flight", 4096 + 48, {}, 40, 0, 41);     // its first button
    input.addAxisCombo("flight", 3073, {}, 50, FilterInfo());  // head-tracker pitch
    input.setTopLayer("flight");
    input.activate(true);

    Seen result;
    for (int n = 0; n < frames; ++n) {
        std::vector<VorlanAction> actions;
        input.process(actions);
        std::string text;
        for (const VorlanAction& a : actions)
            text += " " + std::to_string(a.getAction()) + (a.hasValue() ? "=" + std::to_string(a.getValue()) : "") +
                    "@" + std::to_string(a.getTime());
        result.actions.push_back(text);
    }
    result.finished = input.isReplayFinished();
    input.uninitialize();
    input.setInitialState(false);
    input.removeAllLayers();
    result.log = log.read();
    return result;
}

} // namespace

// With the initial state on, the stick's state is read at activation and again
// when a failed poll re-acquires it, in a frame that reads the clock twice.
TEST(SessionRoundTripTest, AReplayedSessionGivesTheSameActionsAndLogAsTheDevicesRecorded) {
    for (const bool initialState : {false, true}) {
        SCOPED_TRACE(initialState ? "initial state" : "no initial state");
        const std::string path = SessionTests::tempPath(".jsonl");
        Seen recorded;
        {
            FakeDirectInput fake;
            FakeDeviceScript& kb = keyboard(fake, 1, "Kb");
            FakeDeviceScript& ms = mouse(fake, 2, "Ms");
            FakeDeviceScript& js = joystick(fake, 3, "Stick", true);
            kb.batches = {{record(0x1E, 0x80, 100)}, {}, {record(0x2A, 0x80, 130)}, {record(0x1E, 0, 140)},
                          {record(0x1E, 0x80, 150)}, {record(0x1E, 0, 160), record(0x2A, 0, 160)}};
            ms.batches = {{}, {record(0, 5, 120), record(4, static_cast<uint32_t>(-3), 120)}};
            js.batches = {{record(0, 1000, 101)}, {}, {record(48, 0x80, 131)}, {record(48, 0, 141)}};
            fake.setResult("GetDeviceData", DIERR_INPUTLOST, 5, "Ms");
            fake.setResult("Poll", DIERR_INPUTLOST, 4, "Stick");
            js.setStateWord(0, 1234);
            js.setStateWord(32, 9000);
            SessionTests::ScriptedClient tracker;
            tracker.answers = {{NPClient::Success, SessionTests::trackerFrame(0, 0, 0)},
                               {NPClient::Success, SessionTests::trackerFrame(1, 100, 0)},
                               {NPClient::Success, SessionTests::trackerFrame(1, 100, 0)},
                               {NPClient::Success, SessionTests::trackerFrame(2, -200, 0)}};
            FacadePlatform platform(TestPlatform::maker(fake, &tracker, steppingClock));
            ScopedVariable record("VORLAN_RECORD", path);
            recorded = run(initialState);
        }
        // The replay needs no devices: a fake without any stays untouched.
        FakeDirectInput empty;
        FacadePlatform platform(TestPlatform::maker(empty));
        ScopedVariable replay("VORLAN_REPLAY", path);
        const Seen replayed = run(initialState);

        EXPECT_EQ(replayed.actions, recorded.actions);
        EXPECT_EQ(replayed.log, recorded.log);
        EXPECT_TRUE(replayed.finished);
        EXPECT_FALSE(recorded.finished);  // no replay
        EXPECT_TRUE(empty.journal().empty());
        // The bindings saw keys, the modifier, axes and the tracker.
        EXPECT_EQ(recorded.actions[0].find(" 10@100 31=1000@101"), 0u) << recorded.actions[0];
        EXPECT_EQ(recorded.actions[0].find("31=1234@") != std::string::npos, initialState);
        EXPECT_NE(recorded.actions[1].find("50=6554000@"), std::string::npos) << recorded.actions[1];
        EXPECT_NE(recorded.log.find("Joystick created[Stick"), std::string::npos);
    }
}

TEST(SessionRoundTripTest, ARecordingThatCannotBeWrittenIsLoggedOnceAndReportedAfterUninitialize) {
    LogCapture log;
    WorkFolder folder(log);
    FakeDirectInput fake;
    keyboard(fake, 1);
    FacadePlatform platform(TestPlatform::maker(fake));
    Vorlan& input = *getGlobalInput();
    {
        ScopedVariable record("VORLAN_RECORD", "/dev/full");
        input.initialize(window);
    }
    std::vector<VorlanAction> actions;
    for (int n = 0; n < 3; ++n)
        input.process(actions);
    input.uninitialize();
    const std::string failure = "/dev/full: cannot be written (No space left on device)";
    EXPECT_EQ(input.getRecordingFailure(), failure);
    const std::string text = log.read(), entry = LogCapture::entry("Recording error: " + failure);
    EXPECT_NE(text.find(entry), std::string::npos);
    EXPECT_EQ(text.find(entry), text.rfind(entry));  // once

    input.initialize(window);  // a new start, nothing recorded
    input.uninitialize();
    EXPECT_EQ(input.getRecordingFailure(), "");
}

TEST(SessionRoundTripTest, ReadingAndInitializingCostLinearTimeInTheDeviceCount) {
    LogCapture log;
    WorkFolder folder(log);
    Vorlan::enableLogging(false, false, false);
    // The best of two initialize calls on a replayed session of n keyboards.
    const auto seconds = [](int n) {
        const std::string path = SessionTests::tempPath("-" + std::to_string(n) + ".jsonl");
        std::ofstream file(path);
        file << R"({"format":"vorlan-session","version":1})" << '\n';
        for (int i = 0; i < n; ++i) {
            char line[160];
            std::snprintf(line, sizeof line,
                          R"({"device":"k%d","instance":"%08X-0000-0000-0000-000000000000","type":1043,"name":"K"})", i, i);
            file << line << '\n';
        }
        file.close();
        ScopedVariable replay("VORLAN_REPLAY", path);
        double best = 1e9;
        for (int run = 0; run < 2; ++run) {
            const auto start = std::chrono::steady_clock::now();
            getGlobalInput()->initialize(window);
            best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            getGlobalInput()->uninitialize();
        }
        return best;
    };
    const double few = seconds(2000), many = seconds(8000);
    EXPECT_LT(many, 8 * few) << few << " s for 2000 devices, " << many << " s for 8000";
}
