#include "ForceFeedback.h"
#include "devices/DIFactory.h"
#include "devices/DIJoystick.h"
#include "devices/DIMouse.h"
#include "devices/DeviceNames.h"
#include "platform/directinput/ResultCodes.h"
#include "support/FakeDevices.h"
#include "support/Describe.h"
#include "support/LogCapture.h"
#include "support/TestPlatform.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

using namespace DirectInput;
using namespace FakeDevices;
using Codes = std::vector<int>;

namespace {

void* const window = reinterpret_cast<void*>(0x5678);

// The fake as the platform, the log captured, and the working folder a fresh
// one with a Temp/ folder for the device list.
struct World {
    LogCapture log;
    FakeDirectInput fake;
    WorkFolder folder{log};
    std::unique_ptr<Platform::Context> platform;
    std::unique_ptr<DIFactory> factory;

    // A factory on a platform of the fake, made as initialize makes it.
    DIFactory& make() {
        platform = DIFactory::createPlatform(TestPlatform::maker(fake));
        factory = std::make_unique<DIFactory>(window, *platform);
        return *factory;
    }
    bool logged(const std::string& message) const {
        return log.read().find(LogCapture::entry(message)) != std::string::npos;
    }
    // The methods called on a device, in order.
    std::string calls(const std::string& device) const {
        std::string text;
        for (const FakeCall& call : fake.journal())
            if (call.device == device)
                text += (text.empty() ? "" : " ") + call.method;
        return text;
    }
    std::vector<std::string> devices() const {
        std::vector<std::string> names;
        factory->getDevices(names);
        return names;
    }
    DeviceEventList frame() {
        DeviceEventList list;
        factory->collect(list);
        return list;
    }
};

// The GUID texts of guid(n) for n = 1..4, as device names show them.
const char* const guidTexts[] = {"", "10000001-ABCD-ef01-0111-213141516171", "10000002-ABCD-ef01-0212-223242526272",
                                 "10000003-ABCD-ef01-0313-233343536373", "10000004-ABCD-ef01-0414-243444546474"};

std::string joystickName(const std::string& name, uint32_t n) { return name + " {" + guidTexts[n] + "}"; }

// A keyboard with a name to sanitise, a mouse and two sticks.
struct FourDevices : World {
    const std::vector<std::string> names = {"Key_board_1", "Mouse", joystickName("Stick", 3),
                                            joystickName("Pedals", 4)};
    FourDevices() {
        keyboard(fake, 1, "Key/board:1");
        mouse(fake, 2);
        joystick(fake, 3, "Stick");
        joystick(fake, 4, "Pedals");
        make();
    }
};

// Instances the factory refuses, each for another reason, and a GUID listed twice.
struct RefusedDevices : World {
    RefusedDevices() {
        keyboard(fake, 1, "Null").nullInterface = true;
        keyboard(fake, 2, "Refused");
        keyboard(fake, 3, "NoCaps");
        fake.addDevice(instance(4, 0x19, "Control"));
        fake.addDevice(instance(5, 0x11, "Other"));
        keyboard(fake, 6, "NoSubtype").instance.devType = DI8DEVTYPE_KEYBOARD;
        keyboard(fake, 7, "Twice");
        fake.addDevice(instance(7, DI8DEVTYPE_KEYBOARD, "Twice"));  // the same GUID again
        fake.setResult("CreateDevice", DIERR_DEVICENOTREG, 0, "Refused");
        fake.setResult("GetCapabilities", E_FAIL, 0, "NoCaps");
        make();
    }
};

} // namespace

TEST(DeviceNamesTest, SanitisingReplacesControlBytesAndNineCharactersAndTheGuidHasALowerCaseThirdGroup) {
    EXPECT_EQ(sanitizeName("a\\b/c:d*e?f\"g<h>i|j\tk\x01l\x80m"), "a_b_c_d_e_f_g_h_i_j_k_l\x80m");
    Guid g{0x0123ABCD, 0x4E5F, 0xA1B2, {0xC3, 0xD4, 0xE5, 0xF6, 0x07, 0x18, 0x29, 0x3A}};
    EXPECT_EQ(formatDeviceGuid(g), "0123ABCD-4E5F-a1b2-C3D4-E5F60718293A");
}

