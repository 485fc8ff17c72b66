# Runs vorlan-host once and checks what it did.
#   HOST           the program
#   ARGS           its arguments, separated by "|"
#   STATUS         the exit status it must give
#   STDOUT         a file that standard output must equal; without it, output must be empty
#   STDOUT_MATCH   instead of STDOUT: a regular expression that output must match
#   STDERR         a regular expression that standard error must match (anchored,
#                  so that it says how many lines); without it, standard error must be empty
#   PIPE           a file piped into the program's standard input
string(REPLACE "|" ";" arguments "${ARGS}")
set(feed)
if(DEFINED PIPE)
  set(feed COMMAND ${CMAKE_COMMAND} -E cat ${PIPE})
endif()
execute_process(${feed} COMMAND ${HOST} ${arguments} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)

set(faults)
if(NOT status STREQUAL STATUS)
  list(APPEND faults "exit status ${status}, not ${STATUS}")
endif()
if(DEFINED STDOUT)
  file(READ ${STDOUT} expected)
  if(NOT out STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/actual-output.txt "${out}")
    list(APPEND faults "standard output differs from ${STDOUT} (it is in ${CMAKE_CURRENT_BINARY_DIR}/actual-output.txt)")
  endif()
elseif(DEFINED STDOUT_MATCH)
  if(NOT out MATCHES "${STDOUT_MATCH}")
    list(APPEND faults "standard output does not match ${STDOUT_MATCH}:\n${out}")
  endif()
elseif(NOT out STREQUAL "")
  list(APPEND faults "unexpected standard output:\n${out}")
endif()
if(DEFINED STDERR)
  if(NOT err MATCHES "${STDERR}")
    list(APPEND faults "standard error does not match ${STDERR}:\n${err}")
  endif()
elseif(NOT err STREQUAL "")
  list(APPEND faults "unexpected standard error:\n${err}")
endif()

if(faults)
  list(JOIN faults "\n" faults)
  list(JOIN arguments " " shown)
  message(FATAL_ERROR "vorlan-host ${shown}:\n${faults}")
endif()
