# Which top-level folder may include which, checked on every build
# (CONTRIBUTING.md, Layout). From the bottom up:
#   api/ includes only api/; common/ only common/;
#   winapi/ only api/, common/ and winapi/;
#   module/ only api/, module/ and winapi/ (its tests also tests/support/);
#   inside module/, a face (ansi/, unicode/, far2l/) never includes another
#   face, and the parts the faces share never include a face (their tests
#   may, to run the rules through one);
#   engine/ only engine/ and common/: no interface, no host, no module, no edit/;
#   host/ never module/ or edit/;
#   edit/'s layers, from the bottom: file, terminal, ui, app, view (main.cpp
#   on top); a layer never includes one above it;
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
set(edit_layers file terminal ui app view)
set(module_faces "ansi|unicode|far2l")

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

# A top-level folder whose files include only the folders `allowed` (a regex
# of "name/" alternatives) of the project; a project include is one in quotes.
function(check_only folder allowed rule)
  if(file MATCHES "^${folder}/" AND quoted AND NOT top MATCHES "^(${allowed})/$")
    report("${file}" "${header}" "${rule}")
    set(violations ${violations} PARENT_SCOPE)
  endif()
endfunction()

# The folder right below the top-level one in `path` ("view" for edit/view/x.cpp).
function(inner_folder path out)
  string(REGEX MATCH "^[^/]+/([a-z0-9_]+)/" ignored "${path}")
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
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
    set(quoted FALSE)
    if(include MATCHES "\"")
      set(quoted TRUE)
    endif()
    check_only(api "api" "api/ includes only api/")
    check_only(common "common" "common/ includes only common/")
    check_only(winapi "api|common|winapi" "winapi/ includes only api/, common/ and winapi/")
    if(NOT (file MATCHES "^module/.*_test\\.cpp$" AND header MATCHES "^tests/support/"))
      check_only(module "api|module|winapi" "module/ includes only api/, module/ and winapi/")
    endif()
    # The faces of the module: siblings over the parts they share.
    if(file MATCHES "^module/([a-z0-9_]+)/" AND header MATCHES "^module/(${module_faces})/")
      inner_folder("${file}" own)
      inner_folder("${header}" face)
      if(own MATCHES "^(${module_faces})$" AND NOT own STREQUAL face)
        report("${file}" "${header}" "module/${own}/ never includes another face")
      elseif(NOT own MATCHES "^(${module_faces})$" AND NOT file MATCHES "_test\\.cpp$")
        report("${file}" "${header}" "module/${own}/ is shared by the faces and includes none")
      endif()
    endif()
    check_only(engine "engine|common" "engine/ includes only engine/ and common/")
    if(file MATCHES "^host/" AND top MATCHES "^(module|edit)/$")
      report("${file}" "${header}" "host/ never includes module/ or edit/")
    endif()
    # edit/'s layers: the header's layer must not stand above the file's.
    if(file MATCHES "^edit/([a-z]+)/" AND header MATCHES "^edit/([a-z]+)/")
      inner_folder("${file}" own)
      inner_folder("${header}" theirs)
      list(FIND edit_layers "${own}" own_level)
      list(FIND edit_layers "${theirs}" their_level)
      if(own_level GREATER_EQUAL 0 AND their_level GREATER own_level)
        report("${file}" "${header}"
          "edit/${own}/ never includes a layer above it (file, terminal, ui, app, view)")
      endif()
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
