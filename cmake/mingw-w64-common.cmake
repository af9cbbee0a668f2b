# SPDX-License-Identifier: MIT
# What the MinGW-w64 toolchain files share; PEMDRA_MINGW_TRIPLET names the target.
set(triplet ${PEMDRA_MINGW_TRIPLET})
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file, no runtime DLLs beside it: libgcc, libstdc++ and winpthread linked in. No
# link time in the PE header, so that the same sources link to the same bytes (the
# checksum ld writes is computed from them).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run
                                    ${CMAKE_BINARY_DIR}/wineprefix)
endif()
