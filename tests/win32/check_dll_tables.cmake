# Checks the tables of a built module DLL that the host and Windows rely on:
#   - the export table holds exactly the entry points, under plain names;
#   - the import table names only system DLLs (no MinGW runtime DLL);
#   - the version resource names the product, its version and the DLL's
#     own file name, and, where DESCRIPTION is given, that description.
# Run as: cmake -DOBJDUMP=... -DDLL=... -DVERSION=... -P check_dll_tables.cmake
# for marten.dll; the Unicode face's Marten.dll adds -DEXPORTS=<its entry
# points, separated by commas>.
cmake_minimum_required(VERSION 3.25)
foreach(var OBJDUMP DLL VERSION)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_dll_tables: ${var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${DLL}")
  message(FATAL_ERROR "check_dll_tables: ${DLL} does not exist")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${DLL}"
  OUTPUT_VARIABLE dump RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "check_dll_tables: ${OBJDUMP} -p failed: ${errors}")
endif()
string(REPLACE "\n" ";" lines "${dump}")

set(failures "")

# Exports: the lines of the name table, "\t[   0] Name".
set(exports "")
set(in_names FALSE)
foreach(line IN LISTS lines)
  if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
    set(in_names TRUE)
  elseif(in_names)
    if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
      list(APPEND exports "${CMAKE_MATCH_1}")
    else()
      set(in_names FALSE)
    endif()
  endif()
endforeach()
list(SORT exports)
if(DEFINED EXPORTS)
  string(REPLACE "," ";" expected_exports "${EXPORTS}")
else()
  set(expected_exports Configure GetPluginInfo OpenPlugin ProcessEditorInput SetStartupInfo)
endif()
list(SORT expected_exports)
if(NOT exports STREQUAL expected_exports)
  list(APPEND failures "exports are [${exports}], expected exactly [${expected_exports}]")
endif()

# Imports: "\tDLL Name: KERNEL32.dll".
set(imports "")
foreach(line IN LISTS lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(TOLOWER "${CMAKE_MATCH_1}" name)
    list(APPEND imports "${name}")
  endif()
endforeach()
set(system_dlls kernel32.dll advapi32.dll msvcrt.dll)
if(NOT imports)
  list(APPEND failures "no import table found")
endif()
foreach(name IN LISTS imports)
  if(NOT name IN_LIST system_dlls)
    list(APPEND failures "imports ${name}, which is not a system DLL")
  endif()
endforeach()

# Version resource: its strings are UTF-16 in the resource section. Only
# plain words are kept: stray brackets from code bytes would split the list.
get_filename_component(dll_file "${DLL}" NAME)
file(STRINGS "${DLL}" resource_strings ENCODING UTF-16LE REGEX "^[A-Za-z0-9 .:,]+$")
set(wanted_strings "ProductName" "Marten" "ProductVersion" "${VERSION}" "FileVersion"
  "OriginalFilename" "${dll_file}")
if(DEFINED DESCRIPTION)
  list(APPEND wanted_strings "FileDescription" "${DESCRIPTION}")
endif()
foreach(wanted IN LISTS wanted_strings)
  if(NOT wanted IN_LIST resource_strings)
    list(APPEND failures "version resource lacks the string \"${wanted}\"")
  endif()
endforeach()

message(STATUS "exports: ${exports}")
message(STATUS "imports: ${imports}")
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${dll_file} tables:\n  ${text}")
endif()