TEST(DIFactoryTest, ListsAndLogsTheDevicesBySanitisedName) {
    FourDevices w;
    EXPECT_EQ(w.devices(), w.names);
    EXPECT_EQ(w.log.read("Temp/VorlanDevices.txt"), "Key_board_1\nMouse\n" + w.names[2] + "\n" + w.names[3] + "\n");
    EXPECT_TRUE(w.logged("Try to create device. Device type is: 275. Device name is: Key_board_1"));
    EXPECT_TRUE(w.logged("Keyboard created[Key_board_1]."));
    EXPECT_TRUE(w.logged("Mouse created[Mouse]."));
    EXPECT_TRUE(w.logged("Joystick created[" + w.names[2] + "]."));
    EXPECT_TRUE(w.logged("TrackIR dll location key is not presented!"));
}

TEST(DIFactoryTest, SetsUpAKeyboardOnTheWindowWithABuffer) {
    FourDevices w;
    EXPECT_EQ(w.calls("Key/board:1"), "CreateDevice GetCapabilities SetCooperativeLevel SetDataFormat SetProperty");
    const FakeCall level = w.fake.journal("SetCooperativeLevel").front();
    EXPECT_EQ(level.window, window);
    EXPECT_EQ(level.flags, 0x16u);
    for (const FakeCall& call : w.fake.journal("SetProperty")) {
        if (call.property == DIPROP_BUFFERSIZE) {
            EXPECT_EQ(call.data, 1024u);
        }
    }
}

TEST(DIFactoryTest, AnswersTypesAndJoystickNumbersByName) {
    FourDevices w;
    EXPECT_EQ(w.factory->getDeviceType("Key_board_1"), 1);
    EXPECT_EQ(w.factory->getDeviceType("Mouse"), 2);
    EXPECT_EQ(w.factory->getDeviceType(w.names[3]), 3);
    EXPECT_EQ(w.factory->getDeviceType("TrackIR"), 0);  // no tracker here
    EXPECT_EQ(w.factory->getDeviceType("nobody"), 0);
    EXPECT_EQ(w.factory->getJoystickNumber(w.names[2]), 0);
    EXPECT_EQ(w.factory->getJoystickNumber(w.names[3]), 1);
    EXPECT_EQ(w.factory->getJoystickNumber("Mouse"), -1);
    EXPECT_EQ(w.factory->getForceFeedback(w.names[2]), nullptr);
}

TEST(DIFactoryTest, RefusedInstancesAreSkippedLoggedAndReleased) {
    RefusedDevices w;
    EXPECT_EQ(w.devices(), std::vector<std::string>{"Twice"});
    EXPECT_TRUE(w.logged("Input error: CreateDevice returned null device pointer. Device rejected."));
    EXPECT_TRUE(w.logged(std::string("Input error: CreateDeviceRefused product") + errorDescription(DIERR_DEVICENOTREG)));
    EXPECT_TRUE(w.logged(std::string("Input error: GetCapabilities NoCaps product") + errorDescription(E_FAIL)));
    EXPECT_TRUE(w.logged("Unknown device type! Name: ControlGUID: " + std::string(guidTexts[4]) + ". Skipped."));
    EXPECT_TRUE(w.logged("Unknown device type! Name: OtherGUID: 10000005-ABCD-ef01-0515-253545556575. Skipped."));
    EXPECT_EQ(w.log.read().find("NoSubtype]"), std::string::npos);
    for (const char* name : {"NoCaps", "Control", "Other", "NoSubtype"})
        EXPECT_EQ(w.calls(name), "CreateDevice GetCapabilities Release") << name;
    EXPECT_EQ(w.calls("Twice"), "CreateDevice GetCapabilities SetCooperativeLevel SetDataFormat SetProperty "
                                "CreateDevice GetCapabilities Release");
}

struct SetupFailure {
    const char* method;
    unsigned nth;
    uint32_t kind;  // 1 keyboard, 2 mouse, 3 joystick, 4 force-feedback joystick
    std::string message;  // without the error text
    size_t effects;       // effects made before the failure, released with the device
};

