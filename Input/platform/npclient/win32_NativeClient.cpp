#include "platform/npclient/NativeClient.h"

#include <windows.h>

namespace NPClient::Native {

Location locate(std::string& folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\NaturalPoint\\NATURALPOINT\\NPClient Location", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return Location::KeyMissing;

    // Whatever its type, the value is read as bytes into all but the last
    // byte of the buffer; one that does not fit fails with ERROR_MORE_DATA.
    char buffer[259];
    DWORD size = sizeof buffer - 1;
    const LONG read = RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || size > sizeof buffer - 1)
        return Location::ValueUnreadable;
    buffer[size] = '\0';
    folder = buffer;
    return Location::Found;
}

void* open(const std::string& folder) {
    return LoadLibraryA(libraryPath(folder, '\\', "NPClient.dll").c_str());
}

Symbol find(void* library, const char* name) {
    return reinterpret_cast<Symbol>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace NPClient::Native
