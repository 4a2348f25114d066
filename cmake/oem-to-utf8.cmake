# Makes a language or help file of the Unicode face from the ANSI face's one:
# the text of code page 866 in UTF-8, behind a byte-order mark, every other
# byte as it stands (the .Language= line stays first).
#   cmake -DINPUT=file.lng -DOUTPUT=out.lng -P oem-to-utf8.cmake
find_program(ICONV iconv)
if(NOT ICONV)
  message(FATAL_ERROR "oem-to-utf8: iconv is not installed; it converts ${INPUT} to UTF-8")
endif()
execute_process(COMMAND "${ICONV}" -f CP866 -t UTF-8 "${INPUT}"
  OUTPUT_FILE "${OUTPUT}.body" RESULT_VARIABLE failed ERROR_VARIABLE why)
if(failed)
  message(FATAL_ERROR "oem-to-utf8: ${INPUT}: ${why}")
endif()
# The body is joined to the mark by bytes, so its CRLF line ends stay.
string(ASCII 239 187 191 bom)
file(WRITE "${OUTPUT}.bom" "${bom}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E cat "${OUTPUT}.bom" "${OUTPUT}.body"
  OUTPUT_FILE "${OUTPUT}.new" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "oem-to-utf8: cannot write ${OUTPUT}.new")
endif()
file(REMOVE "${OUTPUT}.bom" "${OUTPUT}.body")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
