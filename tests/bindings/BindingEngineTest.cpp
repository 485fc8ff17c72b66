#include "Filter.h"
#include "Vorlan.h"
#include "bindings/BindingEngine.h"
#include "core/Diagnostics.h"
#include "support/BindingModel.h"
#include "support/Describe.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <utility>

namespace {

using namespace BindingModel;

DeviceEvent event(int32_t code, int32_t value, uint32_t time, uint32_t device = 0, bool absolute = true) {
    return {code, value, absolute, time, device};
}
DeviceEvent dn(int32_t code, uint32_t time) { return event(code, 1, time); }
DeviceEvent up(int32_t code, uint32_t time) { return event(code, 0, time); }

// An empty engine, the log captured and off; `out` is reused like the host's action vector.
class BindingEngineTest : public ::testing::Test {
protected:
    BindingEngineTest() { Vorlan::enableLogging(false, false, false); }

    // Creates the layers and stacks them, the first on top.
    void stack(const std::vector<std::string>& names) {
        for (auto name = names.rbegin(); name != names.rend(); ++name) {
            engine.createLayer(*name);
            engine.setTopLayer(*name);
        }
    }
    std::string frame(DeviceEventList events = {}) {
        engine.process(events, out);
        return describe(out);
    }
    // Presses and releases each key at time 9.
    std::string tap(const std::vector<int32_t>& keys) {
        DeviceEventList events;
        for (int32_t code : keys)
            events.insert(events.end(), {dn(code, 9), up(code, 9)});
        return frame(events);
    }

    LogCapture log;
    BindingEngine engine;
    std::vector<VorlanAction> out;
};

constexpr int32_t A = 30, K = 37, C = 46, B = 48, X = 4096, Y = 4100;  // keys in ascending order, axes
constexpr int32_t M = 42, N = 29, S1 = 2, S2 = 3, S3 = 4;              // modifiers, switches where declared

// Multiplies the value by a fixed factor and counts its own destruction.
struct ScaleFilter : Filter {
    ScaleFilter(double factor, int& freed) : factor(factor), freed(freed) {}
    ~ScaleFilter() override { ++freed; }
    double doGetValue(double x) const override { return x * factor; }
    double doGetCurveValue(double t) const override { return t; }
    double factor;
    int& freed;
};

} // namespace

TEST_F(BindingEngineTest, TopmostLayerWithAMatchingComboTakesTheEvent) {
    stack({"top", "low"});
    engine.addKeyCombo("top", K, {}, 10, 0, 11);
    engine.addKeyCombo("low", K, {}, 20, 0, 21);
    engine.addKeyCombo("low", A, {}, 30, 0, 31);
    engine.addKeyCombo("top", B, {}, 0, 0, 0);  // hides the lower layer's B
    engine.addKeyCombo("low", B, {}, 40, 0, 41);
    engine.addAxisCombo("low", X, {}, 60, nullptr);
    engine.addAxisCombo("top", Y, {}, 0, nullptr);
    engine.addAxisCombo("low", Y, {}, 70, nullptr);
    EXPECT_EQ(frame({dn(K, 1), dn(A, 2), dn(B, 3), event(X, 5, 4, 1024, false), event(Y, 6, 5), up(K, 6),
                     up(A, 7), up(B, 8)}),
              "10@1 11@6 30@2 60=5r@4#1024 31@7");
    engine.removeLayer("top");
    EXPECT_EQ(frame({dn(K, 11), event(Y, 2, 12)}), "20@11 70=2@12");
    // A release goes to the layer that holds the key, even below a new top.
    engine.setTopLayer("top");
    EXPECT_EQ(frame({up(K, 13), dn(K, 14)}), "10@14 21@13");
}

