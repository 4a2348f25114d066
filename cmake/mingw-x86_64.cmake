# Cross build for 64-bit Windows with Debian's x86-64 MinGW (its -posix
# variant, package g++-mingw-w64-x86-64-posix). wine64 runs what it builds on
# every x86-64 machine, also where the kernel runs no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLE x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
