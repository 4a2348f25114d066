# The Win32 link of marten.dll (included by module/CMakeLists.txt on Win32).
#
# Exports: exactly the five entry points under their plain names. marten.def
# names the __stdcall symbols as the compiler decorates them (Name@bytes) and
# --kill-at drops the decoration in the export table, so the host finds
# "SetStartupInfo", not "SetStartupInfo@4".
# Imports: the C and C++ runtimes and winpthread are linked statically (the
# toolchain's -static flags), so the DLL needs only KERNEL32, ADVAPI32 and
# msvcrt; tests/win32 checks both tables.
enable_language(RC)

target_sources(marten PRIVATE
  "${CMAKE_CURRENT_SOURCE_DIR}/marten.def"
  "${CMAKE_CURRENT_SOURCE_DIR}/marten.rc")
set_source_files_properties("${CMAKE_CURRENT_SOURCE_DIR}/marten.rc" PROPERTIES
  COMPILE_DEFINITIONS "MARTEN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};MARTEN_VERSION_MINOR=${PROJECT_VERSION_MINOR};MARTEN_VERSION_PATCH=${PROJECT_VERSION_PATCH}")

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
