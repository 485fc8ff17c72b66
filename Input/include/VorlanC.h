#ifndef VORLAN_C_H
#define VORLAN_C_H

/*
 * The library's C interface: plain C99, callable from C, from any compiler's
 * C++ and from any language's foreign-function interface. Each function wraps
 * one operation of the C++ facade and behaves as that operation does.
 *
 * Conventions
 * - Every function except vorlan_last_error returns a result code: VORLAN_OK
 *   (0) on success, a negative VORLAN_ERROR_* when it did nothing because of a
 *   bad argument or a failure. What the library refuses silently (an unknown
 *   layer or device name, a duplicate combo, an undeclared reformer) is a
 *   success: nothing changes. Before vorlan_initialize (and after
 *   vorlan_uninitialize) the functions succeed with a neutral result: no
 *   actions, empty lists, device type 0, joystick number -1, gains 0.
 * - Strings are zero-terminated. Flags are ints: 0 is false, anything else true.
 * - Pointer and count pairs (code sets, curvature points, axis values) may be
 *   NULL with a count of 0. A negative count, or one whose range runs past the
 *   end of the address space, gives VORLAN_ERROR_BAD_COUNT; a NULL pointer
 *   where something is needed gives VORLAN_ERROR_NULL_POINTER.
 * - Lists come back in caller buffers, sizes counted in elements. The needed
 *   size is always reported; when the buffer is smaller, nothing is written and
 *   the result is VORLAN_ERROR_BUFFER_TOO_SMALL, except for a size query: a
 *   NULL buffer with capacity 0 succeeds. Several names share one buffer one
 *   after another, each followed by its terminating zero; the size counts the
 *   characters with every terminator, and the count says how many names there
 *   are (a name may be empty).
 * - A failed call leaves its message for vorlan_last_error. No C++ exception
 *   leaves a function. Call the library from one thread at a time.
 */

#include <stdint.h>

#if defined(_WIN32)
#  if defined(VORLAN_BUILD)
#    define VORLAN_C_API __declspec(dllexport)
#  else
#    define VORLAN_C_API __declspec(dllimport)
#  endif
/* The C calling convention, also on 32-bit Windows where a host may default to another. */
#  define VORLAN_CALL __cdecl
#elif defined(__GNUC__)
#  define VORLAN_C_API __attribute__((visibility("default")))
#  define VORLAN_CALL
#else
#  define VORLAN_C_API
#  define VORLAN_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Result codes ---- */

#define VORLAN_OK 0
/* vorlan_process only: success, and more of the frame's actions wait for the next call. */
#define VORLAN_MORE_ACTIONS 1
#define VORLAN_ERROR_NULL_POINTER (-1)
#define VORLAN_ERROR_BAD_COUNT (-2)
#define VORLAN_ERROR_BUFFER_TOO_SMALL (-3)
/* The library failed (DirectInput could not be made, out of memory); see vorlan_last_error. */
#define VORLAN_ERROR_FAILURE (-4)

/* ---- Records ---- */

/* One action handed to the host. */
typedef struct vorlan_action {
    int32_t action;    /* host command number, always greater than 0 */
    int32_t value;     /* the axis value of an axis action, else 0 */
    int32_t has_value; /* 1 for an axis action, 0 for a key action */
    int32_t absolute;  /* 1 when value is a position, 0 when it is a change (mouse motion) */
    uint32_t time;     /* milliseconds */
    uint32_t device;   /* the code block base of the device: 0 keyboard, 1024 mouse, ... */
} vorlan_action;

/*
 * An axis filter's description. The plain description is deadzone 0,
 * saturation_x 1, saturation_y 1, slider 0, invert 0 and the one curvature
 * point 0.0: it makes no filter. One point bends an exponential curve, two or
 * more are the points of a spline; no points at all count as the one point 0.0.
 */
typedef struct vorlan_filter_info {
    double deadzone;
    double saturation_x;
    double saturation_y;
    int slider;
    int invert;
    const double* curvature;
    int curvature_count;
} vorlan_filter_info;

/* One axis's share of a force, by the axis's data offset (0 for X, 4 for Y), in -1..1. */
typedef struct vorlan_axis_value {
    uint32_t axis;
    double value;
} vorlan_axis_value;

/* Device kinds of vorlan_get_device_type. */
#define VORLAN_DEVICE_UNKNOWN 0
#define VORLAN_DEVICE_KEYBOARD 1
#define VORLAN_DEVICE_MOUSE 2
#define VORLAN_DEVICE_JOYSTICK 3
#define VORLAN_DEVICE_TRACKIR 4

/* ---- Version and errors ---- */

