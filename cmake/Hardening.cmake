# SPDX-License-Identifier: MIT
# Release builds for Linux made with GCC or Clang are hardened as Debian hardens its
# packages: checked string and memory functions, stack protector, read-only relocations
# bound at start-up, and a position-independent executable. Debug, sanitizer and fuzz
# builds, and builds for other systems, keep the compiler's defaults.
# The presets use single-configuration generators, so the build type is known here.
# A distribution that brings its own flags (dpkg-buildflags) can turn this off.
option(PEMDRA_HARDENING "Harden Release builds for Linux" ON)
if(PEMDRA_HARDENING AND CMAKE_SYSTEM_NAME STREQUAL "Linux"
   AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND CMAKE_BUILD_TYPE STREQUAL "Release")
  # The compiler may define its own _FORTIFY_SOURCE level; this one replaces it.
  add_compile_options(-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  add_link_options(LINKER:-z,relro,-z,now)

  include(CheckPIESupported)
  check_pie_supported(OUTPUT_VARIABLE pie_output LANGUAGES CXX)
  if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
    message(FATAL_ERROR "The linker cannot make a position-independent executable:\n${pie_output}")
  endif()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()