TEST_F(BindingEngineTest, KeysMatchModifiersExactlyAxesTakeTheMostModifiers) {
    stack({"top", "low"});
    engine.addModifier(M);
    engine.addModifier(N);
    engine.addSwitch(S1);
    engine.addSwitch(S2);
    engine.addKeyCombo("top", K, {}, 1, 0, 0);
    engine.addKeyCombo("top", K, {M}, 2, 0, 0);
    engine.addKeyCombo("top", K, {M}, 5, 0, 0);     // same reformers: the first stays
    engine.addKeyCombo("top", A, {M, B}, 6, 0, 0);  // B is no reformer
    engine.addKeyCombo("top", K, {M, N}, 3, 0, 0);
    engine.addKeyCombo("low", K, {N}, 4, 0, 0);
    engine.addKeyCombo("top", A, {S1, S2}, 12, 0, 0);  // more reformers win whatever the order
    engine.addKeyCombo("top", A, {S1}, 11, 0, 0);
    engine.addKeyCombo("top", B, {S1}, 21, 0, 0);  // equally many: the later one wins
    engine.addKeyCombo("top", B, {S2}, 22, 0, 0);
    engine.addKeyCombo("top", C, {M, S1}, 31, 0, 0);
    engine.addKeyCombo("top", C, {M}, 32, 0, 0);
    engine.addAxisCombo("top", X, {}, 61, nullptr);
    engine.addAxisCombo("top", X, {M}, 62, nullptr);
    engine.addAxisCombo("top", X, {N}, 63, nullptr);
    engine.addAxisCombo("top", X, {S1}, 64, nullptr);
    auto probe = [this](const DeviceEventList& reformers) {
        frame(reformers);
        return tap({K, A, B, C}) + " | " + frame({event(X, 7, 9)});
    };
    EXPECT_EQ(probe({}), "1@9 | 61=7@9");
    EXPECT_EQ(probe({dn(M, 1)}), "2@9 32@9 | 62=7@9");
    EXPECT_EQ(probe({dn(N, 1)}), "3@9 | 63=7@9");
    EXPECT_EQ(probe({up(M, 1)}), "4@9 | 63=7@9");
    EXPECT_EQ(probe({up(N, 1), dn(S1, 1)}), "1@9 11@9 21@9 | 64=7@9");
    EXPECT_EQ(probe({dn(S2, 1)}), "1@9 12@9 22@9 | 64=7@9");
    EXPECT_EQ(probe({dn(M, 1)}), "2@9 31@9 | 62=7@9");
    // The top layer judges K by the modifiers at its time (N), the lower one by those at the end.
    EXPECT_EQ(frame({up(M, 20), dn(N, 21), dn(K, 22), up(N, 23)}), "");
}

// Random combos on one key and one axis, probed under every reformer state:
// the engine fires what the matching rules pick walking the view's try order.
TEST_F(BindingEngineTest, RandomCombosFireWhatTheRulesPickInTryOrder) {
    const std::vector<int32_t> reformers = {N, M, 54, S1, S2};  // three modifiers, two switches
    for (size_t i = 0; i < reformers.size(); ++i)
        i < 3 ? engine.addModifier(reformers[i]) : engine.addSwitch(reformers[i]);
    stack({"main"});
    std::mt19937 rng(7);
    for (int32_t command = 1; command <= 60; ++command) {
        std::set<int32_t> set;
        std::copy_if(reformers.begin(), reformers.end(), std::inserter(set, set.end()),
                     [&](int32_t) { return rng() % 3 == 0; });
        command % 2 ? engine.addKeyCombo("main", K, set, command, 0, 0)
                    : engine.addAxisCombo("main", X, set, command, nullptr);
    }
    const VorlanLayer layer = engine.view().layers[0];
    auto within = [](const std::vector<int32_t>& part, const std::vector<int32_t>& whole) {
        return std::includes(whole.begin(), whole.end(), part.begin(), part.end());
    };
    for (unsigned state = 0; state < 32; ++state) {
        std::vector<int32_t> held, on;  // ascending, like the view's sets
        DeviceEventList presses;
        for (size_t i = 0; i < reformers.size(); ++i) {
            if (state >> i & 1) {
                (i < 3 ? held : on).push_back(reformers[i]);
                presses.push_back(dn(reformers[i], 1));
            }
        }
        engine.releaseAll();
        frame(presses);
        auto key = std::find_if(layer.keyCombos.begin(), layer.keyCombos.end(),
                                [&](const VorlanKeyCombo& c) { return c.modifiers == held && within(c.switches, on); });
        const VorlanAxisCombo* axis = nullptr;
        for (const VorlanAxisCombo& c : layer.axisCombos) {
            if (within(c.modifiers, held) && within(c.switches, on)
                && (!axis || c.modifiers.size() > axis->modifiers.size()))
                axis = &c;
        }
        const std::string expected = (key != layer.keyCombos.end() ? std::to_string(key->down) + "@9" : "") + " | "
            + (axis ? std::to_string(axis->command) + "=7@9" : "");
        EXPECT_EQ(tap({K}) + " | " + frame({event(X, 7, 9)}), expected) << "state " << state;
    }
}

