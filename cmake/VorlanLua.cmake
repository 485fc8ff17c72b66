# Lua 5.1 and tolua++ for the Lua module: the interface library VorlanLuaLibs
# carries their headers and the libraries to link.
#
# The headers are Debian's plain C headers, which the MinGW cross builds use
# too. tolua++.h lies in /usr/include, which a cross build must not search, so
# it is copied into a folder of its own.
set(VORLAN_LUA_INCLUDE_DIR /usr/include/lua5.1 CACHE PATH "Folder of the Lua 5.1 headers")
set(VORLAN_TOLUA_HEADER /usr/include/tolua++.h CACHE FILEPATH "The tolua++ header")
configure_file(${VORLAN_TOLUA_HEADER} ${CMAKE_BINARY_DIR}/tolua/tolua++.h COPYONLY)

add_library(VorlanLuaLibs INTERFACE)
target_include_directories(VorlanLuaLibs SYSTEM INTERFACE ${VORLAN_LUA_INCLUDE_DIR} ${CMAKE_BINARY_DIR}/tolua)

if(WIN32)
  # On Windows the host provides Lua and tolua++ as DLLs. The module links
  # import libraries for them, made here from definition files that list
  # exactly the functions it calls (cdecl, so plain names).
  set(VORLAN_LUA_DLL lua5.1.dll CACHE STRING "Name of the DLL that provides Lua 5.1")
  set(VORLAN_TOLUA_DLL tolua++.dll CACHE STRING "Name of the DLL that provides tolua++")
  if(NOT CMAKE_DLLTOOL)
    message(FATAL_ERROR "dlltool is needed to make the Lua import libraries")
  endif()
  set(imports)
  function(vorlan_import_library name dll)
    set(lib ${CMAKE_BINARY_DIR}/imports/lib${name}.dll.a)
    set(def ${PROJECT_SOURCE_DIR}/Input/lua/${name}.def)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/imports
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
  find_library(VORLAN_LUA_LIBRARY lua5.1 REQUIRED)
  find_library(VORLAN_TOLUA_LIBRARY tolua++5.1 REQUIRED)
  target_link_libraries(VorlanLuaLibs INTERFACE ${VORLAN_TOLUA_LIBRARY} ${VORLAN_LUA_LIBRARY})
  # Debian's tolua++ is an archive linked into the library; its functions are
  # not part of what the library exports.
  get_filename_component(tolua_archive ${VORLAN_TOLUA_LIBRARY} NAME)
  target_link_options(VorlanLuaLibs INTERFACE -Wl,--exclude-libs,${tolua_archive})
endif()
