#include "BindingsScript.h"

#include "Vorlan.h"

#include <lua.hpp>

#include <algorithm>
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
}

BindingsScript::~BindingsScript() { lua_close(L); }

bool BindingsScript::run(const std::string& path, std::string& failure) {
    if (luaL_loadfile(L, path.c_str()) != 0 || lua_pcall(L, 0, 0, 0) != 0) {
        failure = errorText(L);
        return false;
    }
    return true;
}
