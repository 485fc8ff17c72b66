#ifndef VORLAN_LUA_SCRIPTDIAGNOSTICS_H
#define VORLAN_LUA_SCRIPTDIAGNOSTICS_H

#include "core/Diagnostics.h"

#include <lua.hpp>

#include <initializer_list>
#include <optional>
#include <string>

// While diagnostics are on, a wrapper's call notes the arguments that the
// module reads degraded, and stamps every entry noted during the call with
// the script's file and line of the call. Uses raw Lua reads only, which
// raise no error, so it may run inside guarded work.

// How the module reads an argument, and so what it degrades to.
enum class ArgumentKind {
    Text,     // checked when read: a wrong type raises an error
    Integer,  // read as 0 unless a number
    Boolean,  // nil reads as false
    CodeSet,  // read as an empty set unless a table; elements as integers
    Window,   // optional; anything but a light userdata is no window
};

struct Argument {
    const char* name;
    ArgumentKind kind;
};

// Arguments 1, 2, ... of a wrapper, by position.
using Arguments = std::initializer_list<Argument>;

class ScriptCall {
public:
    ScriptCall(lua_State* L, const char* operation, Arguments arguments);

    bool noting() const { return site.has_value(); }
    // The optional filter table at `index` (argument 5 of addAxisCombo), whose
    // six fields were pushed from `fields` on; `given` tells whether the
    // script passed the argument at all.
    void noteFilter(int index, int fields, bool given) const;

private:
    void noteArgument(int position, const Argument& argument) const;
    // "<what> is nil, read as <reading>", for the value at `index`.
    void noteRead(const std::string& what, int index, const char* reading) const;
    // Notes the elements 1 to n of the array that are no numbers, each as
    // `what` and its number; returns n.
    int noteElements(int array, const std::string& what) const;
    void noteCurvature(const std::string& what, int curvature) const;

    lua_State* L;
    const char* operation;
    std::optional<Diagnostics::SiteScope> site;
};

#endif
