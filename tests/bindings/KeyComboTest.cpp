#include "bindings/BindingTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace code;
using Acts = std::vector<Act>;

namespace {

class KeyComboTest : public EngineTest {
protected:
    void SetUp() override {
        engine.createLayer("low");
        engine.createLayer("top");
        engine.setTopLayer("low");
        engine.setTopLayer("top");
    }

    // The commands fired by pressing and releasing each key at time t.
    std::vector<int32_t> tap(const std::vector<int32_t>& keys, uint32_t t = 100) {
        DeviceEventList events;
        for (int32_t key : keys) {
            events.push_back(down(key, t));
            events.push_back(up(key, t));
        }
        std::vector<int32_t> commands;
        for (const Act& a : frame(engine, events))
            commands.push_back(a.action);
        return commands;
    }

    void press(const std::vector<int32_t>& keys) {
        DeviceEventList events;
        for (int32_t key : keys)
            events.push_back(down(key, 1));
        frame(engine, events);
    }
};

} // namespace

TEST_F(KeyComboTest, ModifiersMustMatchExactlyOtherwiseTheKeyFallsThrough) {
    engine.addModifier(LShift);
    engine.addModifier(LCtrl);
    engine.addKeyCombo("top", K, {}, 1, 0, 0);
    engine.addKeyCombo("top", K, {LShift}, 2, 0, 0);
    engine.addKeyCombo("top", K, {LShift, LCtrl}, 3, 0, 0);
    engine.addKeyCombo("low", K, {LCtrl}, 4, 0, 0);
    const struct {
        std::vector<int32_t> held;
        std::vector<int32_t> fired;
    } cases[] = {
        {{}, {1}},
        {{LShift}, {2}},
        {{LShift, LCtrl}, {3}},
        {{LCtrl}, {4}},  // nothing in "top" fits, "low" has the exact combo
    };
    for (const auto& c : cases) {
        press(c.held);
        EXPECT_EQ(tap({K}), c.fired) << "held modifiers: " << c.held.size();
        DeviceEventList releases;
        for (int32_t m : c.held)
            releases.push_back(up(m, 2));
        frame(engine, releases);
    }
}

TEST_F(KeyComboTest, MostReformersWinThenTheLatestAdded) {
    engine.addSwitch(S1);
    engine.addSwitch(S2);
    engine.addModifier(LShift);
    // Key A: the two-switch combo is added first, key B: last.
    engine.addKeyCombo("top", A, {S1, S2}, 12, 0, 0);
    engine.addKeyCombo("top", A, {S1}, 11, 0, 0);
    engine.addKeyCombo("top", B, {S1}, 21, 0, 0);
    engine.addKeyCombo("top", B, {S1, S2}, 22, 0, 0);
    // Key C: equal counts, the one added last stands first.
    engine.addKeyCombo("top", C, {S1}, 31, 0, 0);
    engine.addKeyCombo("top", C, {S2}, 32, 0, 0);
    // Key F: a modifier counts as a reformer like a switch.
    engine.addKeyCombo("top", F, {LShift, S1}, 41, 0, 0);
    engine.addKeyCombo("top", F, {LShift}, 42, 0, 0);

    EXPECT_EQ(tap({A, B, C}), std::vector<int32_t>{});
    press({S1});
    EXPECT_EQ(tap({A, B, C}), (std::vector<int32_t>{11, 21, 31}));
    press({S2});
    EXPECT_EQ(tap({A, B, C}), (std::vector<int32_t>{12, 22, 32}));
    press({S1});  // S1 off, S2 on
    EXPECT_EQ(tap({A, B, C}), std::vector<int32_t>{32});
    press({LShift});
    EXPECT_EQ(tap({F}), std::vector<int32_t>{42});
    press({S1});
    EXPECT_EQ(tap({F}), std::vector<int32_t>{41});
}

TEST_F(KeyComboTest, SwitchGroupsKeepAtMostOneMemberOn) {
    // Keys A, B, C show which of S1, S2, S3 are on.
    auto bindProbes = [this] {
        engine.addKeyCombo("top", A, {S1}, 1, 0, 0);
        engine.addKeyCombo("top", B, {S2}, 2, 0, 0);
        engine.addKeyCombo("top", C, {S3}, 3, 0, 0);
    };
    struct Step {
        int32_t pressed;
        std::vector<int32_t> on;
    };
    const struct {
        const char* name;
        std::function<void()> declare;
        std::vector<Step> steps;
    } cases[] = {
        {"group of three",
         [this] { engine.addSwitchGroup({S1, S2, S3}); },
         {{S1, {1}}, {S2, {2}}, {S2, {}}, {S3, {3}}, {S1, {1}}}},
        {"members already switches make no group",
         [this] {
             engine.addSwitch(S1);
             engine.addSwitch(S2);
             engine.addSwitchGroup({S1, S2});
         },
         {{S1, {1}}, {S2, {1, 2}}, {S1, {2}}}},
        {"an earlier switch stays out of the group",
         [this] {
             engine.addSwitch(S1);
             engine.addSwitchGroup({S1, S2, S3});
         },
         {{S1, {1}}, {S2, {1, 2}}, {S3, {1, 3}}, {S2, {1, 2}}}},
        {"a modifier stays a modifier",
         [this] {
             engine.addModifier(S3);
             engine.addSwitch(S3);
             engine.addSwitchGroup({S1, S2, S3});
         },
         {{S1, {1}}, {S2, {2}}}},
        {"groups outlive clearReformers",
         [this] {
             engine.addSwitchGroup({S1, S2});
             engine.clearReformers();
             engine.addSwitch(S2);
             engine.addSwitch(S1);
         },
         {{S2, {2}}, {S1, {1}}, {S1, {}}}},
    };
    for (const auto& c : cases) {
        engine = BindingEngine();
        engine.createLayer("top");
        engine.setTopLayer("top");
        c.declare();
        bindProbes();
        for (const Step& step : c.steps) {
            // A release between presses changes nothing.
            frame(engine, {down(step.pressed, 1), up(step.pressed, 2)});
            EXPECT_EQ(tap({A, B, C}), step.on) << c.name << ", after pressing " << step.pressed;
        }
    }
}

