# Lua 5.1 and tolua++ for the Lua module: the interface library VorlanLuaLibs
# carries their headers and the libraries to link.
#
# Builds find both through CMake; LUA_INCLUDE_DIR, LUA_LIBRARY,
# TOLUA_INCLUDE_DIR and TOLUA_LIBRARY can be set in the cache. The MinGW
# builds take the building machine's plain C headers, searched outside the
# cross root, and link import libraries made below.
if(MINGW)
  find_path(LUA_INCLUDE_DIR lua.h PATHS /usr/include PATH_SUFFIXES lua5.1 NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  find_path(TOLUA_INCLUDE_DIR tolua++.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
else()
  find_package(Lua 5.1 EXACT REQUIRED)
  find_path(TOLUA_INCLUDE_DIR tolua++.h REQUIRED)
endif()

# tolua++.h may lie in a folder that must not be searched as a whole (on
# Debian /usr/include), so it is copied into a folder of its own.
configure_file(${TOLUA_INCLUDE_DIR}/tolua++.h ${PROJECT_BINARY_DIR}/tolua/tolua++.h COPYONLY)

add_library(VorlanLuaLibs INTERFACE)
target_include_directories(VorlanLuaLibs SYSTEM INTERFACE ${LUA_INCLUDE_DIR} ${PROJECT_BINARY_DIR}/tolua)

if(MINGW)
  # The host provides Lua and tolua++ as DLLs. The module links import
  # libraries for them, made here from definition files that list exactly the
  # functions it calls (cdecl, so plain names).
  set(VORLAN_LUA_DLL lua5.1.dll CACHE STRING "Name of the DLL that provides Lua 5.1")
  set(VORLAN_TOLUA_DLL tolua++.dll CACHE STRING "Name of the DLL that provides tolua++")
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "dlltool is needed to make the Lua import libraries")
  endif()
  set(imports)
  function(vorlan_import_library name dll)
    set(lib ${PROJECT_BINARY_DIR}/imports/lib${name}.dll.a)
    set(def ${PROJECT_SOURCE_DIR}/Input/lua/${name}.def)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/imports
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll} --output-lib ${lib}
      DEPENDS ${def}
      COMMENT "Import library for ${dll}"
      VERBATIM)
    set(imports ${imports} ${lib} PARENT_SCOPE)
  endfunction()
  vorlan_import_library(lua5.1 ${VORLAN_LUA_DLL})
  vorlan_import_library(tolua++ ${VORLAN_TOLUA_DLL})
  add_custom_target(VorlanLuaImports DEPENDS ${imports})
  add_dependencies(VorlanLuaLibs VorlanLuaImports)
  target_link_libraries(VorlanLuaLibs INTERFACE ${imports})
else()
  find_library(TOLUA_LIBRARY NAMES tolua++5.1 tolua++ REQUIRED)
  target_link_libraries(VorlanLuaLibs INTERFACE ${TOLUA_LIBRARY} ${LUA_LIBRARIES})
  if(NOT WIN32)
    # Debian's tolua++ is an archive linked into the library; its functions
    # are not part of what the library exports.
    get_filename_component(tolua_archive ${TOLUA_LIBRARY} NAME)
    target_link_options(VorlanLuaLibs INTERFACE -Wl,--exclude-libs,${tolua_archive})
  endif()
endif()
