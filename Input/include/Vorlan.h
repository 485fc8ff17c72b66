#ifndef VORLAN_H
#define VORLAN_H

#include "VorlanExport.h"

#include <cstdint>
#include <string>

// The library's facade.
class VORLAN_API Vorlan {
public:
    // The axis value scale: axis values lie in -getAxesValueMax() .. +getAxesValueMax().
    static int32_t getAxesValueMax() { return 1073741823; }
    // A marker outside the scale for "not an axis value".
    static int32_t getNotAxesValue() { return 2147483646; }
    static bool isAxesValue(int32_t v) { return v >= -getAxesValueMax() && v <= getAxesValueMax(); }

    // Logging switches by device kind; may be called at any time.
    static void enableLogging(bool keyboard, bool mouse, bool joysticks);
    // Later log entries go to this file; the earlier file is left as it is.
    static void setLogPath(const std::string& path);
};

#endif
