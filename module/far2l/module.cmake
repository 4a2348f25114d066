# far2l's face (included by module/CMakeLists.txt): marten.far-plug-wide, a
# native module of the same rules for far2l's wide interface, in the folder
# layout far2l loads plug-ins from:
#   plugins/far2l/marten/plug/marten.far-plug-wide  with its language and
#   help files beside it, in UTF-8.
# far2l runs on Linux only, so the Windows builds have no such face.
if(WIN32)
  return()
endif()

set(MARTEN_FAR2L_PLUGIN_DIR "${CMAKE_BINARY_DIR}/plugins/far2l/marten/plug")
marten_sources(far2l_sources "${CMAKE_CURRENT_LIST_DIR}")
add_library(marten_far2l_objects OBJECT ${far2l_sources}
  "${CMAKE_SOURCE_DIR}/api/far2l_abi_checks.cpp")
target_link_libraries(marten_far2l_objects PUBLIC marten_shared)
target_compile_definitions(marten_far2l_objects PRIVATE
  MARTEN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  MARTEN_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  MARTEN_VERSION_PATCH=${PROJECT_VERSION_PATCH})

add_library(marten_far2l MODULE)
target_link_libraries(marten_far2l PRIVATE marten_far2l_objects)
set_target_properties(marten_far2l PROPERTIES
  PREFIX ""
  OUTPUT_NAME marten
  SUFFIX ".far-plug-wide"
  LIBRARY_OUTPUT_DIRECTORY "${MARTEN_FAR2L_PLUGIN_DIR}")
# Exactly far2l's entry points are exported.
target_link_options(marten_far2l PRIVATE
  "-Wl,--version-script=${CMAKE_CURRENT_LIST_DIR}/marten_far2l.map")
if(NOT MARTEN_FUZZ)
  target_link_options(marten_far2l PRIVATE -Wl,--no-undefined)
endif()
set_property(TARGET marten_far2l APPEND PROPERTY LINK_DEPENDS
  "${CMAKE_CURRENT_LIST_DIR}/marten_far2l.map")

# far2l reads UTF-8 language and help files (a byte-order mark is allowed).
marten_utf8_texts(marten_far2l_texts "${MARTEN_FAR2L_PLUGIN_DIR}")
add_dependencies(marten_far2l marten_far2l_texts)
