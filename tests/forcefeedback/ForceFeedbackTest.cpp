#include "FakeStick.h"

#include <gtest/gtest.h>

using namespace DirectInput;

namespace {

std::vector<std::string> methodsOn(const FakeStick& s, unsigned effect) {
    std::vector<std::string> methods;
    for (const FakeCall& call : s.fake.journal())
        if (call.effect == effect)
            methods.push_back(call.method);
    return methods;
}

using Methods = std::vector<std::string>;

} // namespace

TEST(ForceFeedbackTest, WithoutEffectsEveryOperationDoesNothing) {
    FakeStick s;
    ForceFeedback& ff = *s.controller;
    ff.setConditionEffectGain(0.5);
    ff.setConstantForceEffectGain(0.5);
    ff.setPeriodicEffectGain(0.5);
    ff.setConditionEffect(0.1, 0.1, 0.1, 0.1);
    ff.setConstantForceEffect({{0, 0.5}});
    ff.setPeriodicEffect({{0, 0.5}}, -1.0);
    ff.playConditionEffect();
    ff.playConstantForceEffect();
    ff.playPeriodicEffect();
    ff.stopConditionEffect();
    ff.stopConstantForceEffect();
    ff.stopPeriodicEffect();
    ff.restore();
    ff.setSwapAxes(true);

    EXPECT_TRUE(s.fake.journal().empty());
    EXPECT_FALSE(ff.hasConditionEffect() || ff.hasConstantForceEffect() || ff.hasPeriodicEffect());
    EXPECT_EQ(ff.getConditionEffectGain(), 0.0);
    EXPECT_EQ(ff.getConstantForceEffectGain(), 0.0);
    EXPECT_EQ(ff.getPeriodicEffectGain(), 0.0);
    EXPECT_TRUE(ff.getSwapAxes());
    EXPECT_EQ(s.log.read(), LogCapture::entry("SetSwapAxes 1"));
}

TEST(ForceFeedbackTest, SwapSetBeforeCreationHoldsForTheNewSpringAndAChangeReappliesIt) {
    FakeStick s;
    s.controller->setSwapAxes(true);
    s.createAll();
    EXPECT_EQ(s.controller->getConditionEffectGain(), 1.0);
    s.controller->setConditionEffect(0.25, -0.5, 0.2, 0.6);
    EXPECT_EQ(s.lastSet(GUID_Spring).parameters.conditions().at(0).offset, -5000);

    s.controller->setSwapAxes(false);
    EXPECT_EQ(s.count(GUID_Spring, "SetParameters"), 2u);
    const std::vector<Condition> conditions = s.lastSet(GUID_Spring).parameters.conditions();
    EXPECT_EQ(conditions.at(0).offset, 2500);
    EXPECT_EQ(conditions.at(0).positiveCoefficient, 2000);
    EXPECT_EQ(conditions.at(1).offset, -5000);
    EXPECT_EQ(conditions.at(1).positiveCoefficient, 6000);
    EXPECT_EQ(s.log.read().find(LogCapture::entry("SetSwapAxes 1")), 0u);
    EXPECT_NE(s.log.read().find(LogCapture::entry("SetSwapAxes 0")), std::string::npos);
}

