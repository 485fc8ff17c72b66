#include "Filter.h"
#include "ForceFeedback.h"
#include "Vorlan.h"
#include "devices/DeviceNames.h"
#include "platform/directinput/ResultCodes.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/Describe.h"
#include "support/LogCapture.h"
#include "support/TestPlatform.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace DirectInput;
using namespace FakeDevices;
using Names = std::vector<std::string>;

namespace {

void* const window = reinterpret_cast<void*>(0x4321);

// The facade on a fake keyboard, mouse and force-feedback stick, in a fresh
// working folder; the process-wide state is put back afterwards.
struct Host {
    LogCapture log;
    FakeDirectInput fake;
    FacadePlatform platform{TestPlatform::maker(fake)};
    WorkFolder folder{log};
    Vorlan& input = *getGlobalInput();
    FakeDeviceScript& kb = keyboard(fake, 1, "Kb");
    FakeDeviceScript& ms = mouse(fake, 2, "Ms");
    FakeDeviceScript& js = joystick(fake, 3, "Stick", true);
    const std::string stick = "Stick {" + formatDeviceGuid(guid(3)) + "}";

    ~Host() {
        input.uninitialize();
        input.removeAllLayers();
        input.setDefaultLayer("");
        input.setAircraftMarker("");
    }
    std::vector<VorlanAction> frame() {
        std::vector<VorlanAction> actions;
        input.process(actions);
        return actions;
    }
    ForceFeedback& controller() { return *input.getForceFeedback(stick); }
    // The spring's gain, the shake's gain and the swap, as "0.2/0.5/1".
    std::string forceFeedback() {
        std::ostringstream text;
        text << controller().getConditionEffectGain() << "/" << controller().getPeriodicEffectGain() << "/"
             << controller().getSwapAxes();
        return text.str();
    }
};

} // namespace

TEST(VorlanTest, NeutralBeforeInitializeAndAfterUninitialize) {
    Host h;
    for (int round = 0; round < 2; ++round) {
        h.fake.clearJournal();
        std::vector<VorlanAction> actions{VorlanAction(5, 1, 0)};
        h.input.process(actions);
        EXPECT_EQ(describe(actions), "5@1");
        Names names{"kept"};
        h.input.getDevices(names);
        h.input.getLayersStack(names);
        EXPECT_EQ(names, Names{"kept"});
        std::vector<int> keys{1}, axes{2};
        h.input.getDeviceKeysAxes("Kb", keys, axes);
        EXPECT_EQ(keys, std::vector<int>{1});
        EXPECT_EQ(axes, std::vector<int>{2});
        EXPECT_EQ(h.input.getDeviceType("Kb"), Vorlan::Unknown);
        EXPECT_EQ(h.input.getJoystickNumber(h.stick), -1);
        EXPECT_EQ(h.input.getForceFeedback(h.stick), nullptr);
        h.input.setDefaultLayer("base");  // remembered, no layer made
        h.input.createLayer("x");
        h.input.setTopLayer("x");
        h.input.setDefaultLayerTop();
        h.input.removeLayer("x");
        h.input.addModifiers({42});
        h.input.addKeyCombo("x", 30, {}, 1, 2, 3);
        h.input.addAxisCombo("x", 1024, {}, 7, FilterInfo());
        h.input.activate(true);
        h.input.activate(false);
        h.input.restartAllDevices();
        h.input.banKeyboard(true);
        h.input.setJoystickNumber(h.stick, 3);
        h.input.setForceFeedback("x", h.stick, 0.5, 0.5, true);
        h.input.removeAllLayers();  // empties the settings all the same
        EXPECT_TRUE(h.fake.journal().empty());
        h.input.initialize(window);
        if (round == 0)
            h.input.uninitialize();
    }
    // The default layer name carried over; its layer exists once created.
    h.input.setDefaultLayerTop();
    Names stack;
    h.input.getLayersStack(stack);
    EXPECT_TRUE(stack.empty());
    h.input.createLayer("base");
    h.input.setDefaultLayerTop();
    h.input.getLayersStack(stack);
    EXPECT_EQ(stack, Names{"base"});
    EXPECT_EQ(h.log.read().find("Layer Name x Bool"), std::string::npos);  // cleared before anything applied it
}

TEST(VorlanTest, InitializeOnceCycleAndFailure) {
    Host h;
    h.input.setAircraftMarker("Su-27");
    h.input.initialize(window);
    h.input.initialize(reinterpret_cast<void*>(0x1));
    EXPECT_EQ(h.fake.journal("EnumDevices").size(), 1u);
    Names names;
    h.input.getDevices(names);
    EXPECT_EQ(names, (Names{"Kb", "Ms", h.stick}));
    EXPECT_EQ(h.input.getDeviceType("Kb"), Vorlan::Keyboard);
    EXPECT_EQ(h.input.getDeviceType("Ms"), Vorlan::Mouse);
    EXPECT_EQ(h.input.getDeviceType(h.stick), Vorlan::Joystick);
    EXPECT_EQ(h.input.getDeviceType("none"), Vorlan::Unknown);
    h.input.setJoystickNumber(h.stick, 2);
    EXPECT_EQ(h.input.getJoystickNumber(h.stick), 2);
    EXPECT_NE(h.input.getForceFeedback(h.stick), nullptr);
    EXPECT_EQ(h.input.getForceFeedback("Kb"), nullptr);

    h.input.addModifiers({0x2A});
    h.input.createLayer("L");
    h.input.setTopLayer("L");
    h.input.addKeyCombo("L", 0x1E, {0x2A}, 11, 12, 13);
    h.input.uninitialize();
    h.input.initialize(window);
    Names stack{"old"};
    h.input.getLayersStack(stack);
    EXPECT_TRUE(stack.empty());
    EXPECT_EQ(h.input.getJoystickNumber(h.stick), 0);  // freshly enumerated
    EXPECT_EQ(h.input.getAircraftMarker(), "Su-27");
    // The modifier is gone: shift is an ordinary key now.
    h.input.createLayer("L");
    h.input.setTopLayer("L");
    h.input.addKeyCombo("L", 0x2A, {}, 21, 22, 23);
    h.input.activate(true);
    h.kb.batches.push_back({record(0x2A, 0x80, 7)});
    EXPECT_EQ(describe(h.frame()), "21@7 22@8");

    h.input.uninitialize();
    h.fake.setResult("DirectInput8Create", E_FAIL, 1);
    EXPECT_THROW(h.input.initialize(window), std::runtime_error);
    EXPECT_EQ(h.input.getJoystickNumber(h.stick), -1);
    h.input.initialize(window);
    EXPECT_EQ(h.input.getJoystickNumber(h.stick), 0);
}