VORLAN_C_API int VORLAN_CALL vorlan_version(int* major, int* minor, int* patch);
/* The message of the last failed call (never NULL; empty before any failure). */
VORLAN_C_API const char* VORLAN_CALL vorlan_last_error(void);

/* ---- Lifecycle and frame ---- */

/* window: the host window (an HWND on Windows). Does nothing when already initialised. */
VORLAN_C_API int VORLAN_CALL vorlan_initialize(void* window);
/* Actions still waiting for vorlan_process are dropped. */
VORLAN_C_API int VORLAN_CALL vorlan_uninitialize(void);
/*
 * Writes up to capacity actions into actions and their number into *count.
 * When the frame has more actions than fit, it returns VORLAN_MORE_ACTIONS:
 * the next call hands out the waiting ones, in order, without collecting a new
 * frame. Only a call that finds nothing waiting collects a frame.
 */
VORLAN_C_API int VORLAN_CALL vorlan_process(vorlan_action* actions, int capacity, int* count);
VORLAN_C_API int VORLAN_CALL vorlan_activate(int active);
/* Whether joysticks deliver where their controls stand when acquired (see Vorlan::setInitialState). */
VORLAN_C_API int VORLAN_CALL vorlan_set_initial_state(int on);

/* ---- Devices, by name ---- */

VORLAN_C_API int VORLAN_CALL vorlan_restart_all_devices(void);
VORLAN_C_API int VORLAN_CALL vorlan_get_devices(char* names, int capacity, int* size, int* count);
VORLAN_C_API int VORLAN_CALL vorlan_get_device_type(const char* device, int* type);
/* Both lists at once; *key_count and *axis_count receive the sizes needed. */
VORLAN_C_API int VORLAN_CALL vorlan_get_device_keys_axes(const char* device, int32_t* keys, int key_capacity,
                                                         int* key_count, int32_t* axes, int axis_capacity,
                                                         int* axis_count);
VORLAN_C_API int VORLAN_CALL vorlan_set_joystick_number(const char* device, int number);
VORLAN_C_API int VORLAN_CALL vorlan_get_joystick_number(const char* device, int* number);
VORLAN_C_API int VORLAN_CALL vorlan_ban_keyboard(int banned);
VORLAN_C_API int VORLAN_CALL vorlan_ban_mouse(int banned);

/* ---- Layers ---- */

VORLAN_C_API int VORLAN_CALL vorlan_create_layer(const char* layer);
VORLAN_C_API int VORLAN_CALL vorlan_set_default_layer(const char* layer);
VORLAN_C_API int VORLAN_CALL vorlan_set_top_layer(const char* layer);
VORLAN_C_API int VORLAN_CALL vorlan_set_default_layer_top(void);
VORLAN_C_API int VORLAN_CALL vorlan_remove_layer(const char* layer);
VORLAN_C_API int VORLAN_CALL vorlan_remove_default_layer(void);
VORLAN_C_API int VORLAN_CALL vorlan_remove_all_layers(void);
/* The stacked layers' names, top first. */
VORLAN_C_API int VORLAN_CALL vorlan_get_layers_stack(char* names, int capacity, int* size, int* count);

/* ---- Reformers and combos ---- */

VORLAN_C_API int VORLAN_CALL vorlan_add_modifiers(const int32_t* codes, int count);
VORLAN_C_API int VORLAN_CALL vorlan_add_switches(const int32_t* codes, int count);
VORLAN_C_API int VORLAN_CALL vorlan_add_switch_group(const int32_t* codes, int count);
/* Forgets the declared modifiers and switches and their state; switch groups stay. */
VORLAN_C_API int VORLAN_CALL vorlan_clear_reformers(void);
VORLAN_C_API int VORLAN_CALL vorlan_add_key_combo(const char* layer, int32_t key, const int32_t* reformers,
                                                  int reformer_count, int32_t down_command,
                                                  int32_t pressed_command, int32_t up_command);
/* filter may be NULL: no filter. */
VORLAN_C_API int VORLAN_CALL vorlan_add_axis_combo(const char* layer, int32_t axis, const int32_t* reformers,
                                                   int reformer_count, int32_t command,
                                                   const vorlan_filter_info* filter);

/* ---- Per-layer force feedback ---- */

/* Records a setting; the layer operations apply it. */
VORLAN_C_API int VORLAN_CALL vorlan_set_force_feedback(const char* layer, const char* device, double trimmer,
                                                       double shake, int swap_axes);
/* *present: 1 when the device has a force-feedback controller, which the functions below reach. */
VORLAN_C_API int VORLAN_CALL vorlan_get_force_feedback(const char* device, int* present);

