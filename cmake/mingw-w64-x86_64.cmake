# SPDX-License-Identifier: MIT
# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model).
# Programs built here run under Wine: CTest and test discovery go through cmake/wine-run,
# in a Wine prefix of the build folder's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PEMDRA_MINGW_TRIPLET x86_64-w64-mingw32 CACHE STRING "MinGW-w64 target triplet")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