// Codes 64 apart share a bit of the reformer summaries, yet stay apart.
TEST_F(BindingEngineTest, ReformersWhoseCodesDifferBy64AreToldApart) {
    stack({"main"});
    for (int32_t code : {M, M + 64})
        engine.addModifier(code);
    for (int32_t code : {S1, S1 + 64})
        engine.addSwitch(code);
    engine.addKeyCombo("main", K, {M + 64}, 1, 0, 0);
    engine.addKeyCombo("main", A, {S1 + 64}, 2, 0, 0);
    engine.addAxisCombo("main", X, {M + 64}, 3, nullptr);
    engine.addAxisCombo("main", X, {}, 4, nullptr);
    auto probe = [this](const DeviceEventList& reformers) {
        frame(reformers);
        return tap({K, A}) + " | " + frame({event(X, 7, 9)});
    };
    EXPECT_EQ(probe({dn(M, 1), dn(S1, 1)}), " | 4=7@9");
    EXPECT_EQ(probe({up(M, 1), dn(S1 + 64, 1)}), "2@9 | 4=7@9");
    EXPECT_EQ(probe({dn(M + 64, 1)}), "1@9 | 3=7@9");
}

TEST_F(BindingEngineTest, SwitchGroupsKeepAtMostOneMemberOn) {
    stack({"top"});
    engine.addSwitch(S3);
    engine.addSwitchGroup({S1, S2, S3});  // S3 was a switch before: no member
    engine.addKeyCombo("top", A, {S1}, 1, 0, 0);
    engine.addKeyCombo("top", B, {S2}, 2, 0, 0);
    engine.addKeyCombo("top", C, {S3}, 3, 0, 0);
    EXPECT_EQ(tap({S1, A, B, C}), "1@9");
    EXPECT_EQ(tap({S2, A, B, C}), "2@9");
    EXPECT_EQ(tap({S2, A, B, C}), "");
    EXPECT_EQ(tap({S3, A, B, C}), "3@9");
    EXPECT_EQ(tap({S1, A, B, C}), "1@9 3@9");
    engine.clearReformers();  // S1 is a plain key again, and every switch off
    EXPECT_EQ(tap({S1, A, B, C}), "");
}

TEST_F(BindingEngineTest, HeldKeySendsDownThenPressedEachFrameThenUp) {
    stack({"top"});
    engine.addKeyCombo("top", K, {}, 1, 2, 3);
    engine.addKeyCombo("top", X, {}, 4, 5, 6);  // on an axis: non-zero presses, 0 releases
    EXPECT_EQ(frame({dn(K, 100), event(X, -7, 101, 4096)}), "1@100 4@101#4096 2@101 5@102#4096");
    EXPECT_EQ(frame({event(X, 3, 110, 4096)}), "4@110#4096 2@101 5@111#4096");
    EXPECT_EQ(frame({up(K, 120), event(X, 0, 121, 4096)}), "3@120 6@121#4096");
    EXPECT_EQ(frame({dn(K, 130), up(K, 131), event(X, 0, 132)}), "1@130 3@131");
}

TEST_F(BindingEngineTest, LayerOperationsQueueUpCommandsForTheStartOfTheNextFrame) {
    stack({"top", "low"});
    engine.addModifier(M);
    engine.addKeyCombo("top", K, {}, 5, 0, 1);
    engine.addKeyCombo("top", A, {}, 0, 0, 2);
    engine.addKeyCombo("low", C, {}, 0, 0, 3);
    frame({dn(C, 10), dn(K, 11), dn(A, 12)});
    frame({dn(M, 13)});
    engine.releaseAll();  // top first, by key code, stamped down time + 1; M is let go
    EXPECT_EQ(frame({dn(K, 20)}), "2@13 1@12 3@11 5@20");
    engine.setTopLayer("top");  // already on top: still lets go of K
    EXPECT_EQ(frame({up(K, 30)}), "1@21");

    frame({dn(K, 40), dn(M, 41)});
    engine.removeLayer("top");
    engine.removeAllLayers();  // drops the up command and M; declarations stay
    stack({"new"});
    engine.addKeyCombo("new", K, {}, 6, 0, 0);
    engine.addKeyCombo("new", K, {M}, 7, 0, 0);
    EXPECT_EQ(frame({dn(K, 50), up(K, 51), dn(M, 52), dn(K, 53)}), "6@50 7@53");
}

