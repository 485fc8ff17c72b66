#ifndef VORLAN_TESTS_BINDINGTESTSUPPORT_H
#define VORLAN_TESTS_BINDINGTESTSUPPORT_H

#include "Vorlan.h"
#include "VorlanAction.h"
#include "bindings/BindingEngine.h"
#include "core/DeviceEvent.h"
#include "core/Log.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

// An action as the host sees it, comparable and printable in test failures.
struct Act {
    int32_t action;
    int32_t value;
    bool hasValue;
    bool absolute;
    uint32_t time;
    uint32_t device;

    bool operator==(const Act& o) const {
        return action == o.action && value == o.value && hasValue == o.hasValue
            && absolute == o.absolute && time == o.time && device == o.device;
    }
};

inline void PrintTo(const Act& a, std::ostream* os) {
    *os << "{" << a.action;
    if (a.hasValue)
        *os << " value " << a.value << (a.absolute ? " abs" : " rel");
    *os << " t" << a.time << " dev" << a.device << "}";
}

// Key actions (down, pressed, up) and axis actions.
inline Act keyAct(int32_t action, uint32_t time, uint32_t device = 0) {
    return {action, 0, false, false, time, device};
}
inline Act axisAct(int32_t action, int32_t value, uint32_t time, uint32_t device = 4096,
                   bool absolute = true) {
    return {action, value, true, absolute, time, device};
}

inline DeviceEvent keyEvent(int32_t code, bool down, uint32_t time, uint32_t device = 0) {
    DeviceEvent e;
    e.code = code;
    e.value = down ? 1 : 0;
    e.time = time;
    e.device = device;
    return e;
}
inline DeviceEvent down(int32_t code, uint32_t time) { return keyEvent(code, true, time); }
inline DeviceEvent up(int32_t code, uint32_t time) { return keyEvent(code, false, time); }
inline DeviceEvent axisEvent(int32_t code, int32_t value, uint32_t time, uint32_t device = 4096,
                             bool absolute = true) {
    DeviceEvent e;
    e.code = code;
    e.value = value;
    e.absolute = absolute;
    e.time = time;
    e.device = device;
    return e;
}

inline std::vector<Act> toActs(const std::vector<VorlanAction>& actions) {
    std::vector<Act> acts;
    for (const VorlanAction& a : actions)
        acts.push_back({a.getAction(), a.getValue(), a.hasValue(), a.isAbsolute(), a.getTime(),
                        a.getDevice()});
    return acts;
}

// One frame: the events in the given (time) order; returns the actions.
inline std::vector<Act> frame(BindingEngine& engine, DeviceEventList events = {}) {
    std::vector<VorlanAction> out;
    engine.process(events, out);
    return toActs(out);
}

// Turns every log switch off for the scope, so tests that are not about the
// log do not open log files; restores the switches afterwards.
class QuietLog {
public:
    QuietLog() { Vorlan::enableLogging(false, false, false); }
    ~QuietLog() { Vorlan::enableLogging(keyboard, mouse, joysticks); }
    QuietLog(const QuietLog&) = delete;
    QuietLog& operator=(const QuietLog&) = delete;

private:
    const bool keyboard = logState().logKeyboard;
    const bool mouse = logState().logMouse;
    const bool joysticks = logState().logJoysticks;
};

// A fixture with an empty engine and the log silenced.
class EngineTest : public ::testing::Test {
protected:
    QuietLog quiet;
    BindingEngine engine;
};

// Keyboard codes used across the tests.
namespace code {
constexpr int32_t A = 30, B = 48, C = 46, K = 37, F = 33;
constexpr int32_t LShift = 42, LCtrl = 29, RAlt = 184;  // modifiers
constexpr int32_t S1 = 2, S2 = 3, S3 = 4;                // switches
constexpr int32_t JoyX = 4096, JoyY = 4100, JoyButton = 4096 + 48;
}  // namespace code

#endif
