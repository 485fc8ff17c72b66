# What a host uses: the exported headers as <vorlan/Vorlan.h>, the target
# Vorlan::Vorlan (from this tree through add_subdirectory, or installed through
# find_package), vorlan.pc for pkg-config, and the Lua module.
include(CMakePackageConfigHelpers)

# The exported headers, the generated ones in the build's include/ folder too,
# gathered under vorlan/ as a host includes them.
file(GLOB VORLAN_EXPORTED_HEADERS CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/Input/include/*.h ${PROJECT_BINARY_DIR}/include/*.h)
set(VORLAN_HOST_INCLUDE ${PROJECT_BINARY_DIR}/host-include)
foreach(header IN LISTS VORLAN_EXPORTED_HEADERS)
  get_filename_component(name ${header} NAME)
  configure_file(${header} ${VORLAN_HOST_INCLUDE}/vorlan/${name} COPYONLY)
endforeach()
target_include_directories(Vorlan INTERFACE
  $<BUILD_INTERFACE:${VORLAN_HOST_INCLUDE}> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS Vorlan EXPORT VorlanTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${VORLAN_HOST_INCLUDE}/vorlan DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(VORLAN_LIBGCC_DLL)
  # The 32-bit MinGW DLL's shared libgcc goes beside it.
  install(FILES ${VORLAN_LIBGCC_DLL} DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(config_folder ${CMAKE_INSTALL_LIBDIR}/cmake/Vorlan)
install(EXPORT VorlanTargets NAMESPACE Vorlan:: DESTINATION ${config_folder})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VorlanConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/VorlanConfig.cmake ${PROJECT_BINARY_DIR}/VorlanConfigVersion.cmake
        DESTINATION ${config_folder})

# vorlan.pc finds the prefix from its own place, so that an installed tree
# can be moved. The library has no "lib" prefix, so it is linked by file name.
set(pkgconfig_folder ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH VORLAN_PC_PREFIX /${pkgconfig_folder} /)
string(REGEX REPLACE "/$" "" VORLAN_PC_PREFIX "${VORLAN_PC_PREFIX}")
if(WIN32)
  set(VORLAN_PC_LIBRARY -lVorlan)
else()
  set(VORLAN_PC_LIBRARY -l:$<TARGET_FILE_NAME:Vorlan>)
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/vorlan.pc.in ${PROJECT_BINARY_DIR}/vorlan.pc.in @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/vorlan.pc INPUT ${PROJECT_BINARY_DIR}/vorlan.pc.in)
install(FILES ${PROJECT_BINARY_DIR}/vorlan.pc DESTINATION ${pkgconfig_folder})

# The Lua module is the library itself: lua5.1 finds it through a link in its
# module folder, so that a host that links the library and requires the
# module gets one instance. On Windows the DLL beside the host is the module.
if(NOT WIN32)
  set(lua_default lib/lua/5.1)
  if(CMAKE_LIBRARY_ARCHITECTURE)
    set(lua_default lib/${CMAKE_LIBRARY_ARCHITECTURE}/lua/5.1)
  endif()
  set(VORLAN_LUA_MODULE_DIR ${lua_default} CACHE PATH "Folder, relative to the install prefix, where lua5.1 finds modules")
  if(NOT VORLAN_LUA_MODULE_DIR STREQUAL CMAKE_INSTALL_LIBDIR)
    file(RELATIVE_PATH library /${VORLAN_LUA_MODULE_DIR} /${CMAKE_INSTALL_LIBDIR}/Vorlan.so)
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/lua-module)
    file(CREATE_LINK ${library} ${PROJECT_BINARY_DIR}/lua-module/Vorlan.so SYMBOLIC)
    install(FILES ${PROJECT_BINARY_DIR}/lua-module/Vorlan.so DESTINATION ${VORLAN_LUA_MODULE_DIR})
  endif()
endif()

install(FILES README.md LICENSE CHANGELOG.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR})
