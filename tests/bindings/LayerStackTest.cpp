#include "bindings/BindingTestSupport.h"

#include <gtest/gtest.h>

using namespace code;
using Names = std::vector<std::string>;

namespace {

// Two layers binding K: "top" to 10/11/12, "low" to 20/21/22; "low" below.
class TwoLayers : public EngineTest {
protected:
    void SetUp() override {
        engine.createLayer("low");
        engine.createLayer("top");
        engine.addKeyCombo("low", K, {}, 20, 21, 22);
        engine.addKeyCombo("top", K, {}, 10, 11, 12);
        engine.setTopLayer("low");
        engine.setTopLayer("top");
    }
};

} // namespace

TEST_F(EngineTest, StackOperationsFollowNamesAndIgnoreUnknownOnes) {
    EXPECT_EQ(engine.getLayersStack(), Names{});
    engine.createLayer("a");
    engine.createLayer("b");
    engine.createLayer("c");
    engine.setTopLayer("nobody");
    EXPECT_EQ(engine.getLayersStack(), Names{});

    engine.setTopLayer("a");
    engine.setTopLayer("b");
    engine.setTopLayer("c");
    EXPECT_EQ(engine.getLayersStack(), (Names{"c", "b", "a"}));
    engine.setTopLayer("a");
    EXPECT_EQ(engine.getLayersStack(), (Names{"a", "c", "b"}));
    engine.setTopLayer("a");
    EXPECT_EQ(engine.getLayersStack(), (Names{"a", "c", "b"}));
    engine.removeLayer("c");
    engine.removeLayer("c");
    engine.removeLayer("nobody");
    EXPECT_EQ(engine.getLayersStack(), (Names{"a", "b"}));

    engine.removeAllLayers();
    EXPECT_EQ(engine.getLayersStack(), Names{});
    engine.setTopLayer("a");  // no longer registered
    EXPECT_EQ(engine.getLayersStack(), Names{});
}

TEST_F(EngineTest, CreatingALayerTwiceKeepsTheFirstWithItsBindings) {
    engine.createLayer("main");
    engine.addKeyCombo("main", K, {}, 5, 0, 0);
    engine.createLayer("main");
    engine.setTopLayer("main");
    engine.removeLayer("main");
    engine.setTopLayer("main");
    EXPECT_EQ(engine.getLayersStack(), Names{"main"});
    EXPECT_EQ(frame(engine, {down(K, 7)}), std::vector<Act>{keyAct(5, 7)});
}

TEST_F(EngineTest, CombosCanBeAddedToLayersOffTheStackButOnlyStackedLayersTakeEvents) {
    engine.createLayer("off");
    engine.createLayer("on");
    engine.addKeyCombo("off", K, {}, 5, 0, 0);
    engine.addKeyCombo("missing", A, {}, 6, 0, 0);
    engine.setTopLayer("on");
    EXPECT_EQ(frame(engine, {down(K, 1), up(K, 2), down(A, 3)}), std::vector<Act>{});
    engine.setTopLayer("off");
    EXPECT_EQ(frame(engine, {down(K, 4), down(A, 5)}), std::vector<Act>{keyAct(5, 4)});
}

TEST_F(TwoLayers, TopmostLayerWithAMatchingComboTakesTheEvent) {
    EXPECT_EQ(frame(engine, {down(K, 100)}), (std::vector<Act>{keyAct(10, 100), keyAct(11, 101)}));
    EXPECT_EQ(frame(engine, {up(K, 150)}), std::vector<Act>{keyAct(12, 150)});
    engine.removeLayer("top");
    EXPECT_EQ(frame(engine, {down(K, 200), up(K, 210)}), (std::vector<Act>{keyAct(20, 200), keyAct(22, 210)}));
}

TEST_F(TwoLayers, LayerWithoutAComboIsTransparentAndCommandZeroHidesLowerLayers) {
    engine.addKeyCombo("low", A, {}, 30, 0, 31);
    engine.addKeyCombo("low", B, {}, 40, 0, 41);
    engine.addKeyCombo("top", B, {}, 0, 0, 0);  // binds B to nothing
    EXPECT_EQ(frame(engine, {down(A, 1), down(B, 2), up(A, 3), up(B, 4)}),
              (std::vector<Act>{keyAct(30, 1), keyAct(31, 3)}));
}

TEST_F(TwoLayers, ReleaseGoesToTheLayerHoldingTheKey) {
    engine.setTopLayer("low");
    EXPECT_EQ(frame(engine, {down(K, 1)}), (std::vector<Act>{keyAct(20, 1), keyAct(21, 2)}));
    engine.setTopLayer("top");  // raised above the layer that holds K
    EXPECT_EQ(frame(engine), std::vector<Act>{keyAct(21, 2)});
    EXPECT_EQ(frame(engine, {up(K, 5)}), std::vector<Act>{keyAct(22, 5)});
    EXPECT_EQ(frame(engine, {down(K, 6)}), (std::vector<Act>{keyAct(10, 6), keyAct(11, 7)}));
}

