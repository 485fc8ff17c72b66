#include "bindings/BindingTestSupport.h"
#include "support/LogCapture.h"

#include "Filter.h"

#include <gtest/gtest.h>

using namespace code;
using Acts = std::vector<Act>;

TEST_F(EngineTest, OutputIsPendingThenEachLayerEventsThenItsPressedCommands) {
    engine.addModifier(LShift);
    engine.createLayer("low");
    engine.createLayer("top");
    engine.createLayer("gone");
    engine.addKeyCombo("gone", F, {}, 0, 0, 90);
    engine.addKeyCombo("gone", C, {}, 0, 0, 91);
    engine.addKeyCombo("top", B, {}, 10, 11, 12);
    engine.addKeyCombo("top", A, {}, 20, 21, 22);
    engine.addAxisCombo("top", JoyY, {}, 30, nullptr);
    engine.addKeyCombo("low", K, {LShift}, 40, 41, 42);
    engine.addKeyCombo("low", C, {LShift}, 50, 51, 52);
    engine.addAxisCombo("low", JoyX, {}, 60, nullptr);
    engine.setTopLayer("gone");
    frame(engine, {down(F, 1), down(C, 2)});
    engine.setTopLayer("low");
    engine.setTopLayer("top");
    engine.removeLayer("gone");  // F and C let go: up 90 (F=33), then 91 (C=46)

    EXPECT_EQ(frame(engine, {axisEvent(JoyX, 1, 10), down(B, 11), axisEvent(JoyY, 2, 12), down(A, 13),
                             down(LShift, 14), down(K, 15), down(C, 16)}),
              (Acts{keyAct(90, 2), keyAct(91, 3),                       // pending
                    keyAct(10, 11), axisAct(30, 2, 12), keyAct(20, 13),  // top's events
                    keyAct(21, 14), keyAct(11, 12),                      // A=30 before B=48
                    axisAct(60, 1, 10), keyAct(40, 15), keyAct(50, 16),  // low's events
                    keyAct(41, 16), keyAct(51, 17)}));                   // K=37 before C=46
}

TEST(EngineLogTest, EveryAddedActionIsLoggedWhenAddedEvenIfNotDelivered) {
    LogCapture capture;
    BindingEngine engine;
    engine.createLayer("main");
    engine.addKeyCombo("main", K, {}, 5, -6, 0);
    engine.addKeyCombo("main", A, {}, 0, 0, 7);
    engine.addAxisCombo("main", JoyX, {}, -8, nullptr);
    engine.addAxisCombo("main", JoyY, {}, 9, nullptr);
    engine.setTopLayer("main");
    EXPECT_EQ(frame(engine, {down(K, 1), down(A, 2), axisEvent(JoyX, 3, 3), axisEvent(JoyY, -4, 4)}),
              (Acts{keyAct(5, 1), axisAct(9, -4, 4)}));
    const std::string frameLog = LogCapture::entry("Action added: 5") +
                                 LogCapture::entry("Action added: -8 value: 3") +
                                 LogCapture::entry("Action added: 9 value: -4") +
                                 LogCapture::entry("Action added: -6");
    EXPECT_EQ(capture.read(), frameLog);

    engine.removeLayer("main");  // logged now, delivered with the next frame
    EXPECT_EQ(capture.read(), frameLog + LogCapture::entry("Action added: 7"));
    EXPECT_EQ(frame(engine), Acts{keyAct(7, 3)});
    EXPECT_EQ(capture.read(), frameLog + LogCapture::entry("Action added: 7"));
}

TEST(EngineLogTest, ActionLineFollowsTheLogSwitchOfItsDevice) {
    LogCapture capture;
    Vorlan::enableLogging(false, true, false);
    BindingEngine engine;
    engine.createLayer("main");
    engine.addKeyCombo("main", K, {}, 1, 0, 0);
    engine.addKeyCombo("main", 1024 + 12, {}, 2, 0, 0);  // mouse button 0
    engine.addAxisCombo("main", JoyX, {}, 3, nullptr);
    engine.addAxisCombo("main", 3073, {}, 4, nullptr);  // head tracker: device 0
    engine.setTopLayer("main");
    frame(engine, {down(K, 1), keyEvent(1024 + 12, true, 2, 1024), axisEvent(JoyX, 5, 3),
                   axisEvent(3073, 6, 4, 0)});
    EXPECT_EQ(capture.read(), LogCapture::entry("Action added: 2"));
}

TEST_F(EngineTest, EachOfManyBoundCodesFindsItsOwnCombo) {
    // Codes across many device blocks, negative and extreme ones included;
    // every third code is left unbound.
    std::vector<int32_t> codes{-2147483647 - 1, -1, 2147483647};
    for (int32_t block = 0; block < 40; ++block)
        for (int32_t offset = 0; offset < 1024; offset += 7)
            codes.push_back(block * 1024 + offset);
    engine.createLayer("main");
    for (size_t i = 0; i < codes.size(); ++i) {
        if (i % 3 != 2)
            engine.addAxisCombo("main", codes[i], {}, static_cast<int32_t>(i + 1), nullptr);
    }
    engine.setTopLayer("main");
    DeviceEventList events;
    Acts expected;
    for (size_t i = 0; i < codes.size(); ++i) {
        events.push_back(axisEvent(codes[i], 3, static_cast<uint32_t>(i)));
        if (i % 3 != 2)
            expected.push_back(axisAct(static_cast<int32_t>(i + 1), 3, static_cast<uint32_t>(i)));
    }
    EXPECT_EQ(frame(engine, events), expected);
}