TEST(VorlanTest, ProcessReplacesTheVectorAndActivateReleasesHeldKeys) {
    Host h;
    h.input.initialize(window);
    h.input.createLayer("L");
    h.input.setTopLayer("L");
    h.input.addKeyCombo("L", 0x1E, {}, 1, 2, 3);
    h.input.addAxisCombo("L", 1024, {}, 9, FilterInfo());
    std::vector<VorlanAction> actions{VorlanAction(99, 1, 0)};
    h.input.process(actions);  // first frame: devices not acquired yet
    EXPECT_TRUE(actions.empty());

    h.input.activate(true);
    EXPECT_EQ(h.fake.journal("Acquire").size(), 2u * 3u);  // once by the frame, once by activate
    h.kb.batches.push_back({record(0x1E, 0x80, 10)});
    h.ms.batches.push_back({record(0, 1, 11)});
    EXPECT_EQ(describe(h.frame()), "1@10 9=65540r@11#1024 2@11");
    EXPECT_EQ(describe(h.frame()), "2@11");

    h.input.activate(false);
    EXPECT_EQ(h.fake.journal("Unacquire").back().result, DI_OK);
    EXPECT_EQ(describe(h.frame()), "3@11");  // the up command waited for this frame
    EXPECT_EQ(describe(h.frame()), "");
}

TEST(VorlanTest, LayerForceFeedbackFollowsTheTopLayer) {
    Host h;
    h.input.setForceFeedback("air", h.stick, 0.2, 0.5, true);  // before initialize: kept
    h.input.initialize(window);
    EXPECT_EQ(h.forceFeedback(), "1/1/0");  // recording applies nothing
    EXPECT_TRUE(h.log.read().find(LogCapture::entry(
                    "SetForceFeedback Layer Name air Device " + h.stick + " Trimmer 0.2 Shake 0.5 Swap Axes 1")) !=
                std::string::npos);
    for (const char* layer : {"ground", "air", "plain", "empty"})
        h.input.createLayer(layer);

    h.input.setTopLayer("air");
    EXPECT_EQ(h.forceFeedback(), "0.2/0.5/1");
    h.input.setTopLayer("plain");  // no entry: passes the search on
    h.log.fresh();
    h.input.setTopLayer("plain");
    EXPECT_EQ(h.log.fresh(), LogCapture::entry("SetForceFeedback Layer Name plain Bool 1") +
                                LogCapture::entry("SetForceFeedback Layer Name plain Not found") +
                                LogCapture::entry("SetForceFeedback Layer Name air Bool 1") +
                                LogCapture::entry("SetSwapAxes 1"));

    // An upper layer with an empty entry decides: nothing changes.
    h.input.setForceFeedback("ground", h.stick, 0.9, 0.9, false);
    h.input.setTopLayer("ground");
    EXPECT_EQ(h.forceFeedback(), "0.9/0.9/0");
    h.input.removeLayer("ground");  // off, then the new top's settings
    EXPECT_EQ(h.forceFeedback(), "0.2/0.5/1");

    // The same device twice: both applied in order, the later prevails; a refused trimmer keeps the spring.
    h.input.setForceFeedback("empty", h.stick, 0.2, 0.1, false);
    h.input.setForceFeedback("empty", h.stick, 0.7, 0.3, false);
    h.input.setTopLayer("empty");
    EXPECT_EQ(h.forceFeedback(), "0.7/0.3/0");
    h.input.setForceFeedback("empty", h.stick, 1.5, 0.4, true);
    h.input.setTopLayer("empty");
    EXPECT_EQ(h.forceFeedback(), "0.7/0.4/1");
    EXPECT_NE(h.log.read().find(LogCapture::entry("Invalid gain value! Gain must be in range 0..1!")),
              std::string::npos);

    h.input.setForceFeedback("unknown device", "nobody", 0.3, 0.3, true);
    h.input.removeLayer("empty");
    EXPECT_EQ(h.forceFeedback(), "0.2/0.5/1");

    h.input.removeAllLayers();
    EXPECT_EQ(h.forceFeedback(), "0/0/0");
    h.log.fresh();
    h.input.setTopLayer("air");  // the settings are gone
    EXPECT_EQ(h.log.fresh(), "");  // the layer was forgotten too: nothing on the stack to ask
    h.input.createLayer("air");
    h.input.setTopLayer("air");
    EXPECT_EQ(h.log.fresh(), LogCapture::entry("SetForceFeedback Layer Name air Bool 1") +
                                LogCapture::entry("SetForceFeedback Layer Name air Not found"));
    EXPECT_EQ(h.forceFeedback(), "0/0/0");
}
