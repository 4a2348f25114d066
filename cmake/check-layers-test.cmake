# Test of check-layers.cmake: the tree passes and gets its stamp; a copy of
# the tree with includes planted against each rule fails, names every one
# as FILE:LINE with its rule, and gets no stamp.
#
#   cmake -DSOURCE_DIR=<tree> -DFOLDERS=<a,b,...> -DWORK_DIR=<scratch> -P check-layers-test.cmake
set(check "${CMAKE_CURRENT_LIST_DIR}/check-layers.cmake")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# Runs the check on `tree`; sets rc, the error lines and whether it stamped.
function(run_check tree)
  file(REMOVE "${WORK_DIR}/stamp")
  execute_process(COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${tree}" "-DFOLDERS=${FOLDERS}"
    "-DSTAMP=${WORK_DIR}/stamp" -P "${check}"
    RESULT_VARIABLE result ERROR_VARIABLE err)
  string(REGEX MATCHALL "[^\n]*: error: [^\n]*" lines "${err}")
  set(rc ${result} PARENT_SCOPE)
  set(errors "${lines}" PARENT_SCOPE)
  set(output "${err}" PARENT_SCOPE)
  if(EXISTS "${WORK_DIR}/stamp")
    set(stamped TRUE PARENT_SCOPE)
  else()
    set(stamped FALSE PARENT_SCOPE)
  endif()
endfunction()

run_check("${SOURCE_DIR}")
if(NOT rc EQUAL 0 OR NOT stamped)
  message(FATAL_ERROR "the tree breaks a layer rule:\n${output}")
endif()

set(copy "${WORK_DIR}/tree")
string(REPLACE "," ";" folders "${FOLDERS}")
foreach(folder ${folders})
  if(EXISTS "${SOURCE_DIR}/${folder}")
    file(COPY "${SOURCE_DIR}/${folder}" DESTINATION "${copy}")
  endif()
endforeach()
# One planted include against each rule, and beside them includes that the
# rules allow.
file(WRITE "${copy}/api/planted.hpp" "#pragma once\n#include \"api/ansi_api.hpp\"\n#include \"engine/editor.hpp\"\n")
file(WRITE "${copy}/common/planted.hpp" "#pragma once\n#include \"host/ui.hpp\"\n")
file(WRITE "${copy}/winapi/planted.cpp"
  "#include \"common/ascii.hpp\"\n#include \"module/editor/wrap.hpp\"\n")
file(WRITE "${copy}/module/editor/planted.cpp"
  "#include \"module/editor/planted.hpp\"\n\n#include <cstring>\n\n#include \"host/editor.hpp\"\n"
  "#include \"winapi/win32.hpp\"\n#  include \"common/ascii.hpp\"\n")
file(WRITE "${copy}/module/editor/planted_test.cpp"
  "#include \"tests/support/module_state.hpp\"\n#include \"edit/ui/menu_box.hpp\"\n")
file(MAKE_DIRECTORY "${copy}/module/far2l")
file(WRITE "${copy}/module/far2l/planted.cpp"
  "#include \"module/far2l/planted.hpp\"\n#include \"module/unicode/planted.hpp\"\n#include \"module/ansi/planted.hpp\"\n")
file(WRITE "${copy}/module/settings/planted.hpp" "#pragma once\n#include \"module/unicode/planted.hpp\"\n")
file(WRITE "${copy}/module/settings/planted_test.cpp" "#include \"module/ansi/planted.hpp\"\n")
file(WRITE "${copy}/engine/planted.cpp"
  "#include \"common/ascii.hpp\"\n#include \"api/ansi_api.hpp\"\n#include \"host/host.hpp\"\n")
file(WRITE "${copy}/host/planted.hpp"
  "// planted\n#pragma once\n#include \"edit/app/session.hpp\"\n#include \"module/plugin/messages.hpp\"\n")
file(WRITE "${copy}/edit/file/planted.cpp" "#include \"edit/app/session.hpp\"\n")
file(WRITE "${copy}/edit/ui/planted.cpp"
  "#include \"edit/terminal/screen.hpp\"\n#include \"edit/view/interactive.hpp\"\n")
file(WRITE "${copy}/edit/view/planted.cpp" "#include <ncursesw/curses.h>\n#include \"edit/app/session.hpp\"\n")
file(WRITE "${copy}/edit/terminal/planted.cpp" "#include <ncursesw/curses.h>\n#include <term.h>\n")

run_check("${copy}")
set(expected
  "api/planted.hpp:3: error: api/ includes only api/: includes \"engine/editor.hpp\""
  "common/planted.hpp:2: error: common/ includes only common/: includes \"host/ui.hpp\""
  "edit/file/planted.cpp:1: error: edit/file/ never includes a layer above it (file, terminal, ui, app, view): includes \"edit/app/session.hpp\""
  "edit/ui/planted.cpp:2: error: edit/ui/ never includes a layer above it (file, terminal, ui, app, view): includes \"edit/view/interactive.hpp\""
  "edit/view/planted.cpp:1: error: ncurses is included only in edit/terminal/: includes \"ncursesw/curses.h\""
  "engine/planted.cpp:2: error: engine/ includes only engine/ and common/: includes \"api/ansi_api.hpp\""
  "engine/planted.cpp:3: error: engine/ includes only engine/ and common/: includes \"host/host.hpp\""
  "host/planted.hpp:3: error: host/ never includes module/ or edit/: includes \"edit/app/session.hpp\""
  "host/planted.hpp:4: error: host/ never includes module/ or edit/: includes \"module/plugin/messages.hpp\""
  "module/editor/planted.cpp:5: error: module/ includes only api/, module/ and winapi/: includes \"host/editor.hpp\""
  "module/editor/planted.cpp:7: error: module/ includes only api/, module/ and winapi/: includes \"common/ascii.hpp\""
  "module/editor/planted_test.cpp:2: error: module/ includes only api/, module/ and winapi/: includes \"edit/ui/menu_box.hpp\""
  "module/far2l/planted.cpp:2: error: module/far2l/ never includes another face: includes \"module/unicode/planted.hpp\""
  "module/far2l/planted.cpp:3: error: module/far2l/ never includes another face: includes \"module/ansi/planted.hpp\""
  "module/settings/planted.hpp:2: error: module/settings/ is shared by the faces and includes none: includes \"module/unicode/planted.hpp\""
  "winapi/planted.cpp:2: error: winapi/ includes only api/, common/ and winapi/: includes \"module/editor/wrap.hpp\"")
if(rc EQUAL 0 OR stamped OR NOT errors STREQUAL expected)
  string(REPLACE ";" "\n" got "${errors}")
  message(FATAL_ERROR "planted includes: exit ${rc}, stamped ${stamped}, reported:\n${got}\n\n${output}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "layer rules: the tree passes, every planted include is reported")
