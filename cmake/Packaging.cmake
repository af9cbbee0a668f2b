# SPDX-License-Identifier: MIT
# The Debian package. `make package` builds it from the release preset with
# `cpack -G DEB` and checks it with scripts/check-package; `make release` the same, in
# a build folder of its own. Its version is the changelog's (cmake/Version.cmake).

set(PEMDRA_PACKAGE_MAINTAINER "pemdra authors <pemdra@pemdra.invalid>"
    CACHE STRING "Maintainer field of the .deb: a name and a mail address")

if(UNIX AND NOT APPLE)
  # The manual pages carry this version and its date. Debian wants them and the changelog
  # compressed with gzip -9n: no file name and no time stamp in the header, so the same
  # sources give the same package.
  set(docs ${PROJECT_BINARY_DIR}/packaging)
  configure_file(packaging/pemdra.1.in ${docs}/pemdra.1 @ONLY)
  configure_file(packaging/pemdra.el.1.in ${docs}/pemdra.el.1 @ONLY)
  set(compressed ${docs}/changelog.gz ${docs}/man1/pemdra.1.gz ${docs}/el/man1/pemdra.1.gz)
  find_program(GZIP_EXECUTABLE gzip REQUIRED)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${docs}/man1 ${docs}/el/man1
    COMMAND ${GZIP_EXECUTABLE} -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${docs}/changelog.gz
    COMMAND ${GZIP_EXECUTABLE} -9nc ${docs}/pemdra.1 > ${docs}/man1/pemdra.1.gz
    COMMAND ${GZIP_EXECUTABLE} -9nc ${docs}/pemdra.el.1 > ${docs}/el/man1/pemdra.1.gz
    DEPENDS packaging/changelog ${docs}/pemdra.1 ${docs}/pemdra.el.1
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Compressing the changelog and the manual pages"
    VERBATIM)
  add_custom_target(pemdra_docs ALL DEPENDS ${compressed})

  install(FILES ${docs}/changelog.gz packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${docs}/man1/pemdra.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${docs}/el/man1/pemdra.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/el/man1)
  set(CPACK_GENERATOR DEB)
endif()

set(CPACK_PACKAGE_NAME pemdra)
set(CPACK_PACKAGE_VERSION ${PEMDRA_DISPLAY_VERSION})
set(CPACK_PACKAGE_VENDOR "the pemdra authors")
set(CPACK_PACKAGE_CONTACT "${PEMDRA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "angle converter: decimal degrees to DMS, radians and grads")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "pemdra converts a plane angle given in decimal degrees, from 0 to 360, into
degrees-minutes-seconds, radians as a multiple of pi, radians as a number with
a value of pi the user picks or types, and grads. The angle is typed or built
on an on-screen keypad; numbers take a decimal comma.

Its one window is in Greek. It reads no files, keeps no settings and uses no
network.")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Wayland plug-in lets Qt draw on Wayland itself rather than through XWayland;
# the narrow faces (Liberation Sans Narrow, Nimbus Sans Narrow) have the Greek letters
# and fit every caption into its rectangle.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation | fonts-urw-base35")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