TEST_F(BindingEngineTest, EveryAddedActionIsLoggedWhenAddedByItsDeviceSwitch) {
    Vorlan::enableLogging(false, true, false);  // mouse only; devices 1..1023 always
    stack({"main"});
    engine.addKeyCombo("main", K, {}, 5, -6, 0);
    engine.addKeyCombo("main", A, {}, 0, 0, 7);
    engine.addAxisCombo("main", Y, {}, 9, nullptr);
    EXPECT_EQ(frame({event(K, 1, 1, 1024), event(A, 1, 2, 2), event(Y, 3, 3, 2), event(Y, -4, 4, 4096)}),
              "5@1#1024 9=3@3#2 9=-4@4#4096");
    engine.removeLayer("main");
    const std::string text = LogCapture::entry("Action added: 5") + LogCapture::entry("Action added: 9 value: 3") +
                             LogCapture::entry("Action added: -6") + LogCapture::entry("Action added: 7");
    EXPECT_EQ(log.read(), text);
    EXPECT_EQ(frame(), "7@3#2");
    EXPECT_EQ(log.read(), text);
}

// With logging off, the first action of the process still empties the log file.
TEST_F(BindingEngineTest, AFirstActionWithLoggingOffStillEmptiesTheLog) {
    std::ofstream(log.path("log.txt")) << "left over from an earlier run";
    stack({"main"});
    engine.addKeyCombo("main", K, {}, 1, 0, 0);
    EXPECT_EQ(frame({dn(K, 1)}), "1@1");
    EXPECT_EQ(log.read(), "");
}

TEST_F(BindingEngineTest, FilterResultIsTruncatedAndSaturated) {
    stack({"main"});
    const double results[] = {12.9, -12.9, 0.99, NAN, 2147483647.9, 1e12, HUGE_VAL, -2147483648.9, -HUGE_VAL};
    int freed = 0;
    DeviceEventList events;
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(results)); ++i) {
        engine.addAxisCombo("main", X + i, {}, i + 1, new ScaleFilter(results[i] / 2, freed));
        events.push_back(event(X + i, 2, 1));
    }
    EXPECT_EQ(frame(events), "1=12@1 2=-12@1 3=0@1 4=0@1 5=2147483647@1 6=2147483647@1 7=2147483647@1 "
                             "8=-2147483648@1 9=-2147483648@1");
    engine.removeAllLayers();  // the filters count into freed
}

TEST_F(BindingEngineTest, FilterIsHeldOnlyByAKeptCombo) {
    stack({"main"});
    engine.addModifier(M);
    int freed = 0;
    engine.addAxisCombo("main", X, {}, 1, new ScaleFilter(1, freed));
    engine.addAxisCombo("main", X, {}, 20, new ScaleFilter(1, freed));  // the first combo stays
    engine.addAxisCombo("nowhere", Y, {}, 20, new ScaleFilter(1, freed));
    engine.addAxisCombo("main", Y, {N}, 20, new ScaleFilter(1, freed));
    engine.addAxisCombo("main", M, {}, 20, new ScaleFilter(1, freed));
    EXPECT_EQ(freed, 4);
    engine.removeAllLayers();
    EXPECT_EQ(freed, 5);
}

// Random key events and layer operations: engine and model agree on every action and the stack.
TEST_F(BindingEngineTest, RandomKeysAndLayerOperationsMatchTheModel) {
    std::mt19937 rng(20261206);
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const std::string names[] = {"L0", "L1", "L2", "L3"};
    Model model;
    std::map<int32_t, int32_t> isDown;
    uint32_t time = 1000;
    for (int step = 0; step < 20000; ++step) {
        const std::string& name = names[pick(4)];
        const int choice = pick(100);
        if (choice < 8) {
            engine.createLayer(name);
            model.layers[name];
        } else if (choice < 25) {
            const int32_t code = 10 + pick(8);
            const Commands commands{pick(12) - 2, pick(12) - 2, pick(12) - 2};
            engine.addKeyCombo(name, code, {}, commands[0], commands[1], commands[2]);
            if (model.layers.count(name))  // unknown layers are ignored, a second combo is refused
                model.layers[name].combos.insert({code, commands});
        } else if (choice < 42) {  // setTopLayer is removeLayer, then a push on top
            choice < 38 ? engine.setTopLayer(name) : engine.removeLayer(name);
            model.removeLayer(name);
            if (choice < 38 && model.layers.count(name))
                model.stack.insert(model.stack.begin(), name);
        } else if (choice < 45) {
            engine.releaseAll();
            for (const std::string& stacked : model.stack)
                model.release(model.layers[stacked]);
        } else if (choice < 46) {
            engine.removeAllLayers();
            model = Model();
        } else {
            DeviceEventList events;
            for (int n = pick(6); n > 0; --n) {
                const int32_t code = 10 + pick(8);
                isDown[code] = pick(8) == 0 ? isDown[code] : !isDown[code];  // sometimes a repeat
                events.push_back(event(code, isDown[code], time += pick(3), 4096 * pick(2)));
            }
            const std::string expected = describe(model.process(events));
            ASSERT_EQ(frame(events), expected) << "step " << step;
            ASSERT_EQ(engine.getLayersStack(), model.stack) << "step " << step;
        }
    }
}

