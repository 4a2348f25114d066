# The Windows link of the Unicode face's Marten.dll (included by
# module/CMakeLists.txt): plain exports through a .def file of the build's
# width, the runtimes linked statically so that only system DLLs are needed.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  target_sources(marten_unicode PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/unicode/marten_unicode64.def")
else()
  target_sources(marten_unicode PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/unicode/marten_unicode.def")
endif()
target_link_options(marten_unicode PRIVATE
  -static -static-libgcc -static-libstdc++
  -Wl,--dynamicbase -Wl,--nxcompat
  -Wl,--no-insert-timestamp
  $<$<NOT:$<CONFIG:Debug>>:-s>)
# The registry services read the ANSI face's settings once.
target_link_libraries(marten_unicode PRIVATE advapi32)
set_target_properties(marten_unicode PROPERTIES OUTPUT_NAME Marten SUFFIX ".dll")
