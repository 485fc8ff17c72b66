#ifndef VORLAN_HOST_INPUT_PROBE_H
#define VORLAN_HOST_INPUT_PROBE_H

#include "ReportData.h"

#include <map>
#include <string>
#include <vector>

class Vorlan;

// Learns the raw input of a replayed session through the library's own
// devices: the session is replayed once more, on a fresh engine whose only
// layer binds every key and axis of every device, unshaped, to a command of
// its own. Joystick numbers that the script set are kept.
class InputProbe {
public:
    // Notes the joystick numbers of the library as it is now (initialised).
    explicit InputProbe(Vorlan& input);

    // Uninitialises the library, starts it again on the same session without
    // recording, and replays that many frames. The library stays initialised.
    // False with a message when it cannot start again.
    bool replay(uint32_t frames, std::vector<TracedInput>& inputs, std::string& failure);

private:
    void bindEverything();
    void collect(uint32_t frame, const VorlanAction& action, std::vector<TracedInput>& inputs) const;

    Vorlan& input;
    std::map<std::string, int> joystickNumbers;
    std::vector<int32_t> codes;  // command c stands for codes[(c - 1) / 2]
    std::vector<bool> axes;      // whether codes[i] is an axis
};

#endif
