#include "FakeStick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace DirectInput;

namespace {

bool logged(const FakeStick& s, const std::string& message) {
    return s.log.read().find(LogCapture::entry(message)) != std::string::npos;
}

} // namespace

TEST(EffectsTest, CreationRecordCarriesKindAxesAndTypeSpecificBlock) {
    struct Case {
        const char* name;
        Guid kind;
        uint32_t size;
    };
    const Case cases[] = {{"spring", GUID_Spring, 48}, {"constant", GUID_ConstantForce, 4}, {"square", GUID_Square, 16}};
    FakeStick s;
    s.createAll({4, 0, 4});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FakeEffectParameters p = s.created(c.kind);
        EXPECT_EQ(p.size, 56u);
        EXPECT_EQ(p.flags, 0x12u);
        EXPECT_EQ(p.duration, 0xFFFFFFFFu);
        EXPECT_EQ(p.samplePeriod, 0u);
        EXPECT_EQ(p.gain, 10000u);
        EXPECT_EQ(p.triggerButton, 0xFFFFFFFFu);
        EXPECT_EQ(p.triggerRepeatInterval, 0u);
        EXPECT_EQ(p.axisCount, 2u);
        EXPECT_EQ(p.axes, (std::vector<uint32_t>{0, 4}));
        EXPECT_EQ(p.directions, (std::vector<int32_t>{0, 0}));
        EXPECT_FALSE(p.envelope);
        EXPECT_EQ(p.typeSpecificSize, c.size);
        EXPECT_EQ(p.typeSpecificParams.size(), c.size);
        EXPECT_EQ(p.startDelay, 0u);
        EXPECT_EQ(s.count(c.kind, "Start"), 0u);  // created stopped
    }
    for (const Condition& condition : s.created(GUID_Spring).conditions()) {
        EXPECT_EQ(condition.positiveCoefficient, 0);
        EXPECT_EQ(condition.negativeCoefficient, 0);
        EXPECT_EQ(condition.offset, 0);
        EXPECT_EQ(condition.positiveSaturation, 10000u);
        EXPECT_EQ(condition.negativeSaturation, 10000u);
        EXPECT_EQ(condition.deadBand, 0);
    }
    EXPECT_EQ(s.created(GUID_ConstantForce).constantForces().at(0).magnitude, 10000);
    const Periodic periodic = s.created(GUID_Square).periodics().at(0);
    EXPECT_EQ(periodic.magnitude + periodic.period + periodic.phase + static_cast<uint32_t>(periodic.offset), 0u);
    EXPECT_TRUE(logged(s, "ConditionEffect::initConditions"));
}

TEST(EffectsTest, SpringSendsOneConditionPerAxisAtMostTwo) {
    struct Case {
        std::vector<uint32_t> axes;
        uint32_t size;
    };
    const Case cases[] = {{{0}, 24}, {{4, 4}, 24}, {{0, 4}, 48}, {{0, 4, 8}, 48}};
    for (const Case& c : cases) {
        FakeStick s;
        s.controller->createConditionEffect(*s.device, c.axes);
        s.controller->setConditionEffect(0.5, 0.0, 0.3, 0.0);
        EXPECT_EQ(s.created(GUID_Spring).typeSpecificSize, c.size);
        const FakeCall set = s.lastSet(GUID_Spring);
        EXPECT_EQ(set.parameters.typeSpecificSize, c.size);
        ASSERT_EQ(set.parameters.conditions().size(), c.size / 24);
        EXPECT_EQ(set.parameters.conditions()[0].offset, 5000);
        EXPECT_EQ(set.parameters.conditions()[0].positiveCoefficient, 3000);
    }
}

