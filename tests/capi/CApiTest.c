/* The C interface from a C program: neutral results before initialize, bad
 * arguments, a failed initialize, a replayed session (argv[1]) frame by frame
 * through small arrays, and devices and force feedback on the fake backend. */

#define _POSIX_C_SOURCE 200112L

#include "VorlanC.h"
#include "VorlanVersion.h"
#include "capi/FakeWorld.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int failures;

static void check(int ok, const char* what, int line) {
    if (!ok) {
        fprintf(stderr, "CApiTest.c:%d: failed: %s\n", line, what);
        ++failures;
    }
}
#define CHECK(condition) check((condition) != 0, #condition, __LINE__)
#define OK(call) CHECK((call) == VORLAN_OK)

enum { KEY_A = 0x1E, KEY_B = 0x30, KEY_LSHIFT = 0x2A, JOYSTICK_X = 4096 };

/* The controller functions, by shape. */
typedef int (*FlagQuery)(const char*, int*);
typedef int (*GainQuery)(const char*, double*);
typedef int (*GainSetter)(const char*, double);
typedef int (*Command)(const char*);
static const FlagQuery flagQueries[] = {vorlan_get_force_feedback, vorlan_has_condition_effect,
                                        vorlan_has_constant_force_effect, vorlan_has_periodic_effect,
                                        vorlan_get_swap_axes};
static const GainQuery gainQueries[] = {vorlan_get_condition_effect_gain, vorlan_get_constant_force_effect_gain,
                                        vorlan_get_periodic_effect_gain};
static const GainSetter gainSetters[] = {vorlan_set_condition_effect_gain, vorlan_set_constant_force_effect_gain,
                                         vorlan_set_periodic_effect_gain};
static const Command commands[] = {vorlan_play_condition_effect, vorlan_play_constant_force_effect,
                                   vorlan_play_periodic_effect,  vorlan_stop_condition_effect,
                                   vorlan_stop_constant_force_effect, vorlan_stop_periodic_effect,
                                   vorlan_restore};
#define COUNT(array) ((int)(sizeof(array) / sizeof(array[0])))

/* The actions of one vorlan_process call as "action@time" or "action=value@time", joined by blanks. */
static const char* take(int capacity, int expectedResult) {
    static char text[256];
    vorlan_action actions[8];
    int count = -1, i;
    CHECK(vorlan_process(actions, capacity, &count) == expectedResult);
    text[0] = '\0';
    for (i = 0; i < count; ++i) {
        char one[48];
        if (actions[i].has_value)
            sprintf(one, "%s%d=%d@%u", i ? " " : "", actions[i].action, actions[i].value, actions[i].time);
        else
            sprintf(one, "%s%d@%u", i ? " " : "", actions[i].action, actions[i].time);
        strcat(text, one);
    }
    return text;
}

/* A list of names as "a|b|c", through the two calls. */
typedef int (*NameList)(char*, int, int*, int*);
static const char* names(NameList list) {
    static char joined[256];
    char buffer[256];
    int size = -1, count = -1, i;
    char* name = buffer;
    OK(list(NULL, 0, &size, &count));
    CHECK(size >= 0 && size <= (int)sizeof buffer);
    OK(list(buffer, size, &size, &count));
    joined[0] = '\0';
    for (i = 0; i < count; name += strlen(name) + 1, ++i)
        strcat(strcat(joined, i ? "|" : ""), name);
    return joined;
}

static int contains(const char* text, const char* part) { return strstr(text, part) != NULL; }