TEST(ForceFeedbackTest, RefusedCreationLeavesTheEffectAbsentWithALogEntry) {
    struct Case {
        void (ForceFeedback::*create)(Device&, const std::vector<uint32_t>&);
        bool (ForceFeedback::*has)() const;
        double (ForceFeedback::*gain)() const;
        const char* message;
    };
    const Case cases[] = {
        {&ForceFeedback::createConditionEffect, &ForceFeedback::hasConditionEffect,
         &ForceFeedback::getConditionEffectGain, "Cannot create condition effect! "},
        {&ForceFeedback::createConstantForceEffect, &ForceFeedback::hasConstantForceEffect,
         &ForceFeedback::getConstantForceEffectGain, "Cannot create constant force effect! "},
        {&ForceFeedback::createPeriodicEffect, &ForceFeedback::hasPeriodicEffect,
         &ForceFeedback::getPeriodicEffectGain, "Cannot create periodic effect! "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        FakeStick s;
        s.fake.setResult("CreateEffect", DIERR_DEVICEFULL);
        (s.controller.get()->*c.create)(*s.device, {0, 4});
        EXPECT_FALSE((s.controller.get()->*c.has)());
        EXPECT_EQ((s.controller.get()->*c.gain)(), 0.0);
        EXPECT_NE(s.log.read().find(LogCapture::entry(std::string(c.message) + errorDescription(DIERR_DEVICEFULL))),
                  std::string::npos);
        s.controller->playConditionEffect();
        s.controller->playConstantForceEffect();
        s.controller->playPeriodicEffect();
        s.controller.reset();
        EXPECT_EQ(s.fake.journal().size(), 1u);  // only the refused CreateEffect
    }
}

TEST(ForceFeedbackTest, RecreatingAnEffectStopsAndReleasesTheOldOneFirst) {
    FakeStick s;
    s.controller->createPeriodicEffect(*s.device, {0, 4});
    s.controller->createPeriodicEffect(*s.device, {0, 4});
    EXPECT_EQ(methodsOn(s, 1), (Methods{"CreateEffect", "Stop", "Release"}));
    const std::vector<FakeCall>& calls = s.fake.journal();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[3].method, "CreateEffect");
    EXPECT_EQ(calls[3].effect, 2u);

    s.fake.setResult("CreateEffect", DIERR_OUTOFMEMORY);
    s.controller->createPeriodicEffect(*s.device, {0, 4});
    EXPECT_FALSE(s.controller->hasPeriodicEffect());
    EXPECT_EQ(methodsOn(s, 2), (Methods{"CreateEffect", "Stop", "Release"}));
}

TEST(ForceFeedbackTest, RestoreStartsAgainOnlyTheEffectsStillPlaying) {
    FakeStick s;
    s.createAll();
    s.controller->playConditionEffect();
    s.controller->playPeriodicEffect();
    s.controller->stopPeriodicEffect();
    s.fake.setResult("Start", DIERR_NOTEXCLUSIVEACQUIRED, 1);
    s.controller->playConstantForceEffect();  // refused: not playing

    s.controller->restore();
    s.controller->restore();
    EXPECT_EQ(s.count(GUID_Spring, "Start"), 3u);
    EXPECT_EQ(s.count(GUID_ConstantForce, "Start"), 1u);
    EXPECT_EQ(s.count(GUID_Square, "Start"), 1u);
    const FakeCall start = s.calls(GUID_Spring, "Start").at(2);
    EXPECT_EQ(start.count, 1u);
    EXPECT_EQ(start.flags, 0u);
    EXPECT_NE(s.log.read().find(LogCapture::entry(std::string("Input Error: Can't play effect: ") +
                                                  errorDescription(DIERR_NOTEXCLUSIVEACQUIRED))),
              std::string::npos);
}

TEST(ForceFeedbackTest, RefusedStopKeepsTheEffectPlaying) {
    FakeStick s;
    s.createAll();
    s.controller->playConstantForceEffect();
    s.fake.setResult("Stop", DIERR_INPUTLOST, 1);
    s.controller->stopConstantForceEffect();
    EXPECT_NE(s.log.read().find(LogCapture::entry(std::string("Input Error: Can't stop playing effect: ") +
                                                  errorDescription(DIERR_INPUTLOST))),
              std::string::npos);
    s.controller->restore();
    EXPECT_EQ(s.count(GUID_ConstantForce, "Start"), 2u);
}

TEST(ForceFeedbackTest, DestructionStopsAndReleasesEveryEffectExactlyOnce) {
    FakeStick s;
    s.createAll();
    s.controller->playConditionEffect();
    s.fake.setResult("Stop", DIERR_INPUTLOST, 0, "Stick");
    s.fake.clearJournal();
    s.controller.reset();
    for (unsigned effect : {1u, 2u, 3u})
        EXPECT_EQ(methodsOn(s, effect), (Methods{"Stop", "Release"})) << effect;
    EXPECT_EQ(s.fake.journal().size(), 6u);
}
