# The 1.x face (included by module/CMakeLists.txt): marten.so natively,
# marten.dll on Win32, with the language and help files beside it.
marten_sources(ansi_sources "${CMAKE_CURRENT_LIST_DIR}")
add_library(marten_objects OBJECT ${ansi_sources} "${CMAKE_SOURCE_DIR}/api/ansi_abi_checks.cpp")
target_link_libraries(marten_objects PUBLIC marten_shared)

add_library(marten MODULE)
target_link_libraries(marten PRIVATE marten_objects)
set_target_properties(marten PROPERTIES
  PREFIX ""
  LIBRARY_OUTPUT_DIRECTORY "${MARTEN_PLUGIN_DIR}"
  RUNTIME_OUTPUT_DIRECTORY "${MARTEN_PLUGIN_DIR}")
add_dependencies(marten marten_texts)

if(WIN32)
  include("${CMAKE_CURRENT_LIST_DIR}/win32.cmake")
else()
  # Exactly the five entry points are exported; everything else stays local.
  target_link_options(marten PRIVATE "-Wl,--version-script=${CMAKE_CURRENT_LIST_DIR}/marten.map")
  if(NOT MARTEN_FUZZ)
    # clang's sanitizer runtime lives in the fuzzing executable, not in the module.
    target_link_options(marten PRIVATE -Wl,--no-undefined)
  endif()
  set_property(TARGET marten APPEND PROPERTY LINK_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/marten.map")
endif()