static void neutralBeforeInitialize(void) {
    int major, minor, patch, flag = -1, number, keys = -1, axes = -1, size, i;
    int32_t max, notValue, codes[2] = {KEY_A, KEY_B};
    double gain = -1;
    char marker[8];

    CHECK(vorlan_version(&major, &minor, &patch) == VORLAN_OK && major == VORLAN_VERSION_MAJOR &&
          minor == VORLAN_VERSION_MINOR && patch == VORLAN_VERSION_PATCH);
    OK(vorlan_get_axes_value_max(&max));
    OK(vorlan_get_not_axes_value(&notValue));
    CHECK(max == 1073741823 && notValue == 2147483646);
    CHECK(vorlan_is_axes_value(-max, &flag) == VORLAN_OK && flag == 1);
    CHECK(vorlan_is_axes_value(notValue, &flag) == VORLAN_OK && flag == 0);
    OK(vorlan_enable_logging(1, 1, 1));
    OK(vorlan_set_log_path("capi-log.txt"));

    CHECK(strcmp(take(8, VORLAN_OK), "") == 0);
    CHECK(strcmp(names(vorlan_get_devices), "") == 0);
    CHECK(vorlan_get_device_type("Keyboard", &flag) == VORLAN_OK && flag == VORLAN_DEVICE_UNKNOWN);
    CHECK(vorlan_get_joystick_number("Stick", &number) == VORLAN_OK && number == -1);
    CHECK(vorlan_get_device_keys_axes("Mouse", NULL, 0, &keys, NULL, 0, &axes) == VORLAN_OK && keys == 0 && axes == 0);
    for (i = 0; i < COUNT(flagQueries); ++i, flag = -1)
        CHECK(flagQueries[i]("Stick", &flag) == VORLAN_OK && flag == 0);
    for (i = 0; i < COUNT(gainQueries); ++i, gain = -1)
        CHECK(gainQueries[i]("Stick", &gain) == VORLAN_OK && gain == 0.0);

    /* What needs the library initialised does nothing, successfully. */
    OK(vorlan_activate(1));
    OK(vorlan_restart_all_devices());
    OK(vorlan_set_joystick_number("Stick", 2));
    OK(vorlan_ban_keyboard(0));
    OK(vorlan_ban_mouse(0));
    OK(vorlan_add_modifiers(codes, 2));
    OK(vorlan_add_switches(NULL, 0));
    OK(vorlan_add_switch_group(codes, 2));
    OK(vorlan_clear_reformers());
    OK(vorlan_create_layer("base"));
    OK(vorlan_add_key_combo("base", KEY_A, NULL, 0, 1, 2, 3));
    OK(vorlan_add_axis_combo("base", JOYSTICK_X, NULL, 0, 40, NULL));
    OK(vorlan_set_default_layer("base"));
    OK(vorlan_set_default_layer_top());
    OK(vorlan_set_top_layer("base"));
    CHECK(strcmp(names(vorlan_get_layers_stack), "") == 0);
    OK(vorlan_remove_layer("base"));
    OK(vorlan_remove_default_layer());
    OK(vorlan_remove_all_layers());
    OK(vorlan_set_swap_axes("Stick", 1));
    OK(vorlan_set_condition_effect("Stick", 0, 0, 1, 1));
    for (i = 0; i < COUNT(gainSetters); ++i)
        OK(gainSetters[i]("Stick", 0.5));
    for (i = 0; i < COUNT(commands); ++i)
        OK(commands[i]("Stick"));

    /* The marker works at any time; its size counts the terminating zero. */
    OK(vorlan_set_aircraft_marker("F-16"));
    CHECK(vorlan_get_aircraft_marker(NULL, 0, &size) == VORLAN_OK && size == 5);
    CHECK(vorlan_get_aircraft_marker(marker, 4, &size) == VORLAN_ERROR_BUFFER_TOO_SMALL);
    CHECK(vorlan_get_aircraft_marker(marker, (int)sizeof marker, &size) == VORLAN_OK && strcmp(marker, "F-16") == 0);
}

/* A call that must fail with expected, leaving a message that starts with the function's name. */
static void expectError(int result, int expected, const char* call, int line) {
    const size_t nameLength = strcspn(call, "(");
    check(result == expected, call, line);
    check(strncmp(vorlan_last_error(), call, nameLength) == 0 && vorlan_last_error()[nameLength] == ':',
          vorlan_last_error(), line);
}
#define ERROR_CASE(call, expected) expectError((call), (expected), #call, __LINE__)

