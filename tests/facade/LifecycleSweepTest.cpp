// Every platform call of a whole lifecycle made to fail at each of its
// occurrences in turn: nothing leaks, every DirectInput interface is released
// once, the head tracker is unregistered once per registration, and the
// failure is logged.
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

#include <iterator>
#include <map>
#include <set>

using namespace DirectInput;
using namespace FakeDevices;

namespace {

// A head-tracker client whose calls succeed, except the nth call of one
// function; it counts every call by name.
class FailingClient final : public NPClient::Client {
public:
    std::string failing;
    unsigned nth = 0;
    std::map<std::string, unsigned> calls;

    NPClient::Location locate(std::string& folder) override {
        folder = "trackers";
        return NPClient::Location::Found;
    }
    NPClient::Result load(const std::string&) override { return answer("load"); }
    NPClient::Result registerWindowHandle(void*) override { return answer("registerWindowHandle"); }
    NPClient::Result unregisterWindowHandle() override { return answer("unregisterWindowHandle"); }
    NPClient::Result registerProgramProfileID(uint32_t) override { return answer("registerProgramProfileID"); }
    NPClient::Result queryVersion(uint16_t& version) override {
        version = 0x0500;
        return answer("queryVersion");
    }
    NPClient::Result requestData(uint16_t) override { return answer("requestData"); }
    NPClient::Result getData(NPClient::DataFrame& frame) override {
        frame = SessionTests::trackerFrame(static_cast<uint16_t>(calls["getData"] + 1), 100, 0);
        return answer("getData");
    }
    NPClient::Result startCursor() override { return answer("startCursor"); }
    NPClient::Result stopCursor() override { return answer("stopCursor"); }
    NPClient::Result reCenter() override { return answer("reCenter"); }
    NPClient::Result startDataTransmission() override { return answer("startDataTransmission"); }
    NPClient::Result stopDataTransmission() override { return answer("stopDataTransmission"); }

private:
    NPClient::Result answer(const std::string& call) {
        return ++calls[call] == nth && call == failing ? NPClient::Result(7) : NPClient::Success;
    }
};

// A keyboard, a mouse and a force-feedback stick with input in the first frames.
struct World {
    FakeDirectInput fake;
    FailingClient client;

    World() {
        keyboard(fake, 1).batches = {{record(0x1E, 0x80, 100)}, {record(0x1E, 0, 110)}};
        mouse(fake, 2).batches = {{record(0, 5, 101)}};
        joystick(fake, 3, "Stick", true).batches = {{record(0, 1000, 102)}, {record(48, 0x80, 112)}};
    }
};

// Initialise, bind, per-layer force feedback, activate, frames, restart,
// deactivate, uninitialise, then once more. A failed initialize ends a round.
void lifecycle() {
    Vorlan& input = *getGlobalInput();
    std::vector<VorlanAction> actions;
    for (int round = 0; round < 2; ++round) {
        try {
            input.initialize(nullptr);
        } catch (const std::exception&) {
            continue;
        }
        input.addModifiers({0x2A});
        input.createLayer("flight");
        input.addKeyCombo("flight", 0x1E, {}, 10, 11, 12);
        input.addAxisCombo("flight", 4096, {}, 31, FilterInfo());
        const std::string stick = "Stick {" + Session::formatGuid(guid(3)) + "}";
        input.setForceFeedback("flight", stick, 0.5, 0.25, false);
        input.setTopLayer("flight");
        input.activate(true);
        for (int frame = 0; frame < 3; ++frame)
            input.process(actions);
        input.restartAllDevices();
        input.activate(true);
        input.process(actions);
        input.removeLayer("flight");
        input.activate(false);
        input.uninitialize();
        input.removeAllLayers();
    }
}

struct Outcome {
    std::vector<FakeCall> journal;
    std::map<std::string, unsigned> trackerCalls;
    std::string log;
};

// One lifecycle with the nth call of method (DirectInput) or of call (the
// head tracker) failing with result.
Outcome run(const std::string& method, unsigned nth, HResult result, const std::string& call = "") {
    LogCapture log;
    WorkFolder folder(log);
    World world;
    if (!method.empty())
        world.fake.setResult(method, result, nth);
    world.client.failing = call;
    world.client.nth = nth;
    {
        FacadePlatform platform(TestPlatform::maker(world.fake, &world.client));
        lifecycle();
    }
    return {world.fake.journal(), world.client.calls, log.read()};
}

// Each interface that was handed out is released once: DirectInput, devices, effects.
void expectEachReleasedOnce(const std::vector<FakeCall>& journal, const std::string& what) {
    std::multiset<std::string> made, released;
    for (const FakeCall& call : journal) {
        const bool ok = succeeded(call.result);
        if (call.method == "DirectInput8Create" && ok)
            made.insert("DirectInput");
        else if (call.method == "CreateDevice" && ok)
            made.insert("device " + call.device);
        else if (call.method == "CreateEffect" && ok)
            made.insert("effect " + std::to_string(call.effect));
        else if (call.method == "Release")
            released.insert(call.effect ? "effect " + std::to_string(call.effect)
                            : call.device.empty() ? "DirectInput" : "device " + call.device);
    }
    EXPECT_EQ(released, made) << what;
}

// Failures that the library answers without a log entry: those of play (a
// lost device notes it and reacquires), the listing of force-feedback axes,
// whose result is ignored, and a cooperative level whose fallback succeeded.
bool toleratedSilently(const std::vector<FakeCall>& journal, const std::string& method, HResult result) {
    if (method == "Poll" || method == "GetDeviceData" || method == "Acquire" || method == "Unacquire")
        return true;
    for (auto call = journal.begin(); call != journal.end(); ++call) {
        if (call->method != method || call->result != result)
            continue;
        if (method == "EnumObjects")
            return call->flags == DIDFT_AXIS;
        const auto next = std::next(call);
        return method == "SetCooperativeLevel" && next != journal.end() && next->method == method &&
               next->device == call->device && succeeded(next->result);
    }
    return false;
}

} // namespace

