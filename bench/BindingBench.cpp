#include "Filter.h"
#include "Vorlan.h"
#include "VorlanAction.h"
#include "bindings/BindingEngine.h"
#include "core/CodeSpace.h"
#include "core/DeviceEvent.h"
#include "LowerBound.h"

#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

// Frames of 16 events (three key events, thirteen axis moves) through an engine
// with five stacked layers. The realistic profile binds 1000 key combos over
// 150 keys with modifiers and switches and 50 filtered axis combos over 24 axes;
// the larger ones bind ten times as many combos, either over ten times as many
// codes or packed onto the same codes, or take frames of 64 events.
// The lower bound (LowerBound.h) does the same job on the same frames; it is
// checked to give the engine's actions, frame by frame, before it is timed.

namespace {

struct Profile {
    int keyCombos;
    int keyCodes;
    int axisCombos;
    int axisCodes;
    int eventsPerFrame;
};

const char* const layerNames[] = {"base", "weapons", "navigation", "comms", "overlay"};
constexpr int32_t modifierCodes[] = {42, 29, 56, 54};  // shifts, ctrl, alt
constexpr int32_t switchCodes[] = {59, 60, 61, 62, 63};

// Keys: keyboard codes 100 to 199 first (clear of the reformer codes), then
// joystick buttons (offset 48 on) of joystick after joystick. Axes: the eight
// axes of joystick after joystick.
int32_t keyCode(int i) {
    if (i < 100)
        return 100 + i;
    const int button = i - 100;
    return static_cast<int32_t>(CodeSpace::joystickBlock(button / 128) + CodeSpace::joystickFirstButton + button % 128);
}
int32_t axisCode(int i) { return static_cast<int32_t>(CodeSpace::joystickBlock(i / 8) + 4 * (i % 8)); }

// The device number of a code's block.
uint32_t deviceOf(int32_t code) {
    return static_cast<uint32_t>(code) / CodeSpace::blockSize * CodeSpace::blockSize;
}

// A reformer set as bindings use them: mostly none, often one modifier,
// sometimes a modifier with a switch or two modifiers.
std::set<int32_t> randomReformers(std::mt19937& rng) {
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const int kind = pick(100);
    if (kind < 60)
        return {};
    if (kind < 85)
        return {modifierCodes[pick(4)]};
    if (kind < 95)
        return {modifierCodes[pick(4)], switchCodes[pick(5)]};
    return {modifierCodes[pick(4)], modifierCodes[pick(4)]};
}

Filter* makeFilter(int i) {
    FilterInfo info;
    info.deadzone = 0.05;
    if (i % 2)
        info.curvature = {0.0, 0.1, 0.3, 0.6, 1.0};
    else
        info.curvature = {0.2};
    return createFilter(info);
}

// Declares the profile's bindings on a BindingEngine or a LowerBound.
template <class Engine>
void bind(Engine& engine, const Profile& p) {
    std::mt19937 rng(1234);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (const char* name : layerNames)
        engine.createLayer(name);
    for (int32_t m : modifierCodes)
        engine.addModifier(m);
    engine.addSwitch(switchCodes[0]);
    engine.addSwitch(switchCodes[1]);
    engine.addSwitchGroup({switchCodes[2], switchCodes[3], switchCodes[4]});

    // Distinct (layer, code, reformers): half of the key combos in the base layer.
    std::set<std::tuple<int, int32_t, std::set<int32_t>>> used;
    int32_t command = 1;
    while (static_cast<int>(used.size()) < p.keyCombos) {
        const int layer = pick(2) ? 0 : 1 + pick(4);
        const int32_t key = keyCode(pick(p.keyCodes));
        std::set<int32_t> reformers = randomReformers(rng);
        if (!used.emplace(layer, key, reformers).second)
            continue;
        engine.addKeyCombo(layerNames[layer], key, reformers, command, pick(3) ? 0 : command + 1,
                           command + 2);
        command += 3;
    }
    // Every axis has a plain combo in the base layer; the rest need modifiers
    // or switches, in any layer.
    used.clear();
    for (int i = 0; i < p.axisCodes; ++i) {
        used.emplace(0, axisCode(i), std::set<int32_t>{});
        engine.addAxisCombo("base", axisCode(i), {}, command++, makeFilter(i));
    }
    while (static_cast<int>(used.size()) < p.axisCombos) {
        const int layer = pick(5);
        const int32_t axis = axisCode(pick(p.axisCodes));
        std::set<int32_t> reformers = randomReformers(rng);
        if (reformers.empty() || !used.emplace(layer, axis, reformers).second)
            continue;
        engine.addAxisCombo(layerNames[layer], axis, reformers, command, makeFilter(command));
        ++command;
    }
    for (const char* name : layerNames)
        engine.setTopLayer(name);
}

// Frames over the first 150 keys and 24 axes: keys go down and come up again
// (at most four held at once, a modifier now and then), axes move.
std::vector<DeviceEventList> makeFrames(int count, int eventsPerFrame) {
    std::mt19937 rng(99);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    std::vector<DeviceEventList> frames;
    std::vector<int32_t> held;
    uint32_t time = 5000;
    for (int f = 0; f < count; ++f) {
        DeviceEventList events;
        for (int i = 0; i < eventsPerFrame; ++i) {
            DeviceEvent e;
            e.time = time++;
            if (i % 5 == 0) {
                if (held.size() >= 4 || (!held.empty() && pick(2))) {
                    e.code = held.front();
                    e.value = 0;
                    held.erase(held.begin());
                } else {
                    e.code = pick(10) ? keyCode(pick(150)) : modifierCodes[pick(4)];
                    e.value = 1;
                    held.push_back(e.code);
                }
                e.device = deviceOf(e.code);
            } else {
                e.code = axisCode(pick(24));
                e.value = std::uniform_int_distribution<int32_t>(-1073741823, 1073741823)(rng);
                e.device = deviceOf(e.code);
            }
            events.push_back(e);
        }
        frames.push_back(std::move(events));
    }
    return frames;
}

const std::vector<DeviceEventList>& frames(int eventsPerFrame) {
    static std::map<int, std::vector<DeviceEventList>> made;
    auto found = made.find(eventsPerFrame);
    if (found == made.end())
        found = made.emplace(eventsPerFrame, makeFrames(1024, eventsPerFrame)).first;
    return found->second;
}

// Runs the frames in turn, from a fresh copy of each.
template <class Engine>
void runFrames(benchmark::State& state, Engine& engine, int eventsPerFrame) {
    const std::vector<DeviceEventList>& frames = ::frames(eventsPerFrame);
    DeviceEventList events;
    events.reserve(eventsPerFrame);
    std::vector<VorlanAction> actions;
    actions.reserve(64);
    size_t next = 0;
    for (auto _ : state) {
        const DeviceEventList& frame = frames[next];
        next = (next + 1) % frames.size();
        events.assign(frame.begin(), frame.end());
        engine.process(events, actions);
        benchmark::DoNotOptimize(actions.data());
    }
    state.SetItemsProcessed(state.iterations() * eventsPerFrame);
}

void BM_BindingFrame(benchmark::State& state, Profile profile) {
    Vorlan::enableLogging(false, false, false);
    BindingEngine engine;
    bind(engine, profile);
    runFrames(state, engine, profile.eventsPerFrame);
}

bool sameActions(const VorlanAction& a, const VorlanAction& b) {
    return a.getAction() == b.getAction() && a.getValue() == b.getValue() && a.hasValue() == b.hasValue()
        && a.isAbsolute() == b.isAbsolute() && a.getTime() == b.getTime() && a.getDevice() == b.getDevice();
}

// The number of the first frame where the two disagree, or -1.
int firstDifference(const Profile& profile) {
    Vorlan::enableLogging(false, false, false);
    BindingEngine engine;
    LowerBound bound;
    bind(engine, profile);
    bind(bound, profile);
    std::vector<VorlanAction> expected, actual;
    const std::vector<DeviceEventList>& frames = ::frames(profile.eventsPerFrame);
    for (size_t f = 0; f < frames.size(); ++f) {
        DeviceEventList events = frames[f];
        engine.process(events, expected);
        bound.process(frames[f], actual);
        if (!std::equal(expected.begin(), expected.end(), actual.begin(), actual.end(), sameActions))
            return static_cast<int>(f);
    }
    return -1;
}

void BM_LowerBoundFrame(benchmark::State& state, Profile profile) {
    const int difference = firstDifference(profile);
    if (difference >= 0) {
        state.SkipWithError(("differs from the engine in frame " + std::to_string(difference)).c_str());
        return;
    }
    LowerBound bound;
    bind(bound, profile);
    runFrames(state, bound, profile.eventsPerFrame);
}

} // namespace

#define VORLAN_PROFILES(BM) \
    BENCHMARK_CAPTURE(BM, realistic, Profile{1000, 150, 50, 24, 16}); \
    BENCHMARK_CAPTURE(BM, tenTimesCombosOverTenTimesCodes, Profile{10000, 1500, 500, 240, 16}); \
    BENCHMARK_CAPTURE(BM, tenTimesCombosOnTheSameCodes, Profile{10000, 150, 500, 24, 16}); \
    BENCHMARK_CAPTURE(BM, fourTimesEvents, Profile{1000, 150, 50, 24, 64})
VORLAN_PROFILES(BM_BindingFrame);
VORLAN_PROFILES(BM_LowerBoundFrame);
