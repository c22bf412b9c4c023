# Cross toolchain: 64-bit Windows. Built beside the shipped 32-bit exe so the code stays 64-bit
# clean, and run under 64-bit Wine on machines that cannot execute 32-bit code.
set(KORVI_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
