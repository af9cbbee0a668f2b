# SPDX-License-Identifier: MIT
# Cross build for 32-bit Windows with Debian's MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(PEMDRA_MINGW_TRIPLET i686-w64-mingw32 CACHE STRING "MinGW-w64 target triplet")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