TEST(DIFactoryTest, SetUpFailuresDestroyThePartlyBuiltDeviceAndGoOn) {
    const std::string stick = joystickName("Dev", 1);
    const std::vector<SetupFailure> failures = {
        {"SetCooperativeLevel", 0, 1, "SetCooperativeLevel Dev", 0}, {"SetDataFormat", 0, 1, "SetDataFormat Dev", 0},
        {"SetProperty", 0, 1, "SetProperty Dev", 0},
        {"SetCooperativeLevel", 0, 2, "SetCooperativeLevel Dev", 0}, {"SetDataFormat", 0, 2, "SetDataFormat Dev", 0},
        {"SetProperty", 0, 2, "SetProperty Dev", 0},
        {"SetCooperativeLevel", 0, 3, "SetCooperativeLevel " + stick, 0},
        {"SetCooperativeLevel", 1, 4, "SetCooperativeLevel " + stick, 0},
        {"SetDataFormat", 0, 3, "SetDataFormat " + stick, 0}, {"EnumObjects", 1, 3, "EnumObjects " + stick, 0},
        {"SetProperty", 2, 3, "SetAxesRange  " + stick, 0}, {"SetProperty", 3, 4, "SetSpringAutocenter  " + stick, 0},
        {"SetProperty", 3, 3, "SetProperty " + stick, 0}, {"SetProperty", 4, 4, "SetProperty " + stick, 3},
    };
    for (const SetupFailure& f : failures) {
        World w;
        if (f.kind == 1)
            keyboard(w.fake, 1, "Dev");
        else if (f.kind == 2)
            mouse(w.fake, 1, "Dev");
        else
            joystick(w.fake, 1, "Dev", f.kind == 4);
        keyboard(w.fake, 2, "Next");
        w.fake.setResult(f.method, E_ACCESSDENIED, f.nth, "Dev");
        w.make();
        const std::string text = f.message + " " + errorDescription(E_ACCESSDENIED);
        EXPECT_TRUE(w.logged(text)) << text;
        EXPECT_EQ(w.devices(), std::vector<std::string>{"Next"}) << text;
        const std::string calls = w.calls("Dev");
        EXPECT_EQ(calls.substr(calls.size() - 17), "Unacquire Release") << text;
        size_t releasedEffects = 0;
        for (const FakeCall& call : w.fake.journal("Release"))
            releasedEffects += call.effect != 0;
        EXPECT_EQ(w.fake.journal("CreateEffect").size(), f.effects) << text;
        EXPECT_EQ(releasedEffects, f.effects) << text;
        if (f.kind == 2 && std::string(f.method) == "SetCooperativeLevel") {
            EXPECT_TRUE(w.logged("Input error: SetCooperativeLevel Dev" + std::string(errorDescription(E_ACCESSDENIED))));
        }
    }
}

// A keyboard and a mouse whose first cooperative level is refused, a plain stick and a force-feedback one.
struct MixedDevices : World {
    MixedDevices() {
        keyboard(fake, 1, "Kb");
        mouse(fake, 2, "Ms");
        joystick(fake, 3, "Plain");
        joystick(fake, 4, "Force", true);
        fake.setResult("SetCooperativeLevel", E_FAIL, 1, "Kb");
        fake.setResult("SetCooperativeLevel", E_FAIL, 1, "Ms");
        make();
    }
};

TEST(DIFactoryTest, CooperativeLevelsFallBackForceFeedbackSticksAreExclusiveAndSetUpIsLogged) {
    MixedDevices w;
    std::vector<std::pair<std::string, uint32_t>> levels;
    for (const FakeCall& call : w.fake.journal("SetCooperativeLevel"))
        levels.emplace_back(call.device, call.flags);
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"Kb", 0x16}, {"Kb", 0x1A}, {"Ms", 0x16}, {"Ms", 0x1A}, {"Plain", 0x16}, {"Force", 0x05}};
    EXPECT_EQ(levels, expected);
    EXPECT_EQ(w.devices().size(), 4u);
    std::string joyLog = "Joyctick: try to set pov count: 4";
    for (const char* step : {"setCooperativeLevel", "setDataFormat", "setAxesRange", "createForceFeedback",
                             "setSpringAutocenter", "createConditionEffect"})
        joyLog += LogCapture::entry(std::string("Joyctick: try to ") + step);
    EXPECT_TRUE(w.logged(joyLog));
    EXPECT_TRUE(w.logged("Joyctick: try to setBufferSize: 1024"));
}

