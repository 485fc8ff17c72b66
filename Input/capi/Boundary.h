#ifndef VORLAN_CAPI_BOUNDARY_H
#define VORLAN_CAPI_BOUNDARY_H

#include "VorlanC.h"

#include <cstddef>
#include <exception>
#include <stdexcept>
#include <string>

// The crossing between the C interface and the C++ library. A C function runs
// its work through guard(), which turns every exception into a result code and
// the message that vorlan_last_error returns: no exception reaches the caller.
// Argument checks inside the work throw ArgumentError.
namespace CApi {

class ArgumentError : public std::invalid_argument {
public:
    ArgumentError(int code, const std::string& message) : std::invalid_argument(message), code(code) {}

    const int code;
};

// Keeps "function: message" (just message when function is null) as the last
// error and returns code.
int fail(int code, const char* function, const char* message) noexcept;
const char* lastError() noexcept;

// Runs work, which returns a result code.
template <class Work>
int guard(const char* function, const Work& work) noexcept {
    try {
        return work();
    } catch (const ArgumentError& e) {
        return fail(e.code, function, e.what());
    } catch (const std::exception& e) {
        return fail(VORLAN_ERROR_FAILURE, nullptr, e.what());
    } catch (...) {
        return fail(VORLAN_ERROR_FAILURE, nullptr, "unknown C++ exception");
    }
}

// The pointer, when it is not null.
template <class T>
T& required(T* pointer, const char* what) {
    if (!pointer)
        throw ArgumentError(VORLAN_ERROR_NULL_POINTER, std::string(what) + " is NULL");
    return *pointer;
}

// A string argument, when it is not null.
inline std::string text(const char* pointer, const char* what) { return &required(pointer, what); }

// Checks that count elements of elementSize bytes may lie at pointer: count
// not negative, pointer not null unless count is 0, and the range inside the
// address space.
void checkRange(const void* pointer, int count, std::size_t elementSize, const char* what);

template <class T>
void checkRange(const T* pointer, int count, const char* what) {
    checkRange(pointer, count, sizeof(T), what);
}

} // namespace CApi

#endif
