# SPDX-License-Identifier: MIT
# pemdra's version is said once: in the newest entry of packaging/changelog, the Debian
# changelog, which a release adds with its date and what it brings. Everything else takes
# it from here:
#   PEMDRA_DISPLAY_VERSION   as users see it, MAJOR.MM (1.00)
#   PEMDRA_NUMERIC_VERSION   as Windows Installer and project() want it, MAJOR.MINOR.0,
#                            MINOR being MM as a number (1.00 -> 1.0.0, 1.05 -> 1.5.0,
#                            1.10 -> 1.10.0): the order of versions stays the same
#   PEMDRA_VERSION_QUAD      the four numbers of Windows' version records (1,0,0,0)
#   PEMDRA_RELEASE_DATE      the entry's date, YYYY-MM-DD
#   PEMDRA_APPSTREAM_RELEASES  every entry as an AppStream <release>, newest first
# Included before project(), which takes PEMDRA_NUMERIC_VERSION. `cmake -P
# cmake/Version.cmake` prints the first three, for scripts/release.

set(changelog ${CMAKE_CURRENT_LIST_DIR}/../packaging/changelog)
if(NOT CMAKE_SCRIPT_MODE_FILE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog})
endif()
# Line by line as a CMake list, whose separator ";" is kept aside until the end.
file(READ ${changelog} text)
string(REPLACE ";" "@SEMICOLON@" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

function(pemdra_xml_escape out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# RFC 5322 date of a changelog trailer to YYYY-MM-DD.
function(pemdra_changelog_date out trailer)
  if(NOT trailer MATCHES "  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    message(FATAL_ERROR "packaging/changelog: no date in \"${trailer}\"")
  endif()
  set(day ${CMAKE_MATCH_1})
  set(year ${CMAKE_MATCH_3})
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(FIND months ${CMAKE_MATCH_2} month)
  if(month EQUAL -1)
    message(FATAL_ERROR "packaging/changelog: no month in \"${trailer}\"")
  endif()
  math(EXPR month "${month} + 1")
  if(month LESS 10)
    set(month 0${month})
  endif()
  if(day MATCHES "^[0-9]$")
    set(day 0${day})
  endif()
  set(${out} ${year}-${month}-${day} PARENT_SCOPE)
endfunction()

# The item read so far, as an AppStream list item.
macro(pemdra_add_item)
  if(NOT item STREQUAL "")
    pemdra_xml_escape(item "${item}")
    string(APPEND items "          <li>${item}</li>\n")
    set(item "")
  endif()
endmacro()

# Each entry: its version, its items (a line "  * " begins one, "    " goes on) and its
# trailer's date.
set(PEMDRA_APPSTREAM_RELEASES "")
set(PEMDRA_DISPLAY_VERSION "")
set(entry_version "")
set(items "")
set(item "")
foreach(line IN LISTS lines)
  if(line MATCHES "^pemdra \\(([^)]+)\\) ")
    set(entry_version ${CMAKE_MATCH_1})
    set(items "")
    set(item "")
  elseif(line MATCHES "^  \\* (.*)")
    pemdra_add_item()
    set(item "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^    +(.*)")
    string(APPEND item " ${CMAKE_MATCH_1}")
  elseif(line MATCHES "^ -- ")
    if(entry_version STREQUAL "")
      message(FATAL_ERROR "packaging/changelog: a trailer without its entry: \"${line}\"")
    endif()
    pemdra_add_item()
    pemdra_changelog_date(date "${line}")
    if(PEMDRA_DISPLAY_VERSION STREQUAL "")
      set(PEMDRA_DISPLAY_VERSION ${entry_version})
      set(PEMDRA_RELEASE_DATE ${date})
    endif()
    string(APPEND PEMDRA_APPSTREAM_RELEASES
           "    <release version=\"${entry_version}\" date=\"${date}\">\n"
           "      <description>\n        <ul>\n${items}")
    string(APPEND PEMDRA_APPSTREAM_RELEASES "        </ul>\n      </description>\n    </release>\n")
    set(entry_version "")
  endif()
endforeach()
string(REGEX REPLACE "\n$" "" PEMDRA_APPSTREAM_RELEASES "${PEMDRA_APPSTREAM_RELEASES}")
string(REPLACE "@SEMICOLON@" ";" PEMDRA_APPSTREAM_RELEASES "${PEMDRA_APPSTREAM_RELEASES}")

# Two digits after the point, so that the numeric form keeps the order: 1.05 before 1.10.
if(NOT PEMDRA_DISPLAY_VERSION MATCHES "^([0-9]+)\\.([0-9][0-9])$")
  message(FATAL_ERROR "packaging/changelog: the newest version is \"${PEMDRA_DISPLAY_VERSION}\", "
                      "not MAJOR.MM (two digits after the point, as 1.00)")
endif()
set(major ${CMAKE_MATCH_1})
math(EXPR minor "1${CMAKE_MATCH_2} - 100")
set(PEMDRA_NUMERIC_VERSION ${major}.${minor}.0)
set(PEMDRA_VERSION_QUAD ${major},${minor},0,0)

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo
                  "${PEMDRA_DISPLAY_VERSION} ${PEMDRA_NUMERIC_VERSION} ${PEMDRA_RELEASE_DATE}")
endif()
