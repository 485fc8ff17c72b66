/* A host in C, built as the README shows with pkg-config: the library is the
   version its header names, and it starts on the session that VORLAN_REPLAY
   names and prints the devices found. */
#include <vorlan/VorlanC.h>
#include <vorlan/VorlanVersion.h>

#include <stdio.h>
#include <string.h>

int main(void) {
    int major = 0, minor = 0, patch = 0, size = 0, count = 0;
    char names[1024];
    const char* name = names;
    vorlan_version(&major, &minor, &patch);
    if (major != VORLAN_VERSION_MAJOR || minor != VORLAN_VERSION_MINOR || patch != VORLAN_VERSION_PATCH) {
        fprintf(stderr, "host: library %d.%d.%d, header %s\n", major, minor, patch, VORLAN_VERSION_STRING);
        return 1;
    }
    if (vorlan_initialize(NULL) != VORLAN_OK || vorlan_get_devices(names, sizeof names, &size, &count) != VORLAN_OK) {
        fprintf(stderr, "host: %s\n", vorlan_last_error());
        return 1;
    }
    for (; count > 0; --count, name += strlen(name) + 1)
        puts(name);
    return vorlan_uninitialize();
}
