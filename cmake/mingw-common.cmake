# Cross build for Windows with Debian's MinGW-w64 compilers (the win32 thread
# model), for the target triple the calling toolchain file names. The C and
# C++ runtimes are linked in, so the program and the test engine need nothing
# beside Windows' own DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${YOMIAGE_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${YOMIAGE_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${YOMIAGE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${YOMIAGE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
