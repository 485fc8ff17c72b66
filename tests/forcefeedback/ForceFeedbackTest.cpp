#include "ForceFeedback.h"
#include "platform/directinput/KnownGuids.h"
#include "platform/directinput/ResultCodes.h"
#include "platform/directinput/fake/FakeDirectInput.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace DirectInput;
using Ints = std::vector<int32_t>;

namespace {

struct Stick {  // a force-feedback controller on a fake device, with the log captured
    LogCapture log;
    FakeDirectInput fake;
    std::unique_ptr<System> system;
    std::unique_ptr<Device> device;
    std::unique_ptr<ForceFeedback> ff = std::make_unique<ForceFeedback>();  // destroyed before the device

    Stick() {
        fake.addDevice(DeviceInstance());
        fake.create(system);
        system->createDevice(Guid(), device);
        fake.clearJournal();
    }
    void createAll(const std::vector<uint32_t>& axes = {0, 4}) {  // effects 1 (spring), 2 (constant force), 3 (square)
        ff->createConditionEffect(*device, axes);
        ff->createConstantForceEffect(*device, axes);
        ff->createPeriodicEffect(*device, axes);
        log.fresh();
    }
    FakeCall last(const std::string& method, unsigned effect) const {
        FakeCall found;
        for (const FakeCall& call : fake.journal(method))
            found = call.effect == effect ? call : found;
        return found;
    }
    FakeEffectParameters lastSet(unsigned effect) const { return last("SetParameters", effect).parameters; }
    std::string trace() {  // the journal as "Method@effect ...", then cleared
        std::string text;
        for (const FakeCall& call : fake.journal())
            text += (text.empty() ? "" : " ") + call.method + "@" + std::to_string(call.effect);
        fake.clearJournal();
        return text;
    }
    void setGains(double gain) {
        ff->setConditionEffectGain(gain);
        ff->setConstantForceEffectGain(gain);
        ff->setPeriodicEffectGain(gain);
    }
    bool logged(const std::string& message, HResult result) const {
        return log.read().find(LogCapture::entry(message + errorDescription(result))) != std::string::npos;
    }
};

Ints springOf(const FakeEffectParameters& p) {  // offset and both coefficients per condition record
    Ints values;
    for (const Condition& c : p.conditions())
        values.insert(values.end(), {c.offset, c.positiveCoefficient, c.negativeCoefficient});
    return values;
}

std::string entryIf(const char* message) { return *message ? LogCapture::entry(message) : ""; }

// Axes given at creation, as sent, and the spring's records for offset 0.5 and magnitude 0.3 on X.
struct AxesCase { std::vector<uint32_t> axes, sorted; uint32_t springSize; Ints spring; };
const Ints oneAxis = {5000, 3000, 3000}, twoAxes = {5000, 3000, 3000, 0, 0, 0};
const AxesCase axesCases[] = {{{4, 0, 4}, {0, 4}, 48, twoAxes}, {{0}, {0}, 24, oneAxis}, {{4, 4}, {4}, 24, oneAxis},
                              {{8, 0, 4}, {0, 4, 8}, 48, twoAxes}};

struct Created : Stick {
    explicit Created(const AxesCase& c) {
        createAll(c.axes);
        ff->setConditionEffect(0.5, 0.0, 0.3, 0.0);
    }
};

// Spring values in turn, swapped axes on (records take Y and -X, a quarter turn), the gain 0.55.
struct SpringStep { double ox, oy, mx, my; Ints spring; const char* log; };
const SpringStep springSteps[] = {
    {0.25, -0.5, 0.2, 0.6, {-5000, 6000, 6000, -2500, 2000, 2000}, ""},
    {2.0, 0.0, 0.5, 0.5, {-5000, 5000, 5000, -2500, 5000, 5000}, "Invalid offset values in ConditionEffect!"},
    {0.5, -1.0, 0.5, 2.0, {-10000, 5000, 5000, -5000, 5000, 5000}, "Invalid magnitude values in ConditionEffect!"}};

struct SwappedSpring : Stick {
    SwappedSpring() {
        ff->setSwapAxes(true);  // held for springs created later
        createAll();
        ff->setConditionEffectGain(0.55);
    }
    void apply(const SpringStep& step) { ff->setConditionEffect(step.ox, step.oy, step.mx, step.my); }
};

// Directed forces in turn, each sent as a constant force and as a periodic effect of that frequency.
struct DirectedStep {
    ForceFeedback::AxisValues axes; double hertz; int32_t length; Ints direction; uint32_t period; const char* log;
};
const DirectedStep directedSteps[] = {
    {{{0, 0.3}, {4, 0.4}}, 20, 5000, {3000, 4000}, 50000, ""},
    {{{0, 0.6}, {8, 0.9}}, -1, 7211, {6000, 4000}, 50000, "Frequency must be greater 0!"},
    {{{0, 0.9}, {4, 0.9}}, 50, 10000, {9000, 9000}, 20000, ""},
    {{{0, -0.60009}, {4, 0.0}}, 3, 6000, {-6000, 0}, 333333, ""},
    {{{0, 0.00019}}, 0.000001, 1, {1, 0}, 0, ""},
    {{{0, 0.0}, {4, 0.0}}, 0.0001, 0, {0, 0}, 0xFFFFFFFFu, ""}};

struct Directed : Stick {
    Directed() { createAll(); }
    void apply(const DirectedStep& step) {
        ff->setConstantForceEffect(step.axes);
        ff->setPeriodicEffect(step.axes, step.hertz);
    }
};

// Each kind of effect: how it is made, the message when that fails, its gain.
struct Kind {
    void (ForceFeedback::*create)(Device&, const std::vector<uint32_t>&);
    const char* refused;
    double (ForceFeedback::*gain)() const;
};
const Kind kinds[] = {
    {&ForceFeedback::createConditionEffect, "Cannot create condition effect! ", &ForceFeedback::getConditionEffectGain},
    {&ForceFeedback::createConstantForceEffect, "Cannot create constant force effect! ",
     &ForceFeedback::getConstantForceEffectGain},
    {&ForceFeedback::createPeriodicEffect, "Cannot create periodic effect! ", &ForceFeedback::getPeriodicEffectGain}};

} // namespace

