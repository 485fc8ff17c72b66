#include "platform/npclient/NativeClient.h"

#include <dlfcn.h>

#include <cstdlib>

namespace NPClient::Native {

Location locate(std::string& folder) {
    const char* configured = std::getenv("VORLAN_NPCLIENT_PATH");
    if (!configured)
        return Location::KeyMissing;
    folder = configured;
    return Location::Found;
}

void* open(const std::string& folder) {
    return dlopen(libraryPath(folder, '/', "NPClient.so").c_str(), RTLD_NOW | RTLD_LOCAL);
}

Symbol find(void* library, const char* name) { return reinterpret_cast<Symbol>(dlsym(library, name)); }

} // namespace NPClient::Native