TEST(LifecycleSweepTest, EachDirectInputCallFailingAtEachOccurrenceReleasesEverythingOnceAndIsLogged) {
    const Outcome clean = run("", 0, DI_OK);
    std::map<std::string, unsigned> counts;
    for (const FakeCall& call : clean.journal)
        if (call.method != "Release")
            ++counts[call.method];
    ASSERT_GE(counts.size(), 14u);  // every kind of call the library makes, effects included
    expectEachReleasedOnce(clean.journal, "no failure");

    size_t runs = 0;
    for (const auto& [method, count] : counts)
        for (unsigned nth = 1; nth <= count; ++nth)
            for (const HResult result : {DIERR_INPUTLOST, E_FAIL}) {
                const std::string what = method + " #" + std::to_string(nth) + " " + errorDescription(result);
                const Outcome outcome = run(method, nth, result);
                expectEachReleasedOnce(outcome.journal, what);
                if (!toleratedSilently(outcome.journal, method, result)) {
                    EXPECT_NE(outcome.log.find(errorDescription(result)), std::string::npos) << what;
                }
                ++runs;
            }
    EXPECT_GT(runs, 100u);
}

TEST(LifecycleSweepTest, EachHeadTrackerCallFailingAtEachOccurrenceUnregistersOnceAndIsLogged) {
    const Outcome clean = run("", 0, DI_OK);
    ASSERT_GE(clean.trackerCalls.size(), 8u);
    const std::map<std::string, std::string> messages = {
        {"load", "TrackIR: Error initializing NPClient interface!"},
        {"registerWindowHandle", "TrackIR: Error registering window handle!"},
        {"queryVersion", "TrackIR : Error querying NaturalPoint software version!"},
    };
    for (const auto& [call, count] : clean.trackerCalls)
        for (unsigned nth = 1; nth <= count; ++nth) {
            const std::string what = call + " #" + std::to_string(nth);
            Outcome outcome = run("", nth, DI_OK, call);
            const unsigned registered = outcome.trackerCalls["registerWindowHandle"] - (call == "registerWindowHandle");
            EXPECT_EQ(outcome.trackerCalls["unregisterWindowHandle"], registered) << what;
            if (messages.count(call)) {
                EXPECT_NE(outcome.log.find(messages.at(call)), std::string::npos) << what;
            }
            expectEachReleasedOnce(outcome.journal, what);
        }
}