// Range per axis object, addressed by its type id; autocentre off for the force-feedback stick only.
TEST(DIFactoryTest, JoystickAxesGetTheRangeAndForceFeedbackSticksLoseTheAutocentre) {
    MixedDevices w;
    std::vector<std::string> properties;
    for (const FakeCall& call : w.fake.journal("SetProperty"))
        if (call.device == "Plain" || call.device == "Force")
            properties.push_back(call.device + ":" + std::to_string(call.property) + ":" +
                                 std::to_string(call.header.how) + ":" + std::to_string(call.header.obj) + ":" +
                                 (call.property == DIPROP_RANGE ? std::to_string(call.min) + ".." + std::to_string(call.max)
                                                                : std::to_string(call.data)));
    const std::vector<std::string> expectedProperties = {
        "Plain:4:2:258:-1073741823..1073741823", "Plain:4:2:514:-1073741823..1073741823", "Plain:1:0:0:1024",
        "Force:4:2:258:-1073741823..1073741823", "Force:4:2:514:-1073741823..1073741823", "Force:9:0:0:0",
        "Force:1:0:0:1024"};
    EXPECT_EQ(properties, expectedProperties);
}

TEST(DIFactoryTest, ForceFeedbackSticksGetTheThreeEffectsOnTheirActuators) {
    MixedDevices w;
    ForceFeedback* ff = w.factory->getForceFeedback(joystickName("Force", 4));
    ASSERT_NE(ff, nullptr);
    EXPECT_TRUE(ff->hasConditionEffect());
    EXPECT_TRUE(ff->hasConstantForceEffect());
    EXPECT_TRUE(ff->hasPeriodicEffect());
    for (const FakeCall& call : w.fake.journal("CreateEffect"))
        EXPECT_EQ(call.parameters.axes, (std::vector<uint32_t>{0, 4}));
}


// A keyboard and two sticks, B numbered 7 and A's force feedback set, the keyboard banned; then a restart.
struct Restarted : World {
    FakeDeviceScript& kb = keyboard(fake, 1, "Kb");
    const std::string a = joystickName("A", 2), b = joystickName("B", 3);
    Restarted() {
        joystick(fake, 2, "A", true);
        joystick(fake, 3, "B");
        DIFactory& f = make();
        f.setJoystickNumber(b, 7);
        f.setJoystickNumber("Kb", 9);
        if (ForceFeedback* ff = f.getForceFeedback(a)) {
            ff->setConditionEffectGain(0.25);
            ff->setConstantForceEffectGain(0.5);
            ff->setPeriodicEffectGain(0.75);
            ff->setSwapAxes(true);
        }
        f.banKeyboard(true);
        f.restartAllDevices();
    }
};

TEST(DIFactoryTest, RestartKeepsJoystickNumbersAndForceFeedbackSettingsByName) {
    Restarted w;
    EXPECT_EQ(w.factory->getJoystickNumber(w.a), 0);
    EXPECT_EQ(w.factory->getJoystickNumber(w.b), 7);
    ForceFeedback* ff = w.factory->getForceFeedback(w.a);
    ASSERT_NE(ff, nullptr);
    EXPECT_EQ(ff->getConditionEffectGain(), 0.25);
    EXPECT_EQ(ff->getConstantForceEffectGain(), 0.5);
    EXPECT_EQ(ff->getPeriodicEffectGain(), 0.75);
    EXPECT_TRUE(ff->getSwapAxes());
    EXPECT_EQ(w.factory->getForceFeedback("Kb"), nullptr);
    EXPECT_EQ(w.factory->getForceFeedback(w.b), nullptr);
}

TEST(DIFactoryTest, RestartClearsTheBans) {
    Restarted w;
    EXPECT_TRUE(w.logged("DIKeyboard::setBanned bannedtrue"));
    EXPECT_TRUE(w.logged("DIFactory::banKeyboard true"));
    // The keyboard is a new one, not banned: it delivers again.
    w.factory->acquireAll();
    w.kb.batches.push_back({record(0x1E, 0x80, 5)});
    EXPECT_EQ(describe(w.frame()), "30=1@5/0");
}

