#include "VorlanC.h"

#include "Filter.h"
#include "ForceFeedback.h"
#include "Vorlan.h"
#include "VorlanVersion.h"
#include "bindings/BindingEngine.h"
#include "capi/Boundary.h"
#include "capi/WaitingActions.h"
#include "facade/Engine.h"

#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace CApi;

namespace {

Vorlan& input() { return *getGlobalInput(); }

WaitingActions& waiting() {
    static WaitingActions actions;
    return actions;
}

// Diagnostics taken from the library and not yet written to a caller's buffer.
std::vector<std::string>& waitingDiagnostics() {
    static std::vector<std::string> entries;
    return entries;
}

// ---- Arguments ----

std::set<int32_t> codeSet(const int32_t* codes, int count, const char* what) {
    checkRange(codes, count, what);
    return std::set<int32_t>(codes, codes + count);
}

FilterInfo filterInfo(const vorlan_filter_info* filter) {
    FilterInfo info;
    if (!filter)
        return info;
    checkRange(filter->curvature, filter->curvature_count, "filter curvature");
    info.deadzone = filter->deadzone;
    info.saturationX = filter->saturation_x;
    info.saturationY = filter->saturation_y;
    info.slider = filter->slider != 0;
    info.invert = filter->invert != 0;
    info.curvature.assign(filter->curvature, filter->curvature + filter->curvature_count);
    return info;
}

// Later entries for the same axis win.
ForceFeedback::AxisValues axisValues(const vorlan_axis_value* values, int count) {
    checkRange(values, count, "values");
    ForceFeedback::AxisValues map;
    for (int i = 0; i < count; ++i)
        map[values[i].axis] = values[i].value;
    return map;
}

// ---- Lists into caller buffers ----

int countOf(std::size_t size) {
    if (size > INT_MAX)
        throw std::length_error("the list is longer than an int can count");
    return static_cast<int>(size);
}

// Whether a list of needed elements may be written into buffer: false for a
// size query (null buffer, capacity 0), an error when the buffer is too small.
template <class T>
bool fits(const T* buffer, int capacity, int needed) {
    checkRange(buffer, capacity, "buffer");
    if (!buffer && capacity == 0)
        return false;
    if (capacity < needed)
        throw ArgumentError(VORLAN_ERROR_BUFFER_TOO_SMALL, "the buffer holds " + std::to_string(capacity) +
                                                               " elements, " + std::to_string(needed) + " needed");
    return true;
}

// Names one after another, each with its terminating zero.
int writeNames(const std::vector<std::string>& names, char* buffer, int capacity, int* size, int* count) {
    std::size_t needed = 0;
    for (const std::string& name : names)
        needed += name.size() + 1;
    required(size, "size") = countOf(needed);
    required(count, "count") = countOf(names.size());
    if (fits(buffer, capacity, *size))
        for (const std::string& name : names)
            buffer = std::copy(name.c_str(), name.c_str() + name.size() + 1, buffer);
    return VORLAN_OK;
}

template <class Fill>
int names(const char* function, char* buffer, int capacity, int* size, int* count, const Fill& fill) {
    return guard(function, [&] {
        std::vector<std::string> list;
        fill(list);
        return writeNames(list, buffer, capacity, size, count);
    });
}

// ---- The force-feedback controller of a device ----

ForceFeedback* controller(const char* device) { return input().getForceFeedback(text(device, "device")); }

template <class Operation, class... Args>
int control(const char* function, const char* device, Operation operation, Args... args) {
    return guard(function, [&] {
        if (ForceFeedback* c = controller(device))
            (c->*operation)(args...);
        return VORLAN_OK;
    });
}

// A controller's value into *out, 0 without the controller.
template <class Out, class Value>
int query(const char* function, const char* device, Out* out, Value (ForceFeedback::*get)() const) {
    return guard(function, [&] {
        Out& result = required(out, "result");
        ForceFeedback* c = controller(device);
        result = c ? static_cast<Out>((c->*get)()) : Out();
        return VORLAN_OK;
    });
}

template <class Work>
int run(const char* function, const Work& work) {
    return guard(function, [&] {
        work();
        return VORLAN_OK;
    });
}

} // namespace

// ---- Version and errors ----

int VORLAN_CALL vorlan_version(int* major, int* minor, int* patch) {
    return run(__func__, [&] {
        required(major, "major") = VORLAN_VERSION_MAJOR;
        required(minor, "minor") = VORLAN_VERSION_MINOR;
        required(patch, "patch") = VORLAN_VERSION_PATCH;
    });
}

