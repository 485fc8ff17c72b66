#include "capi/Boundary.h"

#include <cstdint>
#include <cstdio>

namespace CApi {

namespace {

// Plain storage: keeping a message must not fail. Long messages are cut.
char lastErrorText[4096];

} // namespace

int fail(int code, const char* function, const char* message) noexcept {
    if (function)
        std::snprintf(lastErrorText, sizeof lastErrorText, "%s: %s", function, message);
    else
        std::snprintf(lastErrorText, sizeof lastErrorText, "%s", message);
    return code;
}

const char* lastError() noexcept { return lastErrorText; }

void checkRange(const void* pointer, int count, std::size_t elementSize, const char* what) {
    const std::string name = what;
    if (count < 0)
        throw ArgumentError(VORLAN_ERROR_BAD_COUNT, name + " count " + std::to_string(count) + " is negative");
    if (!pointer) {
        if (count > 0)
            throw ArgumentError(VORLAN_ERROR_NULL_POINTER, name + " is NULL with a count of " + std::to_string(count));
        return;
    }
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(pointer);
    if (static_cast<std::uintptr_t>(count) > (UINTPTR_MAX - start) / elementSize)
        throw ArgumentError(VORLAN_ERROR_BAD_COUNT,
                            name + " count " + std::to_string(count) + " runs past the end of the address space");
}

} // namespace CApi
