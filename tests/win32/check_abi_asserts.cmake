# Shows that the layout checks of both interfaces (api/ansi_abi_checks.cpp and
# api/unicode_abi_checks.cpp) are evaluated by the cross compiler: each file compiles
# as it stands, and compiled with packed records it stops at a field offset
# check (for the ANSI interface, the padding behind INPUT_RECORD's two-byte
# EventType).
# Run as: cmake -DCXX=... -DSOURCE_DIR=... -P check_abi_asserts.cmake
cmake_minimum_required(VERSION 3.25)
set(flags -std=c++20 -fsyntax-only "-I${SOURCE_DIR}")

foreach(name_and_check "ansi_abi_checks.cpp|INPUT_RECORD::Event offset" "unicode_abi_checks.cpp|::[A-Za-z]+ offset")
  string(REPLACE "|" ";" pair "${name_and_check}")
  list(GET pair 0 name)
  list(GET pair 1 check)
  set(source "${SOURCE_DIR}/api/${name}")

  execute_process(COMMAND "${CXX}" ${flags} "${source}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name} does not compile for Win32:\n${err}")
  endif()

  execute_process(COMMAND "${CXX}" ${flags} -fpack-struct=1 -Wno-packed "${source}"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(status EQUAL 0)
    message(FATAL_ERROR "${name} compiled with packed records: its checks do not fire")
  endif()
  if(NOT err MATCHES "${check}")
    message(FATAL_ERROR "${name} failed with packed records, but not at an offset check:\n${err}")
  endif()
endforeach()
message(STATUS "the layout checks of both interfaces hold, and fire on a changed layout")