TEST(ForceFeedbackTest, CreationRecordsCarryTheirKindAndSortedAxesAndOneSpringConditionPerAxisAtMostTwo) {
    for (const AxesCase& c : axesCases) {
        Created s(c);
        const std::tuple<unsigned, Guid, uint32_t> records[] = {
            {1, GUID_Spring, c.springSize}, {2, GUID_ConstantForce, 4}, {3, GUID_Square, 16}};
        for (const auto& [effect, guid, size] : records) {
            const FakeCall call = s.last("CreateEffect", effect);
            const FakeEffectParameters& p = call.parameters;
            EXPECT_EQ(std::make_tuple(call.guid, p.flags, p.duration, p.gain, p.triggerButton, p.typeSpecificSize),
                      std::make_tuple(guid, 0x12u, 0xFFFFFFFFu, 10000u, 0xFFFFFFFFu, size)) << "effect " << effect;
            EXPECT_EQ(std::make_pair(p.axes, p.directions), std::make_pair(c.sorted, Ints(c.sorted.size(), 0)));
        }
        // The spring has one condition per axis, at most two.
        for (const Condition& record : s.last("CreateEffect", 1).parameters.conditions())
            EXPECT_EQ(std::make_pair(record.positiveSaturation, record.negativeSaturation),
                      std::make_pair(10000u, 10000u));
        EXPECT_EQ(springOf(s.lastSet(1)), c.spring);
    }
}

TEST(ForceFeedbackTest, SpringAppliesKeptValuesLogsRefusedOnesAndTurnsBackWhenUnswapped) {
    SwappedSpring s;
    for (const SpringStep& step : springSteps) {
        s.apply(step);
        EXPECT_EQ(s.log.fresh(), entryIf(step.log));
        EXPECT_EQ(std::make_tuple(s.last("SetParameters", 1).flags, s.lastSet(1).gain, s.ff->getConditionEffectGain()),
                  std::make_tuple(0x104u, 5500u, 0.55));
        EXPECT_EQ(springOf(s.lastSet(1)), step.spring);
    }
    // Unswapped, the spring turns its centre back.
    s.fake.setResult("SetParameters", DIERR_INCOMPLETEEFFECT, 1);
    s.ff->setSwapAxes(false);
    EXPECT_EQ(s.log.fresh(), LogCapture::entry("SetSwapAxes 0") + LogCapture::entry(std::string(
                                "Cannot set effect parameters! ") + errorDescription(DIERR_INCOMPLETEEFFECT)));
    EXPECT_EQ(springOf(s.lastSet(1)), (Ints{5000, 5000, 5000, -10000, 5000, 5000}));
}

TEST(ForceFeedbackTest, DirectedEffectsSendTheDirectionKeepingMissingAxesTheCappedLengthAndThePeriod) {
    Directed s;
    for (const DirectedStep& step : directedSteps) {
        s.apply(step);
        EXPECT_EQ(s.lastSet(2).directions, step.direction);
        EXPECT_EQ(s.lastSet(3).directions, step.direction);
        EXPECT_EQ(s.log.fresh(), entryIf(step.log));
        EXPECT_EQ(s.lastSet(2).constantForces().at(0).magnitude, step.length);
        EXPECT_EQ(s.lastSet(3).periodics().at(0).magnitude, uint32_t(step.length));
        EXPECT_EQ(s.lastSet(3).periodics().at(0).period, step.period);
    }
}