TEST_F(TwoLayers, LayerOperationsQueueUpCommandsForTheNextFrameFirst) {
    engine.addKeyCombo("top", A, {}, 30, 0, 31);
    engine.addKeyCombo("low", B, {}, 40, 0, 41);
    EXPECT_EQ(frame(engine, {down(B, 4), down(A, 5), down(K, 6)}),
              (std::vector<Act>{keyAct(30, 5), keyAct(10, 6), keyAct(11, 7), keyAct(40, 4)}));

    // setTopLayer on the layer already on top lets go of its keys, in
    // ascending code order (A=30, K=37), stamped with their down time + 1.
    engine.setTopLayer("top");
    EXPECT_EQ(engine.getLayersStack(), (Names{"top", "low"}));
    EXPECT_EQ(frame(engine, {down(C, 9)}), (std::vector<Act>{keyAct(31, 6), keyAct(12, 7)}));
    // Later physical releases of A and K are no longer bound by "top"; B is still held.
    EXPECT_EQ(frame(engine, {up(A, 20), up(K, 21)}), std::vector<Act>{});

    engine.releaseAll();
    engine.releaseAll();  // nothing left to let go
    EXPECT_EQ(frame(engine, {down(K, 30)}),
              (std::vector<Act>{keyAct(41, 5), keyAct(10, 30), keyAct(11, 31)}));
    engine.removeLayer("top");
    engine.removeLayer("top");  // already off the stack: nothing more
    EXPECT_EQ(frame(engine), std::vector<Act>{keyAct(12, 31)});
}

TEST_F(EngineTest, ReleaseAllQueuesTopLayerUpCommandsBeforeLowerOnes) {
    engine.createLayer("low");
    engine.createLayer("top");
    engine.addKeyCombo("low", A, {}, 0, 0, 1);
    engine.addKeyCombo("low", C, {}, 0, 0, 2);
    engine.addKeyCombo("top", K, {}, 0, 0, 3);
    engine.addKeyCombo("top", B, {}, 0, 0, 4);
    engine.setTopLayer("low");
    engine.setTopLayer("top");
    frame(engine, {down(C, 1), down(A, 2), down(K, 3), down(B, 4)});
    engine.releaseAll();
    EXPECT_EQ(frame(engine),
              (std::vector<Act>{keyAct(3, 4), keyAct(4, 5), keyAct(1, 3), keyAct(2, 2)}));
}

TEST_F(TwoLayers, RemoveAllLayersDropsHeldKeysAndPendingActionsButKeepsDeclarations) {
    engine.addModifier(LShift);
    engine.addSwitch(S1);
    engine.addKeyCombo("top", A, {}, 30, 0, 31);
    frame(engine, {down(A, 3), down(K, 4), down(LShift, 5), down(S1, 6)});
    engine.removeLayer("top");  // would queue the up commands 31 and 12
    engine.removeAllLayers();
    EXPECT_EQ(frame(engine, {up(K, 5)}), std::vector<Act>{});

    // LShift is still a modifier but released; S1 still a switch but off.
    engine.createLayer("new");
    engine.addKeyCombo("new", K, {}, 1, 0, 0);
    engine.addKeyCombo("new", K, {LShift}, 2, 0, 0);
    engine.addKeyCombo("new", A, {S1}, 3, 0, 0);
    engine.addKeyCombo("new", LShift, {}, 4, 0, 0);  // refused: a reformer
    engine.setTopLayer("new");
    EXPECT_EQ(frame(engine, {down(K, 10), down(A, 11)}), std::vector<Act>{keyAct(1, 10)});
    EXPECT_EQ(frame(engine, {down(LShift, 12), down(S1, 13), up(S1, 14), down(K, 15), up(LShift, 16),
                             down(A, 17)}),
              (std::vector<Act>{keyAct(2, 15), keyAct(3, 17)}));
}

TEST_F(TwoLayers, EmptyStackDeliversPendingActionsOnlyAndIgnoresReformerEvents) {
    engine.addModifier(LShift);
    engine.addKeyCombo("top", A, {}, 0, 0, 31);
    engine.addKeyCombo("top", A, {LShift}, 0, 0, 32);
    frame(engine, {down(A, 3)});
    engine.removeLayer("top");
    engine.removeLayer("low");
    DeviceEventList events{down(LShift, 4), down(K, 5)};
    std::vector<VorlanAction> out{VorlanAction(99, 1, 0), VorlanAction(98, 1, 0)};  // stale
    engine.process(events, out);
    EXPECT_EQ(toActs(out), std::vector<Act>{keyAct(31, 4)});
    EXPECT_EQ(events.size(), 2u);  // not looked at

    engine.setTopLayer("top");
    EXPECT_EQ(frame(engine, {down(A, 6)}), std::vector<Act>{});  // LShift was not counted
    EXPECT_EQ(frame(engine, {up(A, 7)}), std::vector<Act>{keyAct(31, 7)});
}

TEST_F(TwoLayers, HostVectorIsReplacedAndUnconsumedEventsStayInTheList) {
    DeviceEventList events{down(A, 1), down(K, 2), axisEvent(JoyX, 5, 3)};
    std::vector<VorlanAction> out{VorlanAction(99, 1, 0)};
    engine.process(events, out);
    EXPECT_EQ(toActs(out), (std::vector<Act>{keyAct(10, 2), keyAct(11, 3)}));
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].code, A);
    EXPECT_EQ(events[1].code, JoyX);
}
