# Fails unless the shared object MODULE defines exactly the dynamic symbols
# EXPECTED (a sorted list), as nm -D --defined-only lists them.
#   cmake -DNM=nm -DMODULE=file.so -DEXPECTED=a;b -P check_exports.cmake
cmake_policy(SET CMP0007 NEW)  # list() keeps empty items, which are removed below
execute_process(COMMAND "${NM}" -D --defined-only "${MODULE}"
  OUTPUT_VARIABLE listing RESULT_VARIABLE failed ERROR_VARIABLE why)
if(failed)
  message(FATAL_ERROR "check_exports: ${NM} cannot read ${MODULE}: ${why}")
endif()
# Each line is "ADDRESS TYPE NAME".
string(REGEX REPLACE "[0-9a-f]+ [A-Za-z] ([^\n]+)\n" "\\1;" names "${listing}")
list(REMOVE_ITEM names "")
list(SORT names)
if(NOT names STREQUAL EXPECTED)
  message(FATAL_ERROR "check_exports: ${MODULE} exports\n  ${names}\nexpected\n  ${EXPECTED}")
endif()