TEST(ForceFeedbackTest, DirectedEffectGainsAreSentWithTheirParameters) {
    Directed s;
    s.apply(directedSteps[0]);
    s.ff->setConstantForceEffectGain(0.2), s.ff->setPeriodicEffectGain(0.3);
    EXPECT_EQ(std::make_tuple(s.last("SetParameters", 2).flags, s.last("SetParameters", 3).flags, s.lastSet(2).flags,
                              s.lastSet(2).gain, s.lastSet(3).gain, s.ff->getPeriodicEffectGain()),
              std::make_tuple(0x144u, 0x144u, 0x12u, 2000u, 3000u, 0.3));
}

TEST(ForceFeedbackTest, RefusedCreationLeavesTheEffectAbsent) {
    for (const Kind& kind : kinds) {
        Stick s;
        ForceFeedback& ff = *s.ff;
        s.fake.setResult("CreateEffect", DIERR_DEVICEFULL, 1);
        (ff.*kind.create)(*s.device, {0, 4});
        EXPECT_TRUE(s.logged(kind.refused, DIERR_DEVICEFULL));
        s.setGains(1);
        ff.restore();
        ff.setSwapAxes(true);
        ff.setConditionEffect(0, 0, 0, 0);
        ff.setConstantForceEffect({{0, 1}});
        ff.setPeriodicEffect({{0, 1}}, -1);
        ff.playConditionEffect(), ff.playConstantForceEffect(), ff.playPeriodicEffect();
        ff.stopConditionEffect(), ff.stopConstantForceEffect(), ff.stopPeriodicEffect();
        EXPECT_FALSE(ff.hasConditionEffect()) << kind.refused;
        EXPECT_FALSE(ff.hasConstantForceEffect()) << kind.refused;
        EXPECT_FALSE(ff.hasPeriodicEffect()) << kind.refused;
        for (const Kind& other : kinds)
            EXPECT_EQ((ff.*other.gain)(), 0.0) << kind.refused;
        EXPECT_EQ(s.trace(), "CreateEffect@0") << kind.refused;
    }
}

TEST(ForceFeedbackTest, GainsOutsideZeroToOneAreRefused) {
    const char* const refused = "Invalid gain value! Gain must be in range 0..1!";
    const struct { double gain; const char* log; double kept; size_t calls; uint32_t sent; } steps[] = {
        {0.25, "", 0.25, 1, 2500},          {1.5, refused, 0.25, 0, 2500}, {-0.1, refused, 0.25, 0, 2500},
        {std::nan(""), refused, 0.25, 0, 2500}, {1.0, "", 1.0, 1, 10000},  {0.0, "", 0.0, 1, 0}};
    for (const Kind& kind : kinds) {
        Stick s;
        (s.ff.get()->*kind.create)(*s.device, {0, 4});
        s.log.fresh();
        for (const auto& step : steps) {
            const size_t before = s.fake.journal().size();
            s.setGains(step.gain);
            EXPECT_EQ(s.log.fresh(), entryIf(step.log)) << step.gain;
            EXPECT_EQ((s.ff.get()->*kind.gain)(), step.kept) << step.gain;
            EXPECT_EQ(s.fake.journal().size() - before, step.calls) << step.gain;
            EXPECT_EQ(s.lastSet(1).gain, step.sent) << step.gain;
        }
    }
}

TEST(ForceFeedbackTest, RestoreReplaysOnlyPlayingEffects) {
    Stick s;
    s.createAll();
    s.ff->playConditionEffect();
    s.ff->playPeriodicEffect();
    s.ff->stopPeriodicEffect();
    s.fake.setResult("Start", DIERR_NOTEXCLUSIVEACQUIRED, 1);
    s.ff->playConstantForceEffect();  // refused: not playing
    s.ff->restore();
    s.fake.setResult("Stop", DIERR_INPUTLOST, 1);
    s.ff->stopConditionEffect();  // refused: still playing
    s.ff->restore();
    EXPECT_EQ(s.trace(), "CreateEffect@1 CreateEffect@2 CreateEffect@3 "
                         "Start@1 Start@3 Stop@3 Start@2 Start@1 Stop@1 Start@1");
    EXPECT_TRUE(s.logged("Input Error: Can't play effect: ", DIERR_NOTEXCLUSIVEACQUIRED));
    EXPECT_TRUE(s.logged("Input Error: Can't stop playing effect: ", DIERR_INPUTLOST));
}

TEST(ForceFeedbackTest, ReplacedAndDestroyedEffectsAreStoppedAndReleasedOnce) {
    Stick s;
    s.createAll();
    s.trace();
    s.ff->createPeriodicEffect(*s.device, {0, 4});
    s.fake.setResult("CreateEffect", DIERR_OUTOFMEMORY, 1);
    s.ff->createPeriodicEffect(*s.device, {0, 4});
    EXPECT_EQ(s.trace(), "Stop@3 Release@3 CreateEffect@4 Stop@4 Release@4 CreateEffect@0");
    s.fake.setResult("Stop", DIERR_INPUTLOST);
    s.ff.reset();
    EXPECT_EQ(s.trace(), "Stop@2 Release@2 Stop@1 Release@1");
}
