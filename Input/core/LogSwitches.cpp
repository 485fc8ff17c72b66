// The facade's logging members: they touch only the log state, so they live with the log.
#include "Vorlan.h"

#include "core/Log.h"

void Vorlan::enableLogging(bool keyboard, bool mouse, bool joysticks) {
    LogState& s = logState();
    s.logKeyboard = keyboard;
    s.logMouse = mouse;
    s.logJoysticks = joysticks;
}

void Vorlan::setLogPath(const std::string& path) { logState().logPath = path; }
