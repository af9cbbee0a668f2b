# SPDX-License-Identifier: MIT
# The same sources give the same files wherever they are built: the compilers write the
# source folder as "." wherever they would write its path (assertions' file names, debug
# information). The Windows linker leaves out its time stamp (cmake/mingw-w64-common.cmake);
# make release sets SOURCE_DATE_EPOCH, which GCC takes for __DATE__ and __TIME__.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
endif()