/* Every bad argument gives its code; nothing crashes. */
static void badArguments(void) {
    int value, size, count;
    int32_t codes[1] = {KEY_A};
    /* The last element of the address space: two codes from there would wrap around. */
    const int32_t* last = (const int32_t*)(UINTPTR_MAX - sizeof(int32_t) + 1);
    const vorlan_filter_info noPoints = {0, 1, 1, 0, 0, NULL, 2};
    const vorlan_axis_value values[1] = {{0, 0.5}};
    vorlan_action actions[1];
    char buffer[4];

    ERROR_CASE(vorlan_version(NULL, &value, &value), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_process(actions, 1, NULL), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_process(NULL, 1, &count), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_process(actions, -1, &count), VORLAN_ERROR_BAD_COUNT);
    ERROR_CASE(vorlan_create_layer(NULL), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_get_device_type("Keyboard", NULL), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_add_modifiers(NULL, 1), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_add_switches(codes, -1), VORLAN_ERROR_BAD_COUNT);
    ERROR_CASE(vorlan_add_switch_group(last, 2), VORLAN_ERROR_BAD_COUNT);
    ERROR_CASE(vorlan_add_key_combo("base", KEY_A, codes, -3, 1, 2, 3), VORLAN_ERROR_BAD_COUNT);
    ERROR_CASE(vorlan_add_axis_combo("base", 0, NULL, 0, 1, &noPoints), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_set_force_feedback("base", NULL, 0.5, 0.5, 0), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_set_periodic_effect("Stick", values, -1, 20), VORLAN_ERROR_BAD_COUNT);
    ERROR_CASE(vorlan_set_constant_force_effect(NULL, values, 1), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_get_periodic_effect_gain("Stick", NULL), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_get_devices(buffer, 4, NULL, &count), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_get_layers_stack(NULL, 4, &size, &count), VORLAN_ERROR_NULL_POINTER);
    ERROR_CASE(vorlan_get_aircraft_marker(buffer, -1, &size), VORLAN_ERROR_BAD_COUNT);
    ERROR_CASE(vorlan_set_log_path(NULL), VORLAN_ERROR_NULL_POINTER);
}

/* Without a session or a backend, Linux has no DirectInput: the library's message comes back. */
static void failedInitialize(void) {
    int count = -1;
    unsetenv("VORLAN_REPLAY");
    CHECK(vorlan_initialize(NULL) == VORLAN_ERROR_FAILURE);
    CHECK(contains(vorlan_last_error(), "set VORLAN_REPLAY=FILE"));
    CHECK(vorlan_process(NULL, 0, &count) == VORLAN_OK && count == 0);
}

static void replayedSession(const char* session) {
    const int32_t shift[1] = {KEY_LSHIFT}, switches[2] = {59, 60};
    const double curvature[1] = {0.0};
    const vorlan_filter_info half = {0.0, 1.0, 0.5, 0, 0, curvature, 1};
    int count;

    setenv("VORLAN_REPLAY", session, 1);
    OK(vorlan_initialize(NULL));
    CHECK(strcmp(names(vorlan_get_devices), "Keyboard|Flight Stick {0C3E5A70-7B41-11ef-8001-444553540000}") == 0);
    OK(vorlan_add_modifiers(shift, 1));
    OK(vorlan_add_switches(switches, 1));
    OK(vorlan_add_switch_group(switches, 2));
    OK(vorlan_create_layer("base"));
    OK(vorlan_create_layer(""));
    OK(vorlan_add_key_combo("base", KEY_A, NULL, 0, 1, 2, 3));
    OK(vorlan_add_key_combo("base", KEY_A, shift, 1, 21, 22, 23));
    OK(vorlan_add_key_combo("base", KEY_B, NULL, 0, 11, 12, 13));
    OK(vorlan_add_axis_combo("base", JOYSTICK_X, NULL, 0, 40, &half));
    OK(vorlan_set_top_layer("base"));
    OK(vorlan_set_top_layer(""));
    CHECK(strcmp(names(vorlan_get_layers_stack), "|base") == 0);
    /* Diagnostics: the size query keeps the entries for the call that writes them. */
    OK(vorlan_enable_diagnostics(1));
    OK(vorlan_set_top_layer("none"));
    OK(vorlan_enable_diagnostics(0));
    CHECK(strcmp(names(vorlan_take_diagnostics),
                 "setTopLayer: argument 1 (layer): no layer is named \"none\"; nothing was done") == 0);
    CHECK(strcmp(names(vorlan_take_diagnostics), "") == 0);
    OK(vorlan_activate(1));

    /* Frame 1 has five actions: handed out two at a time, then frame 2, then frame 3. */
    CHECK(strcmp(take(2, VORLAN_MORE_ACTIONS), "1@100 11@101") == 0);
    CHECK(strcmp(take(2, VORLAN_MORE_ACTIONS), "40=268435455@102 2@101") == 0);
    CHECK(strcmp(take(2, VORLAN_OK), "12@102") == 0);
    CHECK(strcmp(take(8, VORLAN_OK), "3@110 12@102") == 0);
    /* Frame 3's shift+A: a capacity of 0 keeps all three waiting. */
    CHECK(vorlan_process(NULL, 0, &count) == VORLAN_MORE_ACTIONS && count == 0);
    CHECK(strcmp(take(1, VORLAN_MORE_ACTIONS), "21@121") == 0);
    /* Actions still waiting go with uninitialize; a new run replays from frame 1. */
    OK(vorlan_uninitialize());
    CHECK(strcmp(take(8, VORLAN_OK), "") == 0);
    OK(vorlan_initialize(NULL));
    OK(vorlan_create_layer("base"));
    OK(vorlan_add_key_combo("base", KEY_A, NULL, 0, 1, 0, 0));
    OK(vorlan_set_top_layer("base"));
    OK(vorlan_clear_reformers());
    OK(vorlan_activate(1));
    CHECK(strcmp(take(8, VORLAN_OK), "1@100") == 0);
    OK(vorlan_activate(0));
    OK(vorlan_uninitialize());
    unsetenv("VORLAN_REPLAY");
}