TEST_F(KeyComboTest, RefusedCombosAddNothingAndTheFirstComboStays) {
    engine.addModifier(LShift);
    engine.addSwitch(S1);
    engine.addSwitch(LShift);  // already a modifier: ignored
    engine.addModifier(S1);    // already a switch: ignored
    engine.addKeyCombo("top", K, {}, 5, 0, 0);
    engine.addKeyCombo("top", K, {}, 6, 0, 0);            // duplicate
    engine.addKeyCombo("top", A, {LShift, RAlt}, 7, 0, 0);  // RAlt undeclared
    engine.addKeyCombo("top", S1, {}, 8, 0, 0);             // a switch
    engine.addKeyCombo("top", LShift, {}, 9, 0, 0);         // a modifier
    engine.addKeyCombo("nowhere", B, {}, 10, 0, 0);
    engine.addKeyCombo("low", RAlt, {}, 11, 0, 0);
    EXPECT_EQ(tap({K, B}), std::vector<int32_t>{5});
    press({LShift});
    EXPECT_EQ(tap({A, LShift, S1}), std::vector<int32_t>{});
    frame(engine, {up(LShift, 1)});
    // Declaring a bound key a modifier makes its combos unreachable in every
    // layer: its events are consumed as modifier events.
    EXPECT_EQ(tap({RAlt}), std::vector<int32_t>{11});
    engine.addModifier(RAlt);
    EXPECT_EQ(tap({RAlt}), std::vector<int32_t>{});
}

TEST_F(KeyComboTest, HeldKeySendsDownThenPressedEachFrameThenUp) {
    engine.addKeyCombo("top", K, {}, 1, 2, 3);
    engine.addKeyCombo("top", JoyButton, {}, 4, 5, 6);
    EXPECT_EQ(frame(engine, {down(K, 1000), keyEvent(JoyButton, true, 1001, 4096)}),
              (Acts{keyAct(1, 1000), keyAct(4, 1001, 4096), keyAct(2, 1001), keyAct(5, 1002, 4096)}));
    EXPECT_EQ(frame(engine), (Acts{keyAct(2, 1001), keyAct(5, 1002, 4096)}));
    EXPECT_EQ(frame(engine, {up(K, 1040)}), (Acts{keyAct(3, 1040), keyAct(5, 1002, 4096)}));
    // Down and up within one frame: no pressed command.
    EXPECT_EQ(frame(engine, {down(K, 1050), up(K, 1051), keyEvent(JoyButton, false, 1052, 4096)}),
              (Acts{keyAct(1, 1050), keyAct(3, 1051), keyAct(6, 1052, 4096)}));
}

TEST_F(KeyComboTest, SecondPressRenewsTheHeldKey) {
    engine.addModifier(LShift);
    engine.addKeyCombo("top", K, {}, 1, 2, 3);
    engine.addKeyCombo("top", K, {LShift}, 4, 5, 6);
    frame(engine, {down(K, 10)});
    EXPECT_EQ(frame(engine, {down(LShift, 20), down(K, 21)}), (Acts{keyAct(4, 21), keyAct(5, 22)}));
    EXPECT_EQ(frame(engine, {up(K, 30)}), Acts{keyAct(6, 30)});
}

TEST_F(KeyComboTest, KeyComboOnAnAxisTakesNonZeroAsPressAndZeroAsRelease) {
    engine.addKeyCombo("top", JoyX, {}, 1, 2, 3);
    EXPECT_EQ(frame(engine, {axisEvent(JoyX, 500, 10), axisEvent(JoyX, -7, 11)}),
              (Acts{keyAct(1, 10, 4096), keyAct(1, 11, 4096), keyAct(2, 12, 4096)}));
    EXPECT_EQ(frame(engine, {axisEvent(JoyX, 0, 12)}), Acts{keyAct(3, 12, 4096)});
    EXPECT_EQ(frame(engine, {axisEvent(JoyX, 0, 13)}), Acts{});
}

TEST_F(KeyComboTest, TopLayerSeesReformersAtEventTimeLowerLayersAtFrameEnd) {
    engine.addModifier(LShift);
    engine.addKeyCombo("top", A, {LShift}, 1, 0, 0);
    engine.addKeyCombo("low", K, {LShift}, 2, 0, 0);
    engine.addKeyCombo("low", K, {}, 3, 0, 0);
    EXPECT_EQ(frame(engine, {down(LShift, 1), down(A, 2), down(K, 3), up(LShift, 4)}),
              (Acts{keyAct(1, 2), keyAct(3, 3)}));
}

TEST_F(KeyComboTest, ReleaseAllLetsGoOfModifiersAndSwitches) {
    engine.addModifier(LShift);
    engine.addSwitch(S1);
    engine.addKeyCombo("top", K, {}, 1, 0, 0);
    engine.addKeyCombo("top", K, {LShift, S1}, 2, 0, 0);
    press({LShift, S1});
    EXPECT_EQ(tap({K}), std::vector<int32_t>{2});
    engine.releaseAll();
    EXPECT_EQ(tap({K}), std::vector<int32_t>{1});
}
