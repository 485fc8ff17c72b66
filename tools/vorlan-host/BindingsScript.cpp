#include "BindingsScript.h"

#include "Vorlan.h"
#include "lua/LuaGlobals.h"

#include <lua.hpp>

#include <algorithm>
#include <cstdio>
#include <dlfcn.h>
#include <new>

namespace {

// The module search pattern that finds the loaded Vorlan library itself:
// "/path/to/Vorlan.so" gives "/path/to/?.so".
std::string libraryPattern() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&getGlobalInput), &info) || !info.dli_fname)
        return "./?.so";
    const std::string file = info.dli_fname;
    const std::size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash);
    const std::string name = file.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::size_t dot = name.find('.');
    return folder + "/?" + (dot == std::string::npos ? "" : name.substr(dot));
}

// print(...) as Lua's own, but to standard error: standard output carries the
// actions only.
int printToError(lua_State* L) {
    const int count = lua_gettop(L);
    lua_getglobal(L, "tostring");
    for (int i = 1; i <= count; ++i) {
        lua_pushvalue(L, -1);
        lua_pushvalue(L, i);
        lua_call(L, 1, 1);
        size_t size = 0;
        const char* text = lua_tolstring(L, -1, &size);
        if (!text)
            return luaL_error(L, "'tostring' must return a string to 'print'");
        if (i > 1)
            std::fputc('\t', stderr);
        std::fwrite(text, 1, size, stderr);
        lua_pop(L, 1);
    }
    std::fputc('\n', stderr);
    return 0;
}

// The trace hook: the text of trace(text), one line on standard error.
int traceToError(lua_State* L) {
    size_t size = 0;
    const char* text = lua_tolstring(L, 1, &size);
    std::fwrite(text, 1, size, stderr);
    std::fputc('\n', stderr);
    return 0;
}

// The error on top of the stack as one line.
std::string errorText(lua_State* L) {
    const char* text = lua_tostring(L, -1);
    std::string message = text ? text : "error object is not a string";
    lua_pop(L, 1);
    std::replace(message.begin(), message.end(), '\n', ' ');
    return message;
}

} // namespace

BindingsScript::BindingsScript() : L(luaL_newstate()) {
    if (!L)
        throw std::bad_alloc();
    luaL_openlibs(L);
    lua_getglobal(L, "package");
    lua_pushstring(L, libraryPattern().c_str());
    lua_setfield(L, -2, "cpath");
    lua_pop(L, 1);
    lua_register(L, "print", printToError);
    lua_pushcfunction(L, traceToError);
    lua_setfield(L, LUA_REGISTRYINDEX, traceHook);
}

BindingsScript::~BindingsScript() { lua_close(L); }

bool BindingsScript::run(const std::string& path, std::string& failure) {
    if (luaL_loadfile(L, path.c_str()) != 0 || lua_pcall(L, 0, 0, 0) != 0) {
        failure = errorText(L);
        return false;
    }
    return true;
}
