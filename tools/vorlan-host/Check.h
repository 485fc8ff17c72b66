#ifndef VORLAN_HOST_CHECK_H
#define VORLAN_HOST_CHECK_H

#include "Vorlan.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>

// vorlan-host --check on an initialised library: runs the script with
// diagnostics on, runs `frames` frames (without a number, until the replayed
// session has delivered its last), and prints the findings. Returns 0
// when there are none, 3 when there are, 1 when the script failed. Codes that
// no device has are findings only `withDevices`.
int runCheck(Vorlan& input, const std::string& script, std::optional<uint32_t> frames, bool jsonLines,
             bool withDevices);

// Every key, button and axis code of the devices.
std::set<int> deviceCodes(Vorlan& input);

// A session without devices or frames, named by VORLAN_REPLAY while it lives:
// what a check without a session runs on.
class EmptySession {
public:
    EmptySession();
    ~EmptySession();
    EmptySession(const EmptySession&) = delete;
    EmptySession& operator=(const EmptySession&) = delete;

private:
    std::string path;
};

#endif