TEST(EffectsTest, SpringAppliesOffsetsAndMagnitudesWithTheSwappedQuarterTurn) {
    struct Case {
        bool swap;
        int32_t offset0, coefficient0, offset1, coefficient1;
    };
    const Case cases[] = {{false, 2500, 2000, -5000, 6000}, {true, -5000, 6000, -2500, 2000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.swap);
        FakeStick s;
        s.controller->setSwapAxes(c.swap);
        s.createAll();
        s.controller->setConditionEffectGain(0.55);
        s.controller->setConditionEffect(0.25, -0.5, 0.2, 0.6);
        const FakeCall set = s.lastSet(GUID_Spring);
        EXPECT_EQ(set.flags, 0x104u);
        EXPECT_EQ(set.parameters.size, 56u);
        EXPECT_EQ(set.parameters.gain, 5500u);
        EXPECT_EQ(set.parameters.flags, 0u);
        EXPECT_EQ(set.parameters.axisCount, 0u);
        const std::vector<Condition> conditions = set.parameters.conditions();
        ASSERT_EQ(conditions.size(), 2u);
        EXPECT_EQ(conditions[0].offset, c.offset0);
        EXPECT_EQ(conditions[0].positiveCoefficient, c.coefficient0);
        EXPECT_EQ(conditions[0].negativeCoefficient, c.coefficient0);
        EXPECT_EQ(conditions[1].offset, c.offset1);
        EXPECT_EQ(conditions[1].positiveCoefficient, c.coefficient1);
        EXPECT_EQ(conditions[1].negativeCoefficient, c.coefficient1);
        EXPECT_EQ(conditions[1].positiveSaturation, 10000u);
    }
}

TEST(EffectsTest, RefusedSpringValuesAreLoggedAndTheKeptOnesApplied) {
    FakeStick s;
    s.createAll();
    s.controller->setConditionEffect(0.1, 0.2, 0.3, 0.4);
    s.controller->setConditionEffect(2.0, 0.0, 0.5, 0.5);
    EXPECT_TRUE(logged(s, "Invalid offset values in ConditionEffect!"));
    std::vector<Condition> conditions = s.lastSet(GUID_Spring).parameters.conditions();
    EXPECT_EQ(conditions[0].offset, 1000);
    EXPECT_EQ(conditions[1].offset, 2000);
    EXPECT_EQ(conditions[0].positiveCoefficient, 5000);

    s.controller->setConditionEffect(1.0, -1.0, 0.5, -0.1);
    EXPECT_TRUE(logged(s, "Invalid magnitude values in ConditionEffect!"));
    conditions = s.lastSet(GUID_Spring).parameters.conditions();
    EXPECT_EQ(conditions[0].offset, 10000);
    EXPECT_EQ(conditions[1].offset, -10000);
    EXPECT_EQ(conditions[1].positiveCoefficient, 5000);
    EXPECT_EQ(s.count(GUID_Spring, "SetParameters"), 3u);
}

TEST(EffectsTest, GainsOutsideZeroToOneAreRefusedAndNothingIsSent) {
    FakeStick s;
    s.createAll();
    s.controller->setPeriodicEffectGain(0.25);
    for (double gain : {1.5, -0.1, std::nan("")}) {
        s.controller->setPeriodicEffectGain(gain);
        EXPECT_EQ(s.controller->getPeriodicEffectGain(), 0.25);
    }
    EXPECT_EQ(s.count(GUID_Square, "SetParameters"), 1u);
    const std::string refused = LogCapture::entry("Invalid gain value! Gain must be in range 0..1!");
    EXPECT_EQ(s.log.read().find(refused + refused + refused), s.log.read().size() - 3 * refused.size());

    for (double gain : {1.0, 0.0}) {
        s.controller->setConstantForceEffectGain(gain);
        EXPECT_EQ(s.controller->getConstantForceEffectGain(), gain);
        EXPECT_EQ(s.lastSet(GUID_ConstantForce).parameters.gain, static_cast<uint32_t>(gain * 10000));
    }
}

