# Shared by the two Windows cross toolchains (MinGW-w64 with posix threads, so std::mutex exists).
# The including file sets KORVI_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KORVI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVI_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KORVI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Windows programs built here run on Linux through Wine (tests only); scripts/wine-env.sh
# puts the loader of the matching architecture first on PATH.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh")