// Two keyboards of the same name (by-name calls reach the first), after the first frame.
struct Keyboards : World {
    FakeDeviceScript& kb = keyboard(fake, 1, "Kb");
    DeviceEventList first;
    Keyboards() {
        keyboard(fake, 2, "Kb");
        make();
        first = frame();
    }
};

TEST(DIKeyboardTest, ListsTheKeysOfItsObjectsAndRecordsBecomeLoggedKeyEvents) {
    Keyboards w;
    Codes keys, axes;
    w.factory->getDeviceKeysAxes("Kb", keys, axes);
    EXPECT_EQ(keys, (Codes{0x01, 0x1E, 0x2A}));
    EXPECT_TRUE(axes.empty());
    EXPECT_TRUE(w.first.empty());  // not acquired: the first frame acquires
    EXPECT_TRUE(w.logged("Device acquire Kb"));
    w.log.fresh();
    w.kb.batches.push_back({record(0x1E, 0x80, 100), record(0x1E, 0x7F, 100), record(0x54, 0x80, 120)});
    EXPECT_EQ(describe(w.frame()), "30=0@100/0 30=1@100/0 84=1@120/0");
    EXPECT_EQ(w.log.fresh(), LogCapture::entry("Kb actions count: 3") + LogCapture::entry("KEY_A down 100") +
                                LogCapture::entry("KEY_A up 100") + LogCapture::entry("KEY_UNKNOWN down 120"));
}

TEST(DIKeyboardTest, OverflowIsLoggedAndKeepsTheRecords) {
    Keyboards w;
    w.log.fresh();
    w.fake.setResult("GetDeviceData", DI_BUFFEROVERFLOW, 1, "Kb");
    w.kb.batches.push_back({record(0x01, 0x80, 130)});
    EXPECT_EQ(describe(w.frame()), "1=1@130/0");
    EXPECT_EQ(w.log.fresh(), LogCapture::entry("Keyboard data buffer overflow!") +
                                LogCapture::entry("Kb actions count: 1") + LogCapture::entry("KEY_ESCAPE down 130"));
}

TEST(DIKeyboardTest, BannedKeyboardDrainsItsBufferSilently) {
    Keyboards w;
    w.factory->banKeyboard(true);
    w.log.fresh();
    w.fake.setResult("GetDeviceData", DI_BUFFEROVERFLOW, 1, "Kb");
    w.kb.batches.push_back({record(0x01, 0x00, 140)});
    EXPECT_TRUE(w.frame().empty());
    EXPECT_TRUE(w.kb.batches.empty());  // drained all the same
    EXPECT_EQ(w.log.fresh(), "");
}

TEST(DIKeyboardTest, LostInputReacquiresForTheNextFrame) {
    Keyboards w;
    w.fake.setResult("GetDeviceData", DIERR_INPUTLOST, 1, "Kb");
    w.kb.batches.push_back({record(0x01, 0x00, 150)});
    w.log.fresh();
    EXPECT_TRUE(w.frame().empty());
    EXPECT_EQ(w.log.fresh(), LogCapture::entry("Device acquire Kb"));  // S_FALSE: already acquired, a success
    EXPECT_EQ(describe(w.frame()), "1=0@150/0");
}

// A mouse, acquired.
struct MouseWorld : World {
    FakeDeviceScript& ms = mouse(fake, 1, "Ms");
    MouseWorld() { make().acquireAll(); }
};

TEST(DIMouseTest, ListsItsAxesAndButtonsAndRecordsBecomeRelativeAxisEventsAndButtonPresses) {
    MouseWorld w;
    Codes keys, axes;
    w.factory->getDeviceKeysAxes("Ms", keys, axes);
    EXPECT_EQ(axes, (Codes{1024, 1028, 1032}));
    EXPECT_EQ(keys, (Codes{1036, 1037}));
    w.ms.batches.push_back({record(0, static_cast<uint32_t>(-1), 10), record(4, 2, 11), record(8, 0, 12),
                            record(12, 0x80, 13), record(19, 0x00, 14), record(20, 5, 15), record(2, 5, 16)});
    EXPECT_EQ(describe(w.frame()), "1024=-65540@10r/1024 1028=131080@11r/1024 1032=0@12r/1024 "
                                   "1036=1@13/1024 1043=0@14/1024");
}

