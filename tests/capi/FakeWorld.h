#ifndef VORLAN_TESTS_CAPI_FAKEWORLD_H
#define VORLAN_TESTS_CAPI_FAKEWORLD_H

/* The fake DirectInput backend for the C test: a keyboard, a mouse and a
 * force-feedback stick, selected until fake_world_remove. */

#ifdef __cplusplus
extern "C" {
#endif

void fake_world_install(void);
void fake_world_remove(void);
/* The stick's device name. */
const char* fake_world_stick(void);

#ifdef __cplusplus
}
#endif

#endif
