# Turns a file into a C++ source that holds its bytes, so that a program
# carries the file within itself:
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DNAME=kName -DNAMESPACE=ns -P embed-file.cmake
# defines `const unsigned char kName[]` (the bytes and a closing zero) and
# `const std::size_t kNameLength` in namespace ns. The source is rewritten
# only when it changes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR length "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line.
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
  "// Made from ${INPUT} by cmake/embed-file.cmake; edit that file instead.\n"
  "#include <cstddef>\n\n"
  "namespace ${NAMESPACE} {\n\n"
  "extern const unsigned char ${NAME}[] = {\n${bytes}0};\n"
  "extern const std::size_t ${NAME}Length = ${length};\n\n"
  "}  // namespace ${NAMESPACE}\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
