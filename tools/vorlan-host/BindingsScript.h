#ifndef VORLAN_HOST_BINDINGS_SCRIPT_H
#define VORLAN_HOST_BINDINGS_SCRIPT_H

#include <string>

struct lua_State;

// A Lua 5.1 state with the standard libraries, in which require "Vorlan"
// loads the very Vorlan library that this program is linked with, and which
// runs one bindings script. The script's print and trace write to standard
// error.
class BindingsScript {
public:
    BindingsScript();
    ~BindingsScript();
    BindingsScript(const BindingsScript&) = delete;
    BindingsScript& operator=(const BindingsScript&) = delete;

    // Runs the script file; false with a one-line message when it cannot be
    // loaded or raises an error.
    bool run(const std::string& path, std::string& failure);

private:
    lua_State* L;
};

#endif