TEST(EffectsTest, DirectedForceTakesDirectionFromAxisValuesAndStrengthFromTheirLength) {
    struct Case {
        double x, y;
        int32_t magnitude, dirX, dirY;
    };
    const Case cases[] = {{0.3, 0.4, 5000, 3000, 4000},
                          {0.9, 0.9, 10000, 9000, 9000},
                          {0.0, 0.0, 0, 0, 0},
                          {-0.6, 0.0, 6000, -6000, 0},
                          {0.00019, 0.0, 1, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        FakeStick s;
        s.createAll();
        s.controller->setConstantForceEffect({{0, c.x}, {4, c.y}});
        s.controller->setPeriodicEffect({{0, c.x}, {4, c.y}}, 0.0);
        for (const Guid& kind : {GUID_ConstantForce, GUID_Square}) {
            const FakeCall set = s.lastSet(kind);
            EXPECT_EQ(set.flags, 0x144u);
            EXPECT_EQ(set.parameters.flags, 0x12u);
            EXPECT_EQ(set.parameters.gain, 10000u);
            EXPECT_EQ(set.parameters.axisCount, 2u);
            EXPECT_TRUE(set.parameters.axes.empty());
            EXPECT_EQ(set.parameters.directions, (std::vector<int32_t>{c.dirX, c.dirY}));
        }
        EXPECT_EQ(s.lastSet(GUID_ConstantForce).parameters.constantForces().at(0).magnitude, c.magnitude);
        EXPECT_EQ(s.lastSet(GUID_Square).parameters.periodics().at(0).magnitude, static_cast<uint32_t>(c.magnitude));
    }
}

TEST(EffectsTest, AxisMissingFromTheCallersMapKeepsItsValueAndUnknownAxesAreIgnored) {
    FakeStick s;
    s.createAll();
    s.controller->setConstantForceEffect({{0, 0.3}, {4, 0.4}});
    s.controller->setConstantForceEffect({{0, 0.6}, {8, 0.9}});
    EXPECT_EQ(s.lastSet(GUID_ConstantForce).parameters.directions, (std::vector<int32_t>{6000, 4000}));
    EXPECT_EQ(s.lastSet(GUID_ConstantForce).parameters.constantForces().at(0).magnitude, 7211);
}

TEST(EffectsTest, ShakePeriodFollowsFrequencyAndNegativeOnesAreRefused) {
    struct Step {
        double frequency;
        uint32_t period;
        bool refused;
    };
    const Step steps[] = {{20, 50000, false}, {-1, 50000, true}, {50, 20000, false}, {0, 0, false},
                          {0.000001, 0, false}, {3, 333333, false}, {0.0001, 0xFFFFFFFFu, false}};
    FakeStick s;
    s.createAll();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.frequency);
        const size_t before = s.log.read().size();
        s.controller->setPeriodicEffect({{0, 0.0}, {4, 0.5}}, step.frequency);
        const Periodic periodic = s.lastSet(GUID_Square).parameters.periodics().at(0);
        EXPECT_EQ(periodic.period, step.period);
        EXPECT_EQ(periodic.magnitude, 5000u);
        EXPECT_EQ(periodic.offset, 0);
        EXPECT_EQ(periodic.phase, 0u);
        EXPECT_EQ(s.log.read().substr(before), step.refused ? LogCapture::entry("Frequency must be greater 0!") : "");
    }
}

TEST(EffectsTest, ValuesOutsideEveryRangeGiveBoundedPlatformValues) {
    FakeStick s;
    s.createAll();
    const double huge = 1e300;
    s.controller->setConstantForceEffect({{0, huge}, {4, -huge}});
    EXPECT_EQ(s.lastSet(GUID_ConstantForce).parameters.directions,
              (std::vector<int32_t>{std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}));
    EXPECT_EQ(s.lastSet(GUID_ConstantForce).parameters.constantForces().at(0).magnitude, 10000);
    s.controller->setConstantForceEffect({{0, std::nan("")}, {4, 0.5}});
    EXPECT_EQ(s.lastSet(GUID_ConstantForce).parameters.directions, (std::vector<int32_t>{0, 5000}));
}

TEST(EffectsTest, RefusedSetParametersIsLoggedAndTheEffectStays) {
    FakeStick s;
    s.createAll();
    s.fake.setResult("SetParameters", DIERR_INCOMPLETEEFFECT, 1);
    s.controller->setConditionEffectGain(0.5);
    EXPECT_TRUE(logged(s, std::string("Cannot set effect parameters! ") + errorDescription(DIERR_INCOMPLETEEFFECT)));
    EXPECT_EQ(s.controller->getConditionEffectGain(), 0.5);
    EXPECT_TRUE(s.controller->hasConditionEffect());
}
