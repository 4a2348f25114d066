# The Windows link of the Unicode face's Marten.dll (included by
# module/unicode/module.cmake): plain exports through a .def file of the build's
# width, the runtimes linked statically so that only system DLLs are needed,
# and a version resource of the same version as marten.dll.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  target_sources(marten_unicode PRIVATE "${CMAKE_CURRENT_LIST_DIR}/marten_unicode64.def")
else()
  target_sources(marten_unicode PRIVATE "${CMAKE_CURRENT_LIST_DIR}/marten_unicode.def")
endif()
set(marten_unicode_rc "${CMAKE_CURRENT_LIST_DIR}/marten_unicode.rc")
target_sources(marten_unicode PRIVATE "${marten_unicode_rc}")
set_source_files_properties("${marten_unicode_rc}" PROPERTIES
  COMPILE_DEFINITIONS "MARTEN_VERSION_MAJOR=${PROJECT_VERSION_MAJOR};MARTEN_VERSION_MINOR=${PROJECT_VERSION_MINOR};MARTEN_VERSION_PATCH=${PROJECT_VERSION_PATCH}"
  OBJECT_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/../version_info.rch")
target_link_options(marten_unicode PRIVATE
  -static -static-libgcc -static-libstdc++
  -Wl,--dynamicbase -Wl,--nxcompat
  -Wl,--no-insert-timestamp
  $<$<NOT:$<CONFIG:Debug>>:-s>)
# The registry services read the ANSI face's settings once.
target_link_libraries(marten_unicode PRIVATE advapi32)
set_target_properties(marten_unicode PROPERTIES OUTPUT_NAME Marten SUFFIX ".dll")