static void fakeDevices(void) {
    const char* stick;
    const vorlan_axis_value push[2] = {{0, 0.3}, {4, -0.4}};
    int32_t keys[2], axes[8];
    int keyCount, axisCount, flag, number, i;
    double gain;

    fake_world_install();
    stick = fake_world_stick();
    OK(vorlan_initialize(NULL));
    CHECK(contains(names(vorlan_get_devices), "Keyboard|Mouse|Stick {"));
    CHECK(vorlan_get_device_type("Mouse", &flag) == VORLAN_OK && flag == VORLAN_DEVICE_MOUSE);
    CHECK(vorlan_get_device_keys_axes("Mouse", keys, 2, &keyCount, axes, 8, &axisCount) == VORLAN_OK &&
          keyCount == 2 && axisCount == 3 && keys[0] == 1036 && axes[2] == 1032);
    CHECK(vorlan_get_device_keys_axes("Mouse", keys, 1, &keyCount, axes, 8, &axisCount) ==
              VORLAN_ERROR_BUFFER_TOO_SMALL && keyCount == 2);
    OK(vorlan_set_joystick_number(stick, 3));
    OK(vorlan_restart_all_devices());
    CHECK(vorlan_get_joystick_number(stick, &number) == VORLAN_OK && number == 3);
    OK(vorlan_ban_keyboard(1));
    OK(vorlan_ban_mouse(1));

    /* The stick's controller, by name: present, with its three effects. */
    for (i = 0; i < 4; ++i)
        CHECK(flagQueries[i](stick, &flag) == VORLAN_OK && flag == 1);
    for (i = 0; i < COUNT(gainSetters); ++i)
        OK(gainSetters[i](stick, 0.25 * (i + 1)));
    for (i = 0; i < COUNT(gainQueries); ++i)
        CHECK(gainQueries[i](stick, &gain) == VORLAN_OK && gain == 0.25 * (i + 1));
    OK(vorlan_set_condition_effect(stick, 0.1, -0.1, 0.5, 0.5));
    OK(vorlan_set_constant_force_effect(stick, push, 2));
    OK(vorlan_set_periodic_effect(stick, push, 2, 20));
    for (i = 0; i < COUNT(commands); ++i)
        OK(commands[i](stick));
    OK(vorlan_set_swap_axes(stick, 1));
    CHECK(vorlan_get_swap_axes(stick, &flag) == VORLAN_OK && flag == 1);

    /* A layer's settings reach the stick when the layer is raised, and leave with it (gains that
       are binary fractions, so that x87 arithmetic on 32-bit builds compares them exactly). */
    OK(vorlan_set_default_layer("flight"));
    OK(vorlan_set_force_feedback("flight", stick, 0.75, 0.25, 0));
    OK(vorlan_set_default_layer_top());
    CHECK(vorlan_get_condition_effect_gain(stick, &gain) == VORLAN_OK && gain == 0.75);
    CHECK(vorlan_get_swap_axes(stick, &flag) == VORLAN_OK && flag == 0);
    OK(vorlan_remove_default_layer());
    CHECK(vorlan_get_periodic_effect_gain(stick, &gain) == VORLAN_OK && gain == 0.0);
    OK(vorlan_remove_layer("none"));
    OK(vorlan_remove_all_layers());

    OK(vorlan_uninitialize());
    fake_world_remove();
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: CApiTest SESSION.jsonl\n");
        return 2;
    }
    neutralBeforeInitialize();
    badArguments();
    failedInitialize();
    replayedSession(argv[1]);
    fakeDevices();
    printf("CApiTest: %d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
