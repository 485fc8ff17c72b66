#ifndef VORLAN_LUA_BOUNDARY_H
#define VORLAN_LUA_BOUNDARY_H

#include <lua.hpp>

#include <cstddef>
#include <exception>
#include <string>
#include <type_traits>

// The crossing between Lua and C++. Lua built as C raises errors with longjmp,
// which skips C++ destructors, and a C++ exception must not unwind through
// Lua's C frames. So a wrapper reads its arguments into plain values first, runs
// the C++ work through guard(), which catches every exception, and raises a Lua
// error only when no C++ object that needs destroying is alive any more.

// A string argument: the pointer stays valid while the argument is on the stack.
struct Text {
    const char* data;
    std::size_t size;

    std::string str() const { return std::string(data, size); }
};

// Argument `arg` as a string (a number is converted in place); anything else
// raises "bad argument #arg to 'vorlan.function' (string expected, got ...)".
Text checkText(lua_State* L, int arg, const char* function);

// What the C++ side met, kept as plain data so that it may live across the
// longjmp of raise().
struct Failure {
    bool onStack = false;    // a Lua error object waits on top of the stack
    char message[4096];      // else the text of the caught exception (a session error names a path)

    void set(const char* text);
};

// Raises the failure as a Lua error; does not return.
int raise(lua_State* L, const Failure& failure);

// Runs work, catching every exception into failure; false when one was caught.
template <class Work>
bool guarded(Failure& failure, const Work& work) noexcept {
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        failure.set(e.what());
    } catch (...) {
        failure.set("unknown C++ exception");
    }
    return false;
}

// Runs work and raises a caught exception as a Lua error carrying its message.
// The work object itself stays alive during the raise, so it must need no
// destructor: capture plain values or references only.
template <class Work>
void guard(lua_State* L, const Work& work) {
    static_assert(std::is_trivially_destructible_v<Work>, "work must hold plain values only");
    Failure failure;
    if (!guarded(failure, work))
        raise(L, failure);
}

// Calls the builder function that the wrapper pushed before any C++ object
// existed, with data as a light userdata, in protected mode: a Lua error while
// building the results (out of memory) comes back as a failure instead of
// unwinding through the C++ frames that own data. On success the builder's
// results replace it on the stack.
bool build(lua_State* L, const void* data, Failure& failure);

#endif