const char* VORLAN_CALL vorlan_last_error(void) { return lastError(); }

// ---- Lifecycle and frame ----

int VORLAN_CALL vorlan_initialize(void* window) {
    return run(__func__, [&] { input().initialize(window); });
}

int VORLAN_CALL vorlan_uninitialize(void) {
    return run(__func__, [] {
        waiting().drop();
        input().uninitialize();
    });
}

int VORLAN_CALL vorlan_process(vorlan_action* actions, int capacity, int* count) {
    return guard(__func__, [&] {
        int& written = required(count, "count");
        checkRange(actions, capacity, "actions");
        written = waiting().take(actions, capacity);
        return waiting().empty() ? VORLAN_OK : VORLAN_MORE_ACTIONS;
    });
}

int VORLAN_CALL vorlan_activate(int active) {
    return run(__func__, [&] { input().activate(active != 0); });
}

int VORLAN_CALL vorlan_set_initial_state(int on) {
    return run(__func__, [&] { input().setInitialState(on != 0); });
}

// ---- Devices ----

int VORLAN_CALL vorlan_restart_all_devices(void) {
    return run(__func__, [] { input().restartAllDevices(); });
}

int VORLAN_CALL vorlan_get_devices(char* buffer, int capacity, int* size, int* count) {
    return names(__func__, buffer, capacity, size, count, [](auto& list) { input().getDevices(list); });
}

int VORLAN_CALL vorlan_get_device_type(const char* device, int* type) {
    return run(__func__, [&] { required(type, "type") = input().getDeviceType(text(device, "device")); });
}

int VORLAN_CALL vorlan_get_device_keys_axes(const char* device, int32_t* keys, int keyCapacity, int* keyCount,
                                            int32_t* axes, int axisCapacity, int* axisCount) {
    return run(__func__, [&] {
        std::vector<int> keyList, axisList;
        input().getDeviceKeysAxes(text(device, "device"), keyList, axisList);
        required(keyCount, "key count") = countOf(keyList.size());
        required(axisCount, "axis count") = countOf(axisList.size());
        const bool keysFit = fits(keys, keyCapacity, *keyCount);
        const bool axesFit = fits(axes, axisCapacity, *axisCount);
        if (keysFit)
            std::copy(keyList.begin(), keyList.end(), keys);
        if (axesFit)
            std::copy(axisList.begin(), axisList.end(), axes);
    });
}

int VORLAN_CALL vorlan_set_joystick_number(const char* device, int number) {
    return run(__func__, [&] { input().setJoystickNumber(text(device, "device"), number); });
}

int VORLAN_CALL vorlan_get_joystick_number(const char* device, int* number) {
    return run(__func__, [&] { required(number, "number") = input().getJoystickNumber(text(device, "device")); });
}

int VORLAN_CALL vorlan_ban_keyboard(int banned) {
    return run(__func__, [&] { input().banKeyboard(banned != 0); });
}

int VORLAN_CALL vorlan_ban_mouse(int banned) {
    return run(__func__, [&] { input().banMouse(banned != 0); });
}

// ---- Layers ----

int VORLAN_CALL vorlan_create_layer(const char* layer) {
    return run(__func__, [&] { input().createLayer(text(layer, "layer")); });
}

int VORLAN_CALL vorlan_set_default_layer(const char* layer) {
    return run(__func__, [&] { input().setDefaultLayer(text(layer, "layer")); });
}

int VORLAN_CALL vorlan_set_top_layer(const char* layer) {
    return run(__func__, [&] { input().setTopLayer(text(layer, "layer")); });
}

int VORLAN_CALL vorlan_set_default_layer_top(void) {
    return run(__func__, [] { input().setDefaultLayerTop(); });
}

int VORLAN_CALL vorlan_remove_layer(const char* layer) {
    return run(__func__, [&] { input().removeLayer(text(layer, "layer")); });
}

int VORLAN_CALL vorlan_remove_default_layer(void) {
    return run(__func__, [] { input().removeDefaultLayer(); });
}

int VORLAN_CALL vorlan_remove_all_layers(void) {
    return run(__func__, [] { input().removeAllLayers(); });
}

int VORLAN_CALL vorlan_get_layers_stack(char* buffer, int capacity, int* size, int* count) {
    return names(__func__, buffer, capacity, size, count, [](auto& list) { input().getLayersStack(list); });
}

