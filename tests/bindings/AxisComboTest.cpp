#include "bindings/BindingTestSupport.h"

#include "Filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>

using namespace code;
using Acts = std::vector<Act>;

namespace {

// A filter whose result is any function of the input; it counts its own
// destruction, so tests see how long the engine keeps it.
class ScriptedFilter : public Filter {
public:
    ScriptedFilter(std::function<double(double)> shape, int* destroyed = nullptr)
        : shape(std::move(shape)), destroyed(destroyed) {}
    ~ScriptedFilter() override {
        if (destroyed)
            ++*destroyed;
    }

private:
    double doGetValue(double x) const override { return shape(x); }
    double doGetCurveValue(double t) const override { return t; }

    std::function<double(double)> shape;
    int* destroyed;
};

Filter* constant(double result, int* destroyed = nullptr) {
    return new ScriptedFilter([result](double) { return result; }, destroyed);
}

constexpr int32_t M = LShift, N = LCtrl, L = RAlt;

class AxisComboTest : public EngineTest {
protected:
    void SetUp() override {
        engine.addModifier(M);
        engine.addModifier(N);
        engine.addModifier(L);
        engine.addSwitch(S1);
        engine.createLayer("low");
        engine.createLayer("top");
        engine.setTopLayer("low");
        engine.setTopLayer("top");
    }

    // The command that takes a move of `axis`, 0 when none does.
    int32_t commandFor(int32_t axis) {
        const Acts acts = frame(engine, {axisEvent(axis, 1000, 50)});
        return acts.empty() ? 0 : acts.front().action;
    }
};

} // namespace

TEST_F(AxisComboTest, CandidateWithTheMostModifiersWinsSwitchesDoNotCount) {
    engine.addAxisCombo("top", JoyX, {}, 1, nullptr);
    engine.addAxisCombo("top", JoyX, {M}, 2, nullptr);
    engine.addAxisCombo("top", JoyX, {N}, 3, nullptr);
    engine.addAxisCombo("top", JoyX, {S1}, 4, nullptr);
    const struct {
        std::vector<int32_t> pressed;  // modifiers held, or the switch turned on
        int32_t command;
    } cases[] = {
        {{}, 1},
        {{L}, 1},            // an unrelated modifier does not hide the plain combo
        {{M}, 2},
        {{M, N}, 3},         // equal counts: the later added stands first
        {{M, S1}, 2},        // a modifier beats a switch
        {{S1}, 4},           // equal counts (no modifiers): list order
        {{M, N, S1}, 3},
    };
    for (const auto& c : cases) {
        DeviceEventList presses;
        for (int32_t code : c.pressed)
            presses.push_back(down(code, 1));
        frame(engine, presses);
        EXPECT_EQ(commandFor(JoyX), c.command) << "case with command " << c.command;
        engine.releaseAll();
        frame(engine);
    }
}

TEST_F(AxisComboTest, UnmatchedSwitchFallsThroughAndCommandZeroHidesLowerLayers) {
    engine.addAxisCombo("top", JoyX, {S1}, 1, nullptr);
    engine.addAxisCombo("low", JoyX, {}, 2, nullptr);
    engine.addAxisCombo("top", JoyY, {}, 0, nullptr);
    engine.addAxisCombo("low", JoyY, {}, 3, nullptr);
    EXPECT_EQ(commandFor(JoyX), 2);
    EXPECT_EQ(commandFor(JoyY), 0);
    frame(engine, {down(S1, 1)});
    EXPECT_EQ(commandFor(JoyX), 1);
}

TEST_F(AxisComboTest, EveryMoveIsSentWithItsValueTimeDeviceAndKind) {
    engine.addAxisCombo("top", JoyX, {}, 7, nullptr);
    engine.addAxisCombo("top", 1024, {}, 8, nullptr);  // mouse X, relative
    EXPECT_EQ(frame(engine, {axisEvent(JoyX, -1073741823, 10), axisEvent(JoyX, -1073741823, 11),
                             axisEvent(1024, -5, 12, 1024, false),
                             axisEvent(JoyX, 0, 13)}),
              (Acts{axisAct(7, -1073741823, 10), axisAct(7, -1073741823, 11),
                    axisAct(8, -5, 12, 1024, false), axisAct(7, 0, 13)}));
}

