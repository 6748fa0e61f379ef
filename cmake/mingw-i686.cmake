# 32-bit Windows: the build that can load a 32-bit engine DLL.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(YOMIAGE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
