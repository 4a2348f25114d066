# Shows that the layout checks of api/abi_checks.cpp are evaluated by the
# cross compiler: the file compiles as it stands, and compiled with packed
# records (no padding behind INPUT_RECORD's two-byte EventType) it stops
# with the check of that offset.
# Run as: cmake -DCXX=... -DSOURCE_DIR=... -P check_abi_asserts.cmake
cmake_minimum_required(VERSION 3.25)
set(source "${SOURCE_DIR}/api/abi_checks.cpp")
set(flags -std=c++20 -fsyntax-only "-I${SOURCE_DIR}")

execute_process(COMMAND "${CXX}" ${flags} "${source}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "abi_checks.cpp does not compile for Win32:\n${err}")
endif()

execute_process(COMMAND "${CXX}" ${flags} -fpack-struct=1 -Wno-packed "${source}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(status EQUAL 0)
  message(FATAL_ERROR "abi_checks.cpp compiled with packed records: its checks do not fire")
endif()
if(NOT err MATCHES "INPUT_RECORD::Event offset")
  message(FATAL_ERROR "packed records failed, but not at the INPUT_RECORD check:\n${err}")
endif()
message(STATUS "the layout checks hold, and fire on a changed layout")