/* ---- A device's force-feedback controller, by device name ----
 * On a device without a controller, or an effect that does not exist, they
 * do nothing; queries give 0. Gains lie in 0..1, offsets in -1..1. */

VORLAN_C_API int VORLAN_CALL vorlan_has_condition_effect(const char* device, int* has);
VORLAN_C_API int VORLAN_CALL vorlan_has_constant_force_effect(const char* device, int* has);
VORLAN_C_API int VORLAN_CALL vorlan_has_periodic_effect(const char* device, int* has);
VORLAN_C_API int VORLAN_CALL vorlan_set_condition_effect_gain(const char* device, double gain);
VORLAN_C_API int VORLAN_CALL vorlan_set_constant_force_effect_gain(const char* device, double gain);
VORLAN_C_API int VORLAN_CALL vorlan_set_periodic_effect_gain(const char* device, double gain);
VORLAN_C_API int VORLAN_CALL vorlan_get_condition_effect_gain(const char* device, double* gain);
VORLAN_C_API int VORLAN_CALL vorlan_get_constant_force_effect_gain(const char* device, double* gain);
VORLAN_C_API int VORLAN_CALL vorlan_get_periodic_effect_gain(const char* device, double* gain);
VORLAN_C_API int VORLAN_CALL vorlan_set_condition_effect(const char* device, double offset_x, double offset_y,
                                                         double magnitude_x, double magnitude_y);
/* An axis given twice takes its last value; an axis left out keeps its value. */
VORLAN_C_API int VORLAN_CALL vorlan_set_constant_force_effect(const char* device, const vorlan_axis_value* values,
                                                              int count);
VORLAN_C_API int VORLAN_CALL vorlan_set_periodic_effect(const char* device, const vorlan_axis_value* values,
                                                        int count, double frequency);
VORLAN_C_API int VORLAN_CALL vorlan_play_condition_effect(const char* device);
VORLAN_C_API int VORLAN_CALL vorlan_play_constant_force_effect(const char* device);
VORLAN_C_API int VORLAN_CALL vorlan_play_periodic_effect(const char* device);
VORLAN_C_API int VORLAN_CALL vorlan_stop_condition_effect(const char* device);
VORLAN_C_API int VORLAN_CALL vorlan_stop_constant_force_effect(const char* device);
VORLAN_C_API int VORLAN_CALL vorlan_stop_periodic_effect(const char* device);
/* Starts again every effect that was playing. */
VORLAN_C_API int VORLAN_CALL vorlan_restore(const char* device);
VORLAN_C_API int VORLAN_CALL vorlan_set_swap_axes(const char* device, int swap);
VORLAN_C_API int VORLAN_CALL vorlan_get_swap_axes(const char* device, int* swap);

/* ---- Aircraft marker: a string the host stores and reads back ---- */

VORLAN_C_API int VORLAN_CALL vorlan_set_aircraft_marker(const char* marker);
/* *size receives the characters needed, the terminating zero included. */
VORLAN_C_API int VORLAN_CALL vorlan_get_aircraft_marker(char* marker, int capacity, int* size);

/* ---- Axis value scale: values lie in -max..+max; any time ---- */

VORLAN_C_API int VORLAN_CALL vorlan_get_axes_value_max(int32_t* max);
/* A marker outside the scale for "not an axis value". */
VORLAN_C_API int VORLAN_CALL vorlan_get_not_axes_value(int32_t* value);
VORLAN_C_API int VORLAN_CALL vorlan_is_axes_value(int32_t value, int* is);

/* ---- Diagnostics: any time ---- */

/* While on, the library notes every operation that it refuses or that reads a
 * degraded argument (an unknown layer or device name, an undeclared reformer,
 * a duplicate combo, ...). Off by default. */
VORLAN_C_API int VORLAN_CALL vorlan_enable_diagnostics(int on);
/* The entries noted since the last take, oldest first, as names (see
 * Conventions): "FILE:LINE: operation: text" for a call from a script,
 * "operation: text" otherwise. Only the call that writes them empties the
 * list: a size query or a buffer too small keeps them for the next call. */
VORLAN_C_API int VORLAN_CALL vorlan_take_diagnostics(char* entries, int capacity, int* size, int* count);

/* ---- Log: any time ---- */

VORLAN_C_API int VORLAN_CALL vorlan_enable_logging(int keyboard, int mouse, int joysticks);
/* Later entries go to this file; the earlier one is left as it is. */
VORLAN_C_API int VORLAN_CALL vorlan_set_log_path(const char* path);

#ifdef __cplusplus
}
#endif

#endif
