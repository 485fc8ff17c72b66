#ifndef VORLAN_HOST_REPORT_DATA_H
#define VORLAN_HOST_REPORT_DATA_H

#include "VorlanAction.h"
#include "VorlanBindings.h"

#include <cstdint>
#include <string>
#include <vector>

// What the bindings report shows: the script's bindings, what the library
// noted about them, and what a replayed session gave.

struct TracedAction {
    uint32_t frame = 0;
    VorlanAction action;
};

// One raw input of a device code, as the devices delivered it before any
// binding: an axis value, or a key, button or hat direction going on or off.
struct TracedInput {
    uint32_t frame = 0;
    int32_t code = 0;
    int32_t value = 0;  // the axis value; 1 on, 0 off for keys
    uint32_t time = 0;
    uint32_t device = 0;
    bool axis = false;
    bool absolute = true;  // false for an axis that reports steps, such as a mouse
};

struct SessionTrace {
    uint32_t frames = 0;
    std::vector<TracedAction> actions;  // what the host received, frame by frame
    std::vector<TracedInput> inputs;    // in frame order
};

struct ReportData {
    VorlanBindings bindings;
    std::vector<std::string> diagnostics;  // what --check finds, one line each: "FILE:LINE: operation: text"
    bool hasSession = false;
    SessionTrace session;
};

#endif
