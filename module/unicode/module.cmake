# The Unicode face (included by module/CMakeLists.txt): a module of its own
# in a folder of its own (MartenW natively; Marten.dll on Win32, where the
# 1.x face's marten.dll would otherwise clash with it, names being compared
# without regard to case), with its UTF-8 language and help files.
set(MARTEN_UNICODE_PLUGIN_DIR "${CMAKE_BINARY_DIR}/plugins/MartenW")
marten_sources(unicode_sources "${CMAKE_CURRENT_LIST_DIR}")
add_library(marten_unicode_objects OBJECT ${unicode_sources}
  "${CMAKE_SOURCE_DIR}/api/unicode_abi_checks.cpp")
target_link_libraries(marten_unicode_objects PUBLIC marten_shared)
target_compile_definitions(marten_unicode_objects PRIVATE
  MARTEN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  MARTEN_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  MARTEN_VERSION_PATCH=${PROJECT_VERSION_PATCH})

add_library(marten_unicode MODULE)
target_link_libraries(marten_unicode PRIVATE marten_unicode_objects)
set_target_properties(marten_unicode PROPERTIES
  PREFIX ""
  OUTPUT_NAME MartenW
  LIBRARY_OUTPUT_DIRECTORY "${MARTEN_UNICODE_PLUGIN_DIR}"
  RUNTIME_OUTPUT_DIRECTORY "${MARTEN_UNICODE_PLUGIN_DIR}")
if(WIN32)
  include("${CMAKE_CURRENT_LIST_DIR}/win32.cmake")
else()
  # Exactly the Unicode interface's entry points are exported.
  target_link_options(marten_unicode PRIVATE
    "-Wl,--version-script=${CMAKE_CURRENT_LIST_DIR}/marten_unicode.map")
  if(NOT MARTEN_FUZZ)
    target_link_options(marten_unicode PRIVATE -Wl,--no-undefined)
  endif()
  set_property(TARGET marten_unicode APPEND PROPERTY LINK_DEPENDS
    "${CMAKE_CURRENT_LIST_DIR}/marten_unicode.map")
endif()

# The 3.x host reads UTF-8 behind a byte-order mark.
marten_utf8_texts(marten_unicode_texts "${MARTEN_UNICODE_PLUGIN_DIR}")
add_dependencies(marten_unicode marten_unicode_texts)