TEST_F(AxisComboTest, FilterResultIsTruncatedTowardZeroAndSaturates) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double result;
        int32_t value;
    } cases[] = {
        {12.9, 12},
        {-12.9, -12},
        {0.99, 0},
        {nan, 0},
        {2147483647.0, 2147483647},
        {2147483647.9, 2147483647},
        {1e12, 2147483647},
        {std::numeric_limits<double>::infinity(), 2147483647},
        {-2147483648.0, -2147483647 - 1},
        {-2147483648.9, -2147483647 - 1},
        {-1e12, -2147483647 - 1},
    };
    int code = 4096;
    for (const auto& c : cases) {
        code += 4;
        engine.addAxisCombo("top", code, {}, 5, constant(c.result));
        EXPECT_EQ(frame(engine, {axisEvent(code, 77, 1)}), Acts{axisAct(5, c.value, 1)})
            << "filter result " << c.result;
    }
}

TEST_F(AxisComboTest, ValueGoesThroughARealFilter) {
    FilterInfo info;
    info.invert = true;
    engine.addAxisCombo("top", JoyX, {}, 5, createFilter(info));
    EXPECT_EQ(frame(engine, {axisEvent(JoyX, 1073741823, 1), axisEvent(JoyX, -2000000000, 2),
                             axisEvent(JoyX, 0, 3)}),
              (Acts{axisAct(5, -1073741823, 1), axisAct(5, 1073741823, 2), axisAct(5, 0, 3)}));
}

TEST_F(AxisComboTest, EngineHoldsFiltersAsLongAsAComboUsesThem) {
    int destroyed = 0;
    engine.addAxisCombo("top", JoyX, {}, 5, constant(1, &destroyed));
    engine.addAxisCombo("top", JoyX, {}, 6, constant(2, &destroyed));  // duplicate: dropped
    EXPECT_EQ(destroyed, 1);
    engine.addAxisCombo("nowhere", JoyX, {}, 6, constant(3, &destroyed));
    engine.addAxisCombo("top", JoyY, {RAlt + 1}, 6, constant(3, &destroyed));  // undeclared
    engine.addAxisCombo("top", M, {}, 6, constant(3, &destroyed));             // a modifier
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(frame(engine, {axisEvent(JoyX, 9, 1)}), Acts{axisAct(5, 1, 1)});

    // One filter in two layers, and one that the caller still holds.
    Mem::Ref<Filter> shared(constant(8, &destroyed));
    engine.addAxisCombo("top", JoyY, {}, 7, shared.get());
    engine.addAxisCombo("low", JoyY, {M}, 7, shared.get());
    shared.reset();
    Mem::Ref<Filter> callers(constant(9, &destroyed));
    engine.addAxisCombo("low", JoyX, {}, 9, callers.get());
    engine.removeAllLayers();
    EXPECT_EQ(destroyed, 6);
    callers.reset();
    EXPECT_EQ(destroyed, 7);
}

TEST_F(AxisComboTest, NonZeroValueMatchingAKeyComboIsAPressAndNeverReachesAxisCombos) {
    engine.addKeyCombo("top", JoyX, {}, 1, 0, 2);
    engine.addAxisCombo("top", JoyX, {}, 3, nullptr);
    EXPECT_EQ(frame(engine, {axisEvent(JoyX, 0, 1), axisEvent(JoyX, 5, 2), axisEvent(JoyX, 0, 3)}),
              (Acts{axisAct(3, 0, 1), keyAct(1, 2, 4096), keyAct(2, 3, 4096)}));
    // With M held the key combo does not match, the axis combo does.
    EXPECT_EQ(frame(engine, {down(M, 4), axisEvent(JoyX, 6, 5)}), Acts{axisAct(3, 6, 5)});
}
