# One way a host uses the library, checked from outside as a user would go:
#   MODE     install, find_package, add_subdirectory, pkg-config or luarocks
#   SOURCE   Vorlan's sources         BUILD   the build to install (install)
#   STAGE    the staged install       LIBDIR  its library folder, relative
#   WORK     this test's folder       CC, CXX, FLAGS  compilers, their extra flags
# A host runs on examples/session.jsonl and must print the session's devices:
# host.cpp through CMake, host.c through pkg-config.
set(ENV{VORLAN_REPLAY} ${SOURCE}/examples/session.jsonl)
unset(ENV{VORLAN_RECORD})

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${MODE}: ${command} failed (${status}):\n${out}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(check_host program)
  run(${program})
  if(NOT out MATCHES "^Keyboard\n.*TrackIR\n$")
    message(FATAL_ERROR "${MODE}: the host printed other devices than the session's:\n${out}")
  endif()
endfunction()

function(build_host)
  run(${CMAKE_COMMAND} -S ${SOURCE}/tests/consumers/host -B ${WORK}/build
      -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${FLAGS}" ${ARGN})
  run(${CMAKE_COMMAND} --build ${WORK}/build -j 2 --target host)
  check_host(${WORK}/build/host)
endfunction()

file(MAKE_DIRECTORY ${WORK})
if(MODE STREQUAL "install")
  file(REMOVE_RECURSE ${STAGE})
  run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${STAGE})
elseif(MODE STREQUAL "find_package")
  build_host(-DCMAKE_PREFIX_PATH=${STAGE})
elseif(MODE STREQUAL "add_subdirectory")
  build_host(-DVORLAN_SOURCE=${SOURCE})
elseif(MODE STREQUAL "pkg-config")
  set(ENV{PKG_CONFIG_PATH} ${STAGE}/${LIBDIR}/pkgconfig)
  run(pkg-config --cflags --libs vorlan)
  separate_arguments(package UNIX_COMMAND "${out}")
  separate_arguments(flags UNIX_COMMAND "${FLAGS}")
  run(${CC} -std=c99 -pedantic -Wall -Wextra -Werror ${flags} ${SOURCE}/tests/consumers/host/host.c ${package} -o ${WORK}/host)
  set(ENV{LD_LIBRARY_PATH} ${STAGE}/${LIBDIR})
  check_host(${WORK}/host)
elseif(MODE STREQUAL "luarocks")
  # Unoptimised: the test is about the rock, not the code.
  execute_process(COMMAND luarocks make --tree ${WORK}/tree vorlan-1.0.0-1.rockspec "CFLAGS=-O0 -fPIC"
                  WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "luarocks make failed (${status}):\n${out}")
  endif()
  run(lua5.1 -e "package.cpath = '${WORK}/tree/lib/lua/5.1/?.so'
                 require 'Vorlan'
                 vorlan.initialize()
                 for _, name in ipairs(vorlan.getDevices()) do print(name) end")
  if(NOT out MATCHES "^Keyboard\n.*TrackIR\n$")
    message(FATAL_ERROR "luarocks: the module found other devices than the session's:\n${out}")
  endif()
else()
  message(FATAL_ERROR "unknown MODE ${MODE}")
endif()
