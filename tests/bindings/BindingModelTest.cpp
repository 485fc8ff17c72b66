#include "bindings/BindingTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

// A random stream of key events, combo additions and layer operations run
// through the engine and through a plain reference model of who holds which
// key; every frame's actions must agree exactly.

namespace {

using Codes = std::set<int32_t>;

constexpr int32_t M1 = 50, M2 = 51;         // modifiers
constexpr int32_t S1 = 60, S2 = 61, S3 = 62;  // S1 and S2 form a group
constexpr int32_t Undeclared = 70;
const std::vector<int32_t> keys{10, 11, 12, 13, 14, 15, 16, 17};
const std::vector<std::string> names{"L0", "L1", "L2", "L3", "never created"};

struct ModelCombo {
    int32_t key;
    Codes modifiers, switches;
    int32_t down, pressed, up;
    int order;  // later additions win among equally specific combos
};

struct ModelHeld {
    int32_t pressed, up;
    uint32_t time, device;
};

struct ModelLayer {
    std::string name;
    std::vector<ModelCombo> combos;
    std::map<int32_t, ModelHeld> held;
};

bool isSubset(const Codes& part, const Codes& whole) {
    return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
}

class Model {
public:
    void createLayer(const std::string& name) {
        if (!find(name))
            layers.push_back({name, {}, {}});
    }

    void addKeyCombo(const std::string& name, const ModelCombo& c) {
        ModelLayer* layer = find(name);
        if (!layer || c.modifiers.count(Undeclared) || c.switches.count(Undeclared))
            return;
        for (const ModelCombo& old : layer->combos) {
            if (old.key == c.key && old.modifiers == c.modifiers && old.switches == c.switches)
                return;
        }
        layer->combos.push_back(c);
    }

    void removeLayer(const std::string& name) {
        ModelLayer* layer = find(name);
        if (!layer)
            return;
        release(*layer, pending);
        auto at = std::find(stack.begin(), stack.end(), name);
        if (at != stack.end())
            stack.erase(at);
    }

    void setTopLayer(const std::string& name) {
        removeLayer(name);
        if (find(name))
            stack.insert(stack.begin(), name);
    }

    void releaseAll() {
        for (const std::string& name : stack)
            release(*find(name), pending);
        heldModifiers.clear();
        onSwitches.clear();
    }

    void removeAllLayers() {
        layers.clear();
        stack.clear();
        heldModifiers.clear();
        onSwitches.clear();
        pending.clear();
    }

    std::vector<Act> process(std::vector<DeviceEvent> events) {
        std::vector<Act> out = pending;
        pending.clear();
        if (stack.empty())
            return out;
        for (const std::string& name : stack) {
            ModelLayer& layer = *find(name);
            std::vector<DeviceEvent> left;
            for (const DeviceEvent& e : events) {
                if (!reformer(e) && !key(layer, e, out))
                    left.push_back(e);
            }
            events = left;
            for (const auto& [code, held] : layer.held)
                emit(out, held.pressed, held.time, held.device);
        }
        return out;
    }

private:
    ModelLayer* find(const std::string& name) {
        for (ModelLayer& l : layers)
            if (l.name == name)
                return &l;
        return nullptr;
    }

    static void emit(std::vector<Act>& out, int32_t command, uint32_t time, uint32_t device) {
        if (command > 0)
            out.push_back(keyAct(command, time, device));
    }

    static void release(ModelLayer& layer, std::vector<Act>& out) {
        for (const auto& [code, held] : layer.held)
            emit(out, held.up, held.time, held.device);
        layer.held.clear();
    }

    bool reformer(const DeviceEvent& e) {
        if (e.code == M1 || e.code == M2) {
            if (e.value)
                heldModifiers.insert(e.code);
            else
                heldModifiers.erase(e.code);
            return true;
        }
        if (e.code == S1 || e.code == S2 || e.code == S3) {
            if (!e.value)
                return true;
            const bool wasOn = onSwitches.count(e.code) > 0;
            if (e.code != S3)
                onSwitches.erase(e.code == S1 ? S2 : S1);
            if (wasOn)
                onSwitches.erase(e.code);
            else
                onSwitches.insert(e.code);
            return true;
        }
        return false;
    }

