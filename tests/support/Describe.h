#ifndef VORLAN_TESTS_DESCRIBE_H
#define VORLAN_TESTS_DESCRIBE_H

#include "VorlanAction.h"
#include "core/DeviceEvent.h"

#include <sstream>
#include <string>
#include <vector>

// Actions as "command@time", axis actions with "=value" ("r": relative), and
// "#device" unless 0, separated by blanks.
inline std::string describe(const std::vector<VorlanAction>& actions) {
    std::ostringstream text;
    for (const VorlanAction& a : actions) {
        text << (&a == actions.data() ? "" : " ") << a.getAction();
        if (a.hasValue())
            text << '=' << a.getValue() << (a.isAbsolute() ? "" : "r");
        text << '@' << a.getTime();
        if (a.getDevice())
            text << '#' << a.getDevice();
    }
    return text.str();
}

// Events as "code=value@time/device" ("r" after the time: relative), separated by blanks.
inline std::string describe(const DeviceEventList& list) {
    std::ostringstream text;
    for (const DeviceEvent& e : list)
        text << (&e == list.data() ? "" : " ") << e.code << '=' << e.value << '@' << e.time << (e.absolute ? "" : "r")
             << '/' << e.device;
    return text.str();
}

#endif