// The view lists what was kept, in the order the engine tries it.
TEST_F(BindingEngineTest, ViewListsLayersStackReformersAndKeptCombosInTryOrder) {
    engine.addModifier(M);
    engine.addSwitchGroup({S1, S2});
    stack({"top", "base"});
    engine.createLayer("off");
    engine.addKeyCombo("base", K, {}, 1, 2, 3);
    engine.addKeyCombo("base", K, {M, S1}, 4, 0, 0);
    engine.addKeyCombo("base", K, {}, 9, 9, 9);      // refused: same reformers
    engine.addKeyCombo("base", A, {S3}, 5, 0, 0);    // refused: S3 undeclared
    engine.addKeyCombo("base", A, {S2}, 6, 0, 0);
    FilterInfo info;
    info.deadzone = 0.1;
    engine.addAxisCombo("top", X, {M}, 7, createFilter(info));
    engine.addAxisCombo("top", X, {}, 8, nullptr);

    const VorlanBindings view = engine.view();
    std::ostringstream text;
    for (const VorlanLayer& layer : view.layers) {
        text << layer.name << ':';
        for (const VorlanKeyCombo& c : layer.keyCombos)
            text << " k" << c.key << '/' << c.modifiers.size() << c.switches.size() << '=' << c.down << c.pressed
                 << c.up;
        for (const VorlanAxisCombo& c : layer.axisCombos)
            text << " a" << c.axis << '/' << c.modifiers.size() << '=' << c.command << (c.hasFilter ? "f" : "")
                 << c.filter.deadzone;
    }
    EXPECT_EQ(text.str(), "base: k30/01=600 k37/11=400 k37/00=123top: a4096/1=7f0.1 a4096/0=80off:");
    EXPECT_EQ(view.stack, (std::vector<std::string>{"top", "base"}));
    ASSERT_EQ(view.modifiers.size(), 1u);
    EXPECT_EQ(view.modifiers[0].code, M);
    ASSERT_EQ(view.switches.size(), 2u);
    EXPECT_EQ(view.switchGroups, (std::vector<std::vector<int32_t>>{{S1, S2}}));
}

// While diagnostics are on, the view tells where each thing was made; refusals
// are noted with the call site, and nothing is noted once they are off.
TEST_F(BindingEngineTest, DiagnosticsNoteRefusalsAndTheOriginsOfBindings) {
    Diagnostics::enable(true);
    {
        const Diagnostics::SiteScope site({"a.lua", 3});
        engine.createLayer("L");
        engine.addModifier(M);
    }
    {
        const Diagnostics::SiteScope site({"a.lua", 4});
        engine.addKeyCombo("L", K, {M}, 1, 0, 0);
        engine.addKeyCombo("L", K, {M}, 2, 0, 0);
        engine.setTopLayer("X");
    }
    Diagnostics::enable(false);
    engine.setTopLayer("X");
    const VorlanBindings view = engine.view();
    EXPECT_EQ(view.layers[0].origin.line, 3);
    EXPECT_EQ(view.modifiers[0].origin.line, 3);
    EXPECT_EQ(view.layers[0].keyCombos[0].origin.file, "a.lua");
    EXPECT_EQ(view.layers[0].keyCombos[0].origin.line, 4);
    std::vector<std::string> texts;
    for (const VorlanDiagnostic& entry : Diagnostics::take())
        texts.push_back(entry.file + ":" + std::to_string(entry.line) + ": " + entry.operation + ": " + entry.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "a.lua:4: addKeyCombo: arguments 2 and 3 (key, reformers): layer \"L\" binds 37 with {42} "
                         "already; this combo (2, 0, 0) was dropped",
                         "a.lua:4: setTopLayer: argument 1 (layer): no layer is named \"X\"; nothing was done"}));
}