TEST(DIMouseTest, MovementIsScaledAndSaturates) {
    EXPECT_EQ(DIMouse::scaleMovement(16383), 1073741823);
    EXPECT_EQ(DIMouse::scaleMovement(-16383), -1073741823);
    EXPECT_EQ(DIMouse::scaleMovement(40000), INT32_MAX);
    EXPECT_EQ(DIMouse::scaleMovement(INT32_MIN), INT32_MIN);
}

TEST(DIMouseTest, BannedMouseDrainsItsBufferSilently) {
    MouseWorld w;
    w.factory->banMouse(true);
    EXPECT_TRUE(w.logged("DIMouse::setBanned bannedtrue"));
    EXPECT_TRUE(w.logged("DIFactory::banMouse true"));
    w.ms.batches.push_back({record(12, 0x80, 20)});
    EXPECT_TRUE(w.frame().empty());
    EXPECT_TRUE(w.ms.batches.empty());
}

// A factory with one joystick, acquired, its log read so far.
struct StickWorld : World {
    FakeDeviceScript& js;
    const std::string name = joystickName("Stick", 1);
    explicit StickWorld(bool forceFeedback = false) : js(joystick(fake, 1, "Stick", forceFeedback)) {
        make().acquireAll();
        log.fresh();
    }
};
TEST(DIJoystickTest, AHatChangeSendsTheOldDirectionUpAndTheNewDown) {
    StickWorld w;
    // Hat 0 of joystick 0 from centred to north: (5119, 1) then (5118, 1), the later first in the list.
    w.js.batches.push_back({record(32, 0, 5)});
    EXPECT_EQ(describe(w.frame()), "5118=1@5/4096 5119=1@5/4096");
    // North to east, then east to 2250, which counts as centred.
    w.js.batches.push_back({record(32, 9000, 6), record(32, 2250, 7)});
    EXPECT_EQ(describe(w.frame()), "5116=1@6/4096 5118=0@6/4096 5119=0@7/4096 5116=0@7/4096");
    // Hat 1 of joystick 2 from 9000 to centred: (B + 1023 - 9 - 3, 0) then (B + 1023 - 9, 0), B = 6144.
    w.factory->setJoystickNumber(w.name, 2);
    w.js.batches.push_back({record(36, 9000, 1), record(36, 0xFFFFFFFF, 2)});
    EXPECT_EQ(describe(w.frame()), "7155=1@1/6144 7158=1@1/6144 7158=0@2/6144 7155=0@2/6144");
}

TEST(DIJoystickTest, HatValuesInHundredthsOfADegreeGiveDirectionNumbers) {
    const std::map<uint32_t, uint32_t> directions = {{0, 1},     {4500, 2},  {9000, 3},  {13500, 4},
                                                     {18000, 5}, {22500, 6}, {27000, 7}, {31500, 8},
                                                     {36000, 0}, {2250, 0},  {0xFFFFFFFF, 0}};
    for (const auto& [value, direction] : directions)
        EXPECT_EQ(DIJoystick::hatDirection(value), direction) << value;
}

TEST(DIJoystickTest, AxisDataPassesThroughAndButtonsFollowBit7) {
    StickWorld w;
    w.js.batches.push_back({record(0, static_cast<uint32_t>(-1073741823), 8), record(176, 77, 8),
                            record(48, 0x80, 9), record(175, 0x00, 9), record(2, 1, 9), record(272, 1, 9)});
    EXPECT_EQ(describe(w.frame()), "4272=77@8/4096 4096=-1073741823@8/4096 4271=0@9/4096 4144=1@9/4096");
}

