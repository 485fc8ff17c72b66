#include "Vorlan.h"
#include "devices/DIFactory.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/fake/FakeDirectInput.h"
#include "platform/npclient/NPClient.h"
#include "support/FakeDevices.h"
#include "support/TestPlatform.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

// One frame of DIFactory::collect over a keyboard, a mouse, two joysticks and
// the head tracker on the fake backends, logging off: idle, and with 16 records
// (2 keys, 6 mouse moves, 4 axis moves per stick; the tracker sends no new
// frame). The "FakeOnly" figures make the same platform calls without the
// library, so the difference is the library's own share.

namespace {

using namespace DirectInput;
using FakeDevices::absoluteAxis;
using FakeDevices::instance;
using FakeDevices::record;

// A tracker client that answers at once and repeats its frame.
class StillTracker : public NPClient::Client {
public:
    NPClient::Location locate(std::string& folder) override {
        folder.clear();
        return NPClient::Location::Found;
    }
    NPClient::Result load(const std::string&) override { return 0; }
    NPClient::Result registerWindowHandle(void*) override { return 0; }
    NPClient::Result unregisterWindowHandle() override { return 0; }
    NPClient::Result registerProgramProfileID(uint32_t) override { return 0; }
    NPClient::Result queryVersion(uint16_t&) override { return 0; }
    NPClient::Result requestData(uint16_t) override { return 0; }
    NPClient::Result getData(NPClient::DataFrame& frame) override {
        frame = NPClient::DataFrame();
        frame.frameSignature = 7;
        return 0;
    }
    NPClient::Result startCursor() override { return 0; }
    NPClient::Result stopCursor() override { return 0; }
    NPClient::Result reCenter() override { return 0; }
    NPClient::Result startDataTransmission() override { return 0; }
    NPClient::Result stopDataTransmission() override { return 0; }
};

struct Rig {
    FakeDirectInput fake;
    StillTracker tracker;
    std::vector<FakeDeviceScript*> scripts;

    Rig() {
        Vorlan::enableLogging(false, false, false);
        Vorlan::setLogPath("/dev/null");
        scripts.push_back(&fake.addDevice(instance(1, DI8DEVTYPE_KEYBOARD, "Keyboard")));
        scripts.push_back(&fake.addDevice(instance(2, DI8DEVTYPE_MOUSE, "Mouse")));
        for (uint8_t n : {3, 4}) {
            FakeDeviceScript& stick = fake.addDevice(instance(n, DI8DEVTYPE_JOYSTICK, "Stick"));
            stick.objects = {absoluteAxis(0, GUID_XAxis), absoluteAxis(4, GUID_YAxis), absoluteAxis(8, Guid()),
                             absoluteAxis(20, Guid())};
            scripts.push_back(&stick);
        }
    }
    ~Rig() { Vorlan::enableLogging(true, true, true); }
    // The 16 records of a busy frame, queued for the next fetches.
    void queueRecords(uint32_t time) {
        scripts[0]->batches.push_back({record(0x1E, 0x80, time), record(0x1E, 0x00, time + 1)});
        std::vector<DeviceObjectData> moves;
        for (uint32_t i = 0; i < 6; ++i)
            moves.push_back(record(i % 2 * 4, 3, time + i));
        scripts[1]->batches.push_back(moves);
        for (size_t s = 2; s < 4; ++s)
            scripts[s]->batches.push_back(
                {record(0, 100, time), record(4, 200, time + 1), record(8, 300, time + 2), record(20, 400, time + 3)});
    }
};

void collectFrames(benchmark::State& state, bool busy) {
    Rig rig;
    const std::unique_ptr<Platform::Context> platform = TestPlatform::make(rig.fake, &rig.tracker);
    DIFactory factory(nullptr, *platform);
    factory.acquireAll();
    DeviceEventList events;
    events.reserve(64);
    uint32_t time = 0;
    for (auto _ : state) {
        if (busy)
            rig.queueRecords(time += 10);
        events.clear();
        factory.collect(events);
        benchmark::DoNotOptimize(events.data());
        rig.fake.clearJournal();
    }
}

void fakeCallsOnly(benchmark::State& state, bool busy) {
    Rig rig;
    std::unique_ptr<System> system;
    rig.fake.create(system);
    std::vector<std::unique_ptr<Device>> devices;
    for (FakeDeviceScript* script : rig.scripts) {
        devices.emplace_back();
        system->createDevice(script->instance.guidInstance, devices.back());
        devices.back()->acquire();
    }
    std::vector<DeviceObjectData> buffer(1024);
    NPClient::DataFrame frame;
    uint32_t time = 0;
    for (auto _ : state) {
        if (busy)
            rig.queueRecords(time += 10);
        for (size_t d = 0; d < devices.size(); ++d) {
            if (d >= 2)
                devices[d]->poll();
            uint32_t count = 1024;
            devices[d]->getDeviceData(buffer.data(), count, 0);
        }
        rig.tracker.getData(frame);
        benchmark::DoNotOptimize(buffer.data());
        rig.fake.clearJournal();
    }
}

// The initial state's cost: acquiring every device and collecting the next
// frame, with the switch off and on (each stick then reads its state and
// delivers its 4 axes first).
void acquireAndCollect(benchmark::State& state, bool initialState) {
    Rig rig;
    const std::unique_ptr<Platform::Context> platform = TestPlatform::make(rig.fake, &rig.tracker);
    DIFactory factory(nullptr, *platform);
    factory.setInitialState(initialState);
    DeviceEventList events;
    events.reserve(64);
    for (auto _ : state) {
        factory.acquireAll();
        events.clear();
        factory.collect(events);
        benchmark::DoNotOptimize(events.data());
        rig.fake.clearJournal();
    }
}

void BM_DeviceFrameIdle(benchmark::State& state) { collectFrames(state, false); }
void BM_AcquireAndFrame(benchmark::State& state) { acquireAndCollect(state, false); }
void BM_AcquireAndFrame_InitialState(benchmark::State& state) { acquireAndCollect(state, true); }
void BM_DeviceFrameIdle_FakeOnly(benchmark::State& state) { fakeCallsOnly(state, false); }
void BM_DeviceFrame16Records(benchmark::State& state) { collectFrames(state, true); }
void BM_DeviceFrame16Records_FakeOnly(benchmark::State& state) { fakeCallsOnly(state, true); }

} // namespace

BENCHMARK(BM_DeviceFrameIdle);
BENCHMARK(BM_DeviceFrameIdle_FakeOnly);
BENCHMARK(BM_DeviceFrame16Records);
BENCHMARK(BM_DeviceFrame16Records_FakeOnly);
BENCHMARK(BM_AcquireAndFrame);
BENCHMARK(BM_AcquireAndFrame_InitialState);
