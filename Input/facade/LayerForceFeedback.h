#ifndef VORLAN_FACADE_LAYERFORCEFEEDBACK_H
#define VORLAN_FACADE_LAYERFORCEFEEDBACK_H

#include <map>
#include <string>
#include <vector>

// One recorded force-feedback setting of a layer for one device.
struct ForceFeedbackSetting {
    std::string deviceName;
    double trimmer = 0;  // spring gain
    double shake = 0;    // periodic gain
    bool swapAxes = false;
};

// The settings by layer name, each list in the order recorded.
using LayerForceFeedback = std::map<std::string, std::vector<ForceFeedbackSetting>>;

#endif