    bool key(ModelLayer& layer, const DeviceEvent& e, std::vector<Act>& out) {
        const ModelCombo* best = nullptr;
        bool bound = false;
        for (const ModelCombo& c : layer.combos) {
            if (c.key != e.code)
                continue;
            bound = true;
            if (c.modifiers != heldModifiers || !isSubset(c.switches, onSwitches))
                continue;
            const size_t count = c.modifiers.size() + c.switches.size();
            if (!best || count > best->modifiers.size() + best->switches.size()
                || (count == best->modifiers.size() + best->switches.size() && c.order > best->order))
                best = &c;
        }
        if (!bound)
            return false;
        if (!e.value) {
            auto held = layer.held.find(e.code);
            if (held == layer.held.end())
                return false;
            emit(out, held->second.up, e.time, e.device);
            layer.held.erase(held);
            return true;
        }
        if (!best)
            return false;
        layer.held[e.code] = {best->pressed, best->up, e.time + 1, e.device};
        emit(out, best->down, e.time, e.device);
        return true;
    }

    std::vector<ModelLayer> layers;
    std::vector<std::string> stack;
    Codes heldModifiers, onSwitches;
    std::vector<Act> pending;
};

class RandomRun {
public:
    explicit RandomRun(uint32_t seed) : rng(seed) {
        engine.addModifier(M1);
        engine.addModifier(M2);
        engine.addSwitchGroup({S1, S2});
        engine.addSwitch(S3);
        createLayers();
    }

    void step() {
        const int choice = pick(100);
        if (choice < 60)
            runFrame();
        else if (choice < 75)
            both([&](auto& x, const std::string& n) { x.setTopLayer(n); }, anyName());
        else if (choice < 83)
            both([&](auto& x, const std::string& n) { x.removeLayer(n); }, anyName());
        else if (choice < 87)
            both([&](auto& x, const std::string&) { x.releaseAll(); }, "");
        else if (choice < 99)
            addCombo();
        else {
            both([&](auto& x, const std::string&) { x.removeAllLayers(); }, "");
            createLayers();
        }
    }

    std::vector<Act> expected, actual;
    int frames = 0;

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    const std::string& anyName() { return names[pick(static_cast<int>(names.size()))]; }

    template <class Op>
    void both(Op op, const std::string& name) {
        op(engine, name);
        op(model, name);
    }

    void createLayers() {
        for (int i = 0; i < 4; ++i) {
            engine.createLayer(names[i]);
            model.createLayer(names[i]);
        }
        for (int i = 0; i < 40; ++i)
            addCombo();
    }

    int32_t command() { return pick(4) == 0 ? 0 : pick(30) - 3; }

    void addCombo() {
        ModelCombo c{keys[pick(static_cast<int>(keys.size()))], {}, {}, command(), command(), command(), ++order};
        for (int32_t m : {M1, M2})
            if (pick(4) == 0)
                c.modifiers.insert(m);
        for (int32_t s : {S1, S2, S3})
            if (pick(4) == 0)
                c.switches.insert(s);
        Codes reformers = c.modifiers;
        reformers.insert(c.switches.begin(), c.switches.end());
        if (pick(40) == 0) {  // refused: not a declared reformer
            reformers.insert(Undeclared);
            c.switches.insert(Undeclared);
        }
        const std::string& name = anyName();
        engine.addKeyCombo(name, c.key, reformers, c.down, c.pressed, c.up);
        model.addKeyCombo(name, c);
    }

    void runFrame() {
        static const std::vector<int32_t> reformerCodes{M1, M2, S1, S2, S3};
        static const uint32_t devices[] = {0, 1024, 4096};
        DeviceEventList events;
        for (int n = pick(6); n > 0; --n) {
            time += static_cast<uint32_t>(pick(3));
            const int32_t code = pick(4) == 0 ? reformerCodes[pick(5)] : keys[pick(8)];
            // Mostly alternate each code's state, sometimes repeat a press or release.
            bool& isDown = physical[code];
            isDown = pick(8) == 0 ? isDown : !isDown;
            events.push_back(keyEvent(code, isDown, time, devices[pick(3)]));
        }
        expected = model.process(events);
        engine.process(events, hostActions);
        actual = toActs(hostActions);
        ++frames;
    }

    std::mt19937 rng;
    BindingEngine engine;
    Model model;
    std::vector<VorlanAction> hostActions;
    std::map<int32_t, bool> physical;
    uint32_t time = 1000;
    int order = 0;
};

} // namespace

TEST(BindingModelTest, RandomKeysAndLayerOperationsMatchTheReferenceModel) {
    QuietLog quiet;
    RandomRun run(20261206);
    size_t actions = 0;
    for (int i = 0; i < 20000; ++i) {
        run.step();
        ASSERT_EQ(run.actual, run.expected) << "step " << i << ", frame " << run.frames;
        actions += run.actual.size();
        run.actual.clear();
        run.expected.clear();
    }
    // The run must exercise the engine, not just agree on silence.
    EXPECT_GT(run.frames, 10000);
    EXPECT_GT(actions, 5000u);
}