// ---- Reformers and combos ----

int VORLAN_CALL vorlan_add_modifiers(const int32_t* codes, int count) {
    return run(__func__, [&] { input().addModifiers(codeSet(codes, count, "codes")); });
}

int VORLAN_CALL vorlan_add_switches(const int32_t* codes, int count) {
    return run(__func__, [&] { input().addSwitches(codeSet(codes, count, "codes")); });
}

int VORLAN_CALL vorlan_add_switch_group(const int32_t* codes, int count) {
    return run(__func__, [&] { input().addSwitchGroup(codeSet(codes, count, "codes")); });
}

// The facade has no clearReformers; the engine does, while initialised.
int VORLAN_CALL vorlan_clear_reformers(void) {
    return run(__func__, [] {
        if (BindingEngine* engine = Facade::engine())
            engine->clearReformers();
    });
}

int VORLAN_CALL vorlan_add_key_combo(const char* layer, int32_t key, const int32_t* reformers, int reformerCount,
                                     int32_t downCommand, int32_t pressedCommand, int32_t upCommand) {
    return run(__func__, [&] {
        input().addKeyCombo(text(layer, "layer"), key, codeSet(reformers, reformerCount, "reformers"), downCommand,
                            pressedCommand, upCommand);
    });
}

int VORLAN_CALL vorlan_add_axis_combo(const char* layer, int32_t axis, const int32_t* reformers, int reformerCount,
                                      int32_t command, const vorlan_filter_info* filter) {
    return run(__func__, [&] {
        input().addAxisCombo(text(layer, "layer"), axis, codeSet(reformers, reformerCount, "reformers"), command,
                             filterInfo(filter));
    });
}

// ---- Per-layer force feedback ----

int VORLAN_CALL vorlan_set_force_feedback(const char* layer, const char* device, double trimmer, double shake,
                                          int swapAxes) {
    return run(__func__, [&] {
        input().setForceFeedback(text(layer, "layer"), text(device, "device"), trimmer, shake, swapAxes != 0);
    });
}

int VORLAN_CALL vorlan_get_force_feedback(const char* device, int* present) {
    return run(__func__, [&] {
        int& result = required(present, "present");
        result = controller(device) != nullptr;
    });
}

// ---- A device's force-feedback controller ----

int VORLAN_CALL vorlan_has_condition_effect(const char* device, int* has) {
    return query(__func__, device, has, &ForceFeedback::hasConditionEffect);
}

int VORLAN_CALL vorlan_has_constant_force_effect(const char* device, int* has) {
    return query(__func__, device, has, &ForceFeedback::hasConstantForceEffect);
}

int VORLAN_CALL vorlan_has_periodic_effect(const char* device, int* has) {
    return query(__func__, device, has, &ForceFeedback::hasPeriodicEffect);
}

int VORLAN_CALL vorlan_set_condition_effect_gain(const char* device, double gain) {
    return control(__func__, device, &ForceFeedback::setConditionEffectGain, gain);
}

int VORLAN_CALL vorlan_set_constant_force_effect_gain(const char* device, double gain) {
    return control(__func__, device, &ForceFeedback::setConstantForceEffectGain, gain);
}

int VORLAN_CALL vorlan_set_periodic_effect_gain(const char* device, double gain) {
    return control(__func__, device, &ForceFeedback::setPeriodicEffectGain, gain);
}

int VORLAN_CALL vorlan_get_condition_effect_gain(const char* device, double* gain) {
    return query(__func__, device, gain, &ForceFeedback::getConditionEffectGain);
}

int VORLAN_CALL vorlan_get_constant_force_effect_gain(const char* device, double* gain) {
    return query(__func__, device, gain, &ForceFeedback::getConstantForceEffectGain);
}

int VORLAN_CALL vorlan_get_periodic_effect_gain(const char* device, double* gain) {
    return query(__func__, device, gain, &ForceFeedback::getPeriodicEffectGain);
}

int VORLAN_CALL vorlan_set_condition_effect(const char* device, double offsetX, double offsetY, double magnitudeX,
                                            double magnitudeY) {
    return control(__func__, device, &ForceFeedback::setConditionEffect, offsetX, offsetY, magnitudeX, magnitudeY);
}

