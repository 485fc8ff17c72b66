#ifndef VORLAN_ACTION_H
#define VORLAN_ACTION_H

#include "VorlanExport.h"

#include <cstdint>

// One result handed to the host: a host command number, optionally with an
// axis value, stamped with the time and the device block it came from.
class VORLAN_API VorlanAction {
public:
    VorlanAction() = default;
    // A key action: no value.
    VorlanAction(int32_t action, uint32_t time, uint32_t device);
    // An axis action: carries a value, absolute or relative.
    VorlanAction(int32_t action, int32_t value, bool absolute, uint32_t time, uint32_t device);

    int32_t getAction() const { return action; }
    void setAction(int32_t a) { action = a; }
    int32_t getValue() const { return value; }
    // Stores the value; whether the action carries one stays as it was.
    void setValue(int32_t v) { value = v; }
    bool hasValue() const { return hasValue_; }
    bool isAbsolute() const { return absolute; }
    uint32_t getTime() const { return time; }
    uint32_t getDevice() const { return device; }

    // Actions are ordered by time alone.
    bool operator<(const VorlanAction& other) const { return time < other.time; }

private:
    int32_t action = 0;
    int32_t value = 0;
    bool hasValue_ = false;
    bool absolute = false;
    uint32_t time = 0;
    uint32_t device = 0xFFFFFFFFu;
};

#endif
