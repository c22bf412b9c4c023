# Cross toolchain: 32-bit Windows, the shipped Korvi8.exe.
set(KORVI_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