int VORLAN_CALL vorlan_set_constant_force_effect(const char* device, const vorlan_axis_value* values, int count) {
    return run(__func__, [&] {
        const ForceFeedback::AxisValues map = axisValues(values, count);
        if (ForceFeedback* c = controller(device))
            c->setConstantForceEffect(map);
    });
}

int VORLAN_CALL vorlan_set_periodic_effect(const char* device, const vorlan_axis_value* values, int count,
                                           double frequency) {
    return run(__func__, [&] {
        const ForceFeedback::AxisValues map = axisValues(values, count);
        if (ForceFeedback* c = controller(device))
            c->setPeriodicEffect(map, frequency);
    });
}

int VORLAN_CALL vorlan_play_condition_effect(const char* device) {
    return control(__func__, device, &ForceFeedback::playConditionEffect);
}

int VORLAN_CALL vorlan_play_constant_force_effect(const char* device) {
    return control(__func__, device, &ForceFeedback::playConstantForceEffect);
}

int VORLAN_CALL vorlan_play_periodic_effect(const char* device) {
    return control(__func__, device, &ForceFeedback::playPeriodicEffect);
}

int VORLAN_CALL vorlan_stop_condition_effect(const char* device) {
    return control(__func__, device, &ForceFeedback::stopConditionEffect);
}

int VORLAN_CALL vorlan_stop_constant_force_effect(const char* device) {
    return control(__func__, device, &ForceFeedback::stopConstantForceEffect);
}

int VORLAN_CALL vorlan_stop_periodic_effect(const char* device) {
    return control(__func__, device, &ForceFeedback::stopPeriodicEffect);
}

int VORLAN_CALL vorlan_restore(const char* device) {
    return control(__func__, device, &ForceFeedback::restore);
}

int VORLAN_CALL vorlan_set_swap_axes(const char* device, int swap) {
    return control(__func__, device, &ForceFeedback::setSwapAxes, swap != 0);
}

int VORLAN_CALL vorlan_get_swap_axes(const char* device, int* swap) {
    return query(__func__, device, swap, &ForceFeedback::getSwapAxes);
}

// ---- Aircraft marker ----

int VORLAN_CALL vorlan_set_aircraft_marker(const char* marker) {
    return run(__func__, [&] { input().setAircraftMarker(text(marker, "marker")); });
}

int VORLAN_CALL vorlan_get_aircraft_marker(char* buffer, int capacity, int* size) {
    return run(__func__, [&] {
        const std::string& marker = input().getAircraftMarker();
        required(size, "size") = countOf(marker.size() + 1);
        if (fits(buffer, capacity, *size))
            std::memcpy(buffer, marker.c_str(), marker.size() + 1);
    });
}

// ---- Diagnostics ----

int VORLAN_CALL vorlan_enable_diagnostics(int on) {
    return run(__func__, [&] { Vorlan::enableDiagnostics(on != 0); });
}

int VORLAN_CALL vorlan_take_diagnostics(char* buffer, int capacity, int* size, int* count) {
    return guard(__func__, [&] {
        std::vector<std::string>& entries = waitingDiagnostics();
        for (const VorlanDiagnostic& d : Vorlan::takeDiagnostics()) {
            const std::string site = d.file.empty() ? "" : d.file + ":" + std::to_string(d.line) + ": ";
            entries.push_back(site + d.operation + ": " + d.text);
        }
        const int result = writeNames(entries, buffer, capacity, size, count);
        if (buffer)
            entries.clear();
        return result;
    });
}

// ---- Axis value scale ----

int VORLAN_CALL vorlan_get_axes_value_max(int32_t* max) {
    return run(__func__, [&] { required(max, "max") = Vorlan::getAxesValueMax(); });
}

int VORLAN_CALL vorlan_get_not_axes_value(int32_t* value) {
    return run(__func__, [&] { required(value, "value") = Vorlan::getNotAxesValue(); });
}

int VORLAN_CALL vorlan_is_axes_value(int32_t value, int* is) {
    return run(__func__, [&] { required(is, "is") = Vorlan::isAxesValue(value); });
}

// ---- Log ----

int VORLAN_CALL vorlan_enable_logging(int keyboard, int mouse, int joysticks) {
    return run(__func__, [&] { Vorlan::enableLogging(keyboard != 0, mouse != 0, joysticks != 0); });
}

int VORLAN_CALL vorlan_set_log_path(const char* path) {
    return run(__func__, [&] { Vorlan::setLogPath(text(path, "path")); });
}
