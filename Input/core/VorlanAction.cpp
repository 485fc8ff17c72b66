#include "VorlanAction.h"

VorlanAction::VorlanAction(int32_t action, uint32_t time, uint32_t device)
    : action(action), time(time), device(device) {}

VorlanAction::VorlanAction(int32_t action, int32_t value, bool absolute, uint32_t time, uint32_t device)
    : action(action), value(value), hasValue_(true), absolute(absolute), time(time), device(device) {}
