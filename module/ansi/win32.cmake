# The Win32 link of marten.dll (included by module/ansi/module.cmake on Win32).
#
# Exports: exactly the five entry points under their plain names. marten.def
# names the __stdcall symbols as the i686 compiler decorates them
# (Name@bytes) and --kill-at drops the decoration in the export table, so the
# host finds "SetStartupInfo", not "SetStartupInfo@4". The x64 build (for
# tests under wine64) has one calling convention and no decorations: its
# .def is marten.def with them taken off, so the list is kept once.
# Imports: the C and C++ runtimes and winpthread are linked statically (the
# toolchain's -static flags), so the DLL needs only KERNEL32, ADVAPI32 and
# msvcrt; tests/win32 checks both tables.
enable_language(RC)

set(marten_def "${CMAKE_CURRENT_LIST_DIR}/marten.def")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  file(READ "${marten_def}" marten_def_text)
  string(REGEX REPLACE "@[0-9]+" "" marten_def_text "${marten_def_text}")
  set(marten_def "${CMAKE_CURRENT_BINARY_DIR}/marten-x64.def")
  file(CONFIGURE OUTPUT "${marten_def}" CONTENT "${marten_def_text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_LIST_DIR}/marten.def")
endif()
target_sources(marten PRIVATE "${marten_def}" "${CMAKE_CURRENT_LIST_DIR}/marten.rc")
set_source_files_properties("${CMAKE_CURRENT_LIST_DIR}/marten.rc" PROPERTIES
  COMPILE_DEFINITIONS "MARTEN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};MARTEN_VERSION_MINOR=${PROJECT_VERSION_MINOR};MARTEN_VERSION_PATCH=${PROJECT_VERSION_PATCH}"
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/../version_info.rch")

target_link_options(marten PRIVATE
  -static -static-libgcc -static-libstdc++
  -Wl,--kill-at
  -Wl,--dynamicbase -Wl,--nxcompat
  -Wl,--no-insert-timestamp
  # The static runtimes bring their debug sections along; the product ships
  # without them (less than half the size).
  $<$<NOT:$<CONFIG:Debug>>:-s>)
# The registry services of the settings store.
target_link_libraries(marten PRIVATE advapi32)

set_target_properties(marten PROPERTIES OUTPUT_NAME marten SUFFIX ".dll")
