// SPDX-License-Identifier: MIT
#pragma once

// Every prefix of the three π items, as a user types them, and the radians line's
// number for the angle 90 with that text as π (0,5 × π, worked out by hand to 15
// significant digits). The window tests type each one and read the line back.

namespace pemdra::testing {

struct PiPrefix {
  const char* typed;
  const char* radians;  ///< the number of Text5's line, before " ακτίνια / (rad)"
};

inline constexpr PiPrefix kPiPrefixes[] = {
    {"3", "1,5"},
    {"3,", "1,5"},
    {"3,1", "1,55"},
    {"3,14", "1,57"},
    {"3,141", "1,5705"},
    {"3,1415", "1,57075"},
    {"3,14159", "1,570795"},
    {"3,141592", "1,570796"},
    {"3,1415926", "1,5707963"},
    {"3,14159265", "1,570796325"},
    {"3,141592653", "1,5707963265"},
    {"3,1415926535", "1,57079632675"},
    {"3,14159265358", "1,57079632679"},
    {"3,141592653589", "1,5707963267945"},
    {"3,1415926535897", "1,57079632679485"},
    {"3,14159265358979", "1,5707963267949"},
};

}  // namespace pemdra::testing
