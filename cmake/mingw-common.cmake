# The part of the MinGW cross builds that both architectures share; the
# toolchain file of each sets MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first.
# The -posix thread model gives std::mutex and thread_local; its runtime is
# winpthread, which is linked statically like the C and C++ runtimes, so the
# module and the test programs need nothing under wine or Windows but the
# system's own DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${MINGW_TRIPLE}-objdump CACHE FILEPATH "objdump of the cross binutils")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Programs (the Win32 test runner) take the runtimes statically too, so that
# wine needs no MinGW DLL on its path; module/ansi/win32.cmake does the same for
# the module.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
