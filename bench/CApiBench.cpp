#include "Filter.h"
#include "Vorlan.h"
#include "VorlanC.h"
#include "platform/directinput/Constants.h"
#include "platform/directinput/fake/FakeDirectInput.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/TestPlatform.h"

#include <benchmark/benchmark.h>

#include <vector>

// One frame through the C interface (vorlan_process into a caller's array)
// against the same frame through the C++ facade (Vorlan::process into a
// vector): a keyboard and a mouse on the fake backend, logging off, 8 records
// a frame (a key down and up, 6 mouse moves) giving 8 actions.

namespace {

using namespace DirectInput;

using FakeDevices::record;

struct Rig {
    FakeDirectInput fake;
    FacadePlatform platform{TestPlatform::maker(fake)};
    FakeDeviceScript& keyboard = fake.addDevice(FakeDevices::instance(1, DI8DEVTYPE_KEYBOARD, "Keyboard"));
    FakeDeviceScript& mouse = fake.addDevice(FakeDevices::instance(2, DI8DEVTYPE_MOUSE, "Mouse"));
    Vorlan& input = *getGlobalInput();
    uint32_t time = 0;

    Rig() {
        Vorlan::enableLogging(false, false, false);
        Vorlan::setLogPath("/dev/null");
        input.initialize(nullptr);
        input.createLayer("bench");
        input.addKeyCombo("bench", 0x1E, {}, 1, 2, 3);
        input.addAxisCombo("bench", 1024, {}, 4, FilterInfo());
        input.addAxisCombo("bench", 1028, {}, 5, FilterInfo());
        input.setTopLayer("bench");
        input.activate(true);
    }
    ~Rig() {
        input.uninitialize();
        input.removeAllLayers();
        Vorlan::enableLogging(true, true, true);
    }
    void queueFrame() {
        time += 10;
        keyboard.batches.push_back({record(0x1E, 0x80, time), record(0x1E, 0x00, time + 1)});
        std::vector<DeviceObjectData> moves;
        for (uint32_t i = 0; i < 6; ++i)
            moves.push_back(record(i % 2 * 4, 3, time + i));
        mouse.batches.push_back(moves);
        fake.clearJournal();
    }
};

void BM_FrameThroughFacade(benchmark::State& state) {
    Rig rig;
    std::vector<VorlanAction> actions;
    for (auto _ : state) {
        rig.queueFrame();
        rig.input.process(actions);
        benchmark::DoNotOptimize(actions.data());
    }
    state.counters["actions"] = static_cast<double>(actions.size());
}

void BM_FrameThroughCInterface(benchmark::State& state) {
    Rig rig;
    vorlan_action actions[64];
    int count = 0;
    for (auto _ : state) {
        rig.queueFrame();
        vorlan_process(actions, 64, &count);
        benchmark::DoNotOptimize(actions);
    }
    state.counters["actions"] = count;
}

} // namespace

BENCHMARK(BM_FrameThroughFacade);
BENCHMARK(BM_FrameThroughCInterface);
