#include "facade/Module.h"

#include <windows.h>

// Process attach makes the instance, process detach destroys it; thread
// notifications do nothing. Every notification reports success.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        Module::attach();
    else if (reason == DLL_PROCESS_DETACH)
        Module::detach();
    return TRUE;
}
