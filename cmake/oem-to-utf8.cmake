# Makes a language or help file of a face whose host reads UTF-8 from the 1.x
# face's one: the text of code page 866 in UTF-8, behind a byte-order mark,
# every other byte as it stands (the .Language= line stays first), followed
# by the text of APPEND when it is given (the same conversion, no mark).
#   cmake -DINPUT=file.lng [-DAPPEND=extra.lng] -DOUTPUT=out.lng -P oem-to-utf8.cmake
find_program(ICONV iconv)
if(NOT ICONV)
  message(FATAL_ERROR "oem-to-utf8: iconv is not installed; it converts ${INPUT} to UTF-8")
endif()
set(parts "${OUTPUT}.bom")
set(index 0)
foreach(part ${INPUT} ${APPEND})
  execute_process(COMMAND "${ICONV}" -f CP866 -t UTF-8 "${part}"
    OUTPUT_FILE "${OUTPUT}.${index}" RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed)
    message(FATAL_ERROR "oem-to-utf8: ${part}: ${why}")
  endif()
  list(APPEND parts "${OUTPUT}.${index}")
  math(EXPR index "${index} + 1")
endforeach()
# The parts are joined to the mark by bytes, so their CRLF line ends stay.
string(ASCII 239 187 191 bom)
file(WRITE "${OUTPUT}.bom" "${bom}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E cat ${parts}
  OUTPUT_FILE "${OUTPUT}.new" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "oem-to-utf8: cannot write ${OUTPUT}.new")
endif()
file(REMOVE ${parts})
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
