#include "Filter.h"
#include "Vorlan.h"
#include "devices/DeviceNames.h"
#include "platform/directinput/ResultCodes.h"
#include "support/FacadePlatform.h"
#include "support/FakeDevices.h"
#include "support/LogCapture.h"
#include "support/TestPlatform.h"
#include "support/WorkFolder.h"

#include <gtest/gtest.h>

using namespace DirectInput;
using namespace FakeDevices;

namespace {

uint32_t clockAt777() { return 777; }

// The facade on a keyboard, a mouse and a stick with X, Y, Z, a slider, three
// buttons and a hat, whose state holds the slider at a quarter, buttons 0 and
// 2 down and the hat at 9000. The bindings: an axis combo per axis (the slider
// through a filter, Y another command while button 2's switch is on, RZ which
// the stick lacks), button 0 and the hat's east and off-centre codes.
struct Host {
    LogCapture log;
    FakeDirectInput fake;
    FacadePlatform platform{TestPlatform::maker(fake, nullptr, clockAt777)};
    WorkFolder folder{log};
    Vorlan& input = *getGlobalInput();
    FakeDeviceScript& kb = keyboard(fake, 1, "Kb");
    FakeDeviceScript& ms = mouse(fake, 2, "Ms");
    FakeDeviceScript& js = fake.addDevice(instance(3, DI8DEVTYPE_JOYSTICK, "Stick"));
    const std::string stick = "Stick {" + formatDeviceGuid(guid(3)) + "}";

    Host() {
        for (uint32_t ofs : {0u, 4u, 8u, 24u})
            js.objects.push_back(object(ofs, DIDFT_ABSAXIS));
        for (uint32_t ofs : {50u, 48u, 49u})
            js.objects.push_back(object(ofs, DIDFT_PSHBUTTON));
        js.objects.push_back(object(32, DIDFT_POV));
        js.setStateWord(0, 100);
        js.setStateWord(4, 200);
        js.setStateWord(8, static_cast<uint32_t>(-300));
        js.setStateWord(24, static_cast<uint32_t>(-536870911));
        js.setStateWord(32, 9000);
        js.state[48] = js.state[50] = 0x80;
        kb.state.assign(256, 0x80);  // a key held at activation stays silent
    }
    ~Host() {
        input.setInitialState(false);
        input.uninitialize();
        input.removeAllLayers();
    }
    void bind() {
        FilterInfo slider;
        slider.slider = slider.invert = true;
        input.addSwitches({4096 + 50});
        input.createLayer("L");
        input.addAxisCombo("L", 4096, {}, 1, FilterInfo());
        input.addAxisCombo("L", 4100, {}, 2, FilterInfo());
        input.addAxisCombo("L", 4100, {4096 + 50}, 6, FilterInfo());
        input.addAxisCombo("L", 4104, {}, 3, FilterInfo());
        input.addAxisCombo("L", 4120, {}, 4, slider);
        input.addAxisCombo("L", 4116, {}, 5, slider);
        input.addKeyCombo("L", 4096 + 48, {}, 10, 0, 11);
        input.addKeyCombo("L", 4096 + 1020, {}, 20, 0, 21);
        input.addKeyCombo("L", 4096 + 1023, {}, 22, 0, 23);
        input.setTopLayer("L");
    }
    std::string frame() {
        std::vector<VorlanAction> actions;
        input.process(actions);
        std::string text;
        for (const VorlanAction& a : actions)
            text += (text.empty() ? "" : " ") + std::to_string(a.getAction()) +
                    (a.hasValue() ? "=" + std::to_string(a.getValue()) : "") + "@" + std::to_string(a.getTime()) +
                    "/" + std::to_string(a.getDevice());
        return text;
    }
    // What the stick's state gives through the bindings, in the list's order.
    const std::string all = "20@777/4096 22@777/4096 10@777/4096 4=536870911@777/4096 3=-300@777/4096 "
                            "6=200@777/4096 1=100@777/4096";

    size_t stateReads() const { return fake.journal("GetDeviceState").size(); }
};

} // namespace

TEST(InitialStateTest, OffByDefaultNoStateIsReadAndTheFirstFrameIsEmpty) {
    Host h;
    h.input.initialize(nullptr);
    h.bind();
    h.input.activate(true);
    EXPECT_EQ(h.frame(), "");
    EXPECT_EQ(h.stateReads(), 0u);
    EXPECT_EQ(h.log.read().find("GetDeviceState"), std::string::npos);
}

TEST(InitialStateTest, EachAcquireDeliversAxesThenChangedButtonsAndHatsBeforeTheRecords) {
    Host h;
    h.input.setInitialState(true);  // before initialize
    h.input.initialize(nullptr);
    h.bind();
    h.input.setJoystickNumber(h.stick, 0);
    h.js.batches.push_back({record(0, 400, 900)});
    h.input.activate(true);
    EXPECT_EQ(h.fake.journal("GetDeviceState").front().count, 272u);
    EXPECT_EQ(h.fake.journal("GetDeviceState").front().device, "Stick");
    // One time, so the list holds them in reverse: the hat's two events, the
    // switch (button 2), button 0, then the axes; the slider through its
    // filter, Y under the switch, nothing for the RZ the stick lacks.
    EXPECT_EQ(h.frame(), h.all + " 1=400@900/4096");
    EXPECT_EQ(h.stateReads(), 1u);  // the joystick's only

    // Acquired again: axes again, but buttons and the hat as delivered stay silent.
    h.input.activate(true);
    EXPECT_EQ(h.frame(), h.all.substr(h.all.find("4=")));

    // Lost: button 0 released and the hat centred meanwhile; the re-acquire
    // after the failed poll reads them, and the next frame lets them go.
    h.js.state[48] = 0;
    h.js.setStateWord(32, 0xFFFFFFFF);  // centred
    h.fake.setResult("Poll", DIERR_INPUTLOST, 1, "Stick");
    EXPECT_EQ(h.frame(), "");
    EXPECT_EQ(h.frame(), "23@777/4096 21@777/4096 11@777/4096 " + h.all.substr(h.all.find("4=")));
}

TEST(InitialStateTest, RestartedJoysticksStartFromReleasedAndTheSwitchOutlivesUninitialize) {
    Host h;
    h.input.initialize(nullptr);
    h.input.setInitialState(true);  // after initialize
    h.bind();
    h.input.activate(true);
    EXPECT_EQ(h.frame(), h.all);
    h.input.activate(false);
    h.input.restartAllDevices();
    h.input.activate(true);
    EXPECT_EQ(h.frame(), "11@778/4096 21@778/4096 23@778/4096 " + h.all);

    h.input.uninitialize();
    h.input.initialize(nullptr);
    h.bind();
    h.input.activate(true);
    EXPECT_EQ(h.frame(), h.all);

    h.input.setInitialState(false);  // the later call wins
    h.input.activate(true);
    EXPECT_EQ(h.frame(), "");
    EXPECT_EQ(h.stateReads(), 3u);
}

TEST(InitialStateTest, AFailedStateReadIsLoggedAndDeliversNothing) {
    Host h;
    h.input.setInitialState(true);
    h.input.initialize(nullptr);
    h.bind();
    h.fake.setResult("GetDeviceState", DIERR_INPUTLOST);
    h.input.activate(true);
    EXPECT_EQ(h.frame(), "");
    const std::string entry = "Input error: GetDeviceState " + h.stick + errorDescription(DIERR_INPUTLOST);
    EXPECT_NE(h.log.read().find(LogCapture::entry(entry)), std::string::npos) << h.log.read();
}
