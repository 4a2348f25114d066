# Which top-level folder may include which, checked on every build:
#   module/ includes only api/, module/ and winapi/ (its tests also tests/support/);
#   host/ never includes edit/;
#   ncurses is included only in edit/terminal/.
# Each include that breaks a rule is reported as FILE:LINE with the rule,
# and the build stops; a clean tree touches STAMP.
#
#   cmake -DSOURCE_DIR=<tree> -DFOLDERS=<a,b,...> [-DSTAMP=<file>] -P check-layers.cmake
if(NOT SOURCE_DIR OR NOT FOLDERS)
  message(FATAL_ERROR "check-layers: SOURCE_DIR and FOLDERS must be set")
endif()

string(REPLACE "," ";" checked_folders "${FOLDERS}")
set(ncurses_header "^(ncursesw?/)?(n?curses|term|panel|form|menu)\\.h$")

set(violations 0)

# Reports one include of `file` that breaks `rule`, with its line number.
function(report file header rule)
  file(READ "${SOURCE_DIR}/${file}" text)
  string(REGEX REPLACE "([][.*+?^$(){}|\\])" "\\\\\\1" pattern "${header}")
  string(REGEX MATCH "^(.*\n)?[ \t]*#[ \t]*include[ \t]*[<\"]${pattern}[>\"]" head "${text}")
  string(REGEX MATCHALL "\n" breaks "${head}")
  list(LENGTH breaks line)
  math(EXPR line "${line} + 1")
  message(NOTICE "${file}:${line}: error: ${rule}: includes \"${header}\"")
  math(EXPR count "${violations} + 1")
  set(violations ${count} PARENT_SCOPE)
endfunction()

set(sources "")
foreach(folder ${checked_folders})
  file(GLOB_RECURSE found RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.cpp"
    "${SOURCE_DIR}/${folder}/*.hpp" "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.inc")
  list(APPEND sources ${found})
endforeach()
list(SORT sources)

foreach(file ${sources})
  file(STRINGS "${SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(include ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${include}")
    string(REGEX MATCH "^[^/]+/" top "${header}")
    if(file MATCHES "^module/" AND include MATCHES "\"" AND
       NOT top MATCHES "^(api|module|winapi)/$" AND
       NOT (file MATCHES "_test\\.cpp$" AND header MATCHES "^tests/support/"))
      report("${file}" "${header}" "module/ includes only api/, module/ and winapi/")
    endif()
    if(file MATCHES "^host/" AND top STREQUAL "edit/")
      report("${file}" "${header}" "host/ never includes edit/")
    endif()
    if(header MATCHES "${ncurses_header}" AND NOT file MATCHES "^edit/terminal/")
      report("${file}" "${header}" "ncurses is included only in edit/terminal/")
    endif()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) break the layer rules of CONTRIBUTING.md")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