TEST(DIJoystickTest, ListsTheFixedCodesOfItsBlockWhoseBaseWrapsForAnyNumber) {
    StickWorld w;
    w.factory->setJoystickNumber(w.name, 2);
    Codes keys, axes;
    w.factory->getDeviceKeysAxes(w.name, keys, axes);
    ASSERT_EQ(axes.size(), 32u);
    ASSERT_EQ(keys.size(), 164u);
    EXPECT_EQ((Codes{axes.front(), axes[8], axes.back(), keys.front(), keys[127], keys[128], keys.back()}),
              (Codes{6144, 6144 + 176, 6144 + 268, 6144 + 48, 6144 + 175, 6144 + 1023, 6144 + 988}));
    // Any number is accepted, and the block base wraps.
    w.factory->setJoystickNumber(w.name, INT_MAX);
    w.js.batches.push_back({record(48, 0x80, 3)});
    EXPECT_EQ(w.frame().front().device, 3072u);  // (INT_MAX + 4) * 1024 modulo 2^32
}

TEST(DIJoystickTest, FailedPollAcquiresWithTheAutocentreOff) {
    World w;
    joystick(w.fake, 1, "Stick", true);
    w.make();
    EXPECT_TRUE(w.frame().empty());  // Poll fails until acquired: acquire, autocentre off first, then restore
    EXPECT_TRUE(w.logged("Device acquire " + joystickName("Stick", 1)));
    EXPECT_EQ(w.fake.journal("SetProperty").back().property, DIPROP_AUTOCENTER);
}

TEST(DIJoystickTest, AFailedFetchIsLoggedAndAnOverflowKeepsTheRecords) {
    StickWorld w(true);
    w.fake.setResult("GetDeviceData", DIERR_INPUTLOST, 1);
    EXPECT_TRUE(w.frame().empty());
    EXPECT_EQ(w.log.fresh(), LogCapture::entry(std::string("Failed to get joystick data! ") +
                                              errorDescription(DIERR_INPUTLOST)));
    w.fake.setResult("GetDeviceData", DI_BUFFEROVERFLOW, 1);
    w.js.batches.push_back({record(48, 0x80, 3)});
    EXPECT_EQ(describe(w.frame()), "4144=1@3/4096");
    EXPECT_EQ(w.log.fresh(), LogCapture::entry("Joystick data buffer overflow!"));
}

TEST(DIJoystickTest, AFailingAutocentreIsLoggedAndTheAcquireGoesOn) {
    StickWorld w(true);
    w.factory->unacquireAll();
    w.fake.setResult("SetProperty", E_FAIL, 1);
    w.log.fresh();
    w.factory->acquireAll();
    EXPECT_EQ(w.log.fresh(), LogCapture::entry("SetSpringAutocenter  " + w.name + " " + errorDescription(E_FAIL)) +
                                LogCapture::entry("Device acquire " + w.name));
}
TEST(DIDeviceTest, UnacquireLogsItsFailureFirst) {
    World w;
    keyboard(w.fake, 1, "Kb");
    DIFactory& f = w.make();
    w.fake.setResult("Unacquire", E_FAIL, 1);
    w.log.fresh();
    f.unacquireAll();
    EXPECT_EQ(w.log.fresh(), LogCapture::entry(std::string("Input error: Unacquire Kb") + errorDescription(E_FAIL)) +
                                LogCapture::entry("Device unacquire Kb"));
    w.fake.setResult("Acquire", E_FAIL, 1);
    f.acquireAll();
    EXPECT_EQ(w.log.fresh(), "");
}

TEST(DIFactoryTest, AFailedDirectInput8CreateThrows) {
    World w;
    w.fake.setResult("DirectInput8Create", DIERR_OUTOFMEMORY);
    try {
        w.make();
        FAIL() << "no exception";
    } catch (const DIFactory::Exception& e) {
        EXPECT_EQ(std::string(e.what()), std::string("DirectInput8Create ") + errorDescription(DIERR_OUTOFMEMORY));
    }
}

TEST(DIFactoryTest, AFailedEnumerationIsLoggedAndListsNoDevice) {
    World w;
    keyboard(w.fake, 1, "Kb");
    w.fake.setResult("EnumDevices", E_FAIL);
    w.make();
    EXPECT_TRUE(w.logged(std::string("Input error: EnumDevices") + errorDescription(E_FAIL)));
    EXPECT_TRUE(w.devices().empty());
    EXPECT_EQ(w.log.read("Temp/VorlanDevices.txt"), "");
}
