// SPDX-License-Identifier: MIT
#pragma once

// Reads the numbers back out of the result lines, for checks that the lines say
// what the angle is rather than what the code happened to compute.

#include <optional>
#include <string>
#include <string_view>

#include "numbertext.h"

namespace pemdra::testing {

/// The number that stands before `suffix` at the end of `line`.
inline std::optional<double> numberBefore(std::u16string_view line, std::u16string_view suffix) {
  if (!line.ends_with(suffix)) return std::nullopt;
  return readNumber(line.substr(0, line.size() - suffix.size()));
}

struct Dms {
  double degrees, minutes, seconds, fraction;
};

/// The numbers of a line laid out as "DDD° MM' SS''+F'' μοίρες / (squadron)",
/// or nothing when the layout differs (a field of the wrong width included).
inline std::optional<Dms> readDms(std::u16string_view line) {
  if (line.size() < 14 || line.substr(3, 2) != u"° " || line.substr(7, 2) != u"' " ||
      line.substr(11, 3) != u"''+") {
    return std::nullopt;
  }
  const auto degrees = readNumber(line.substr(0, 3));
  const auto minutes = readNumber(line.substr(5, 2));
  const auto seconds = readNumber(line.substr(9, 2));
  const auto fraction = numberBefore(line.substr(14), u"'' μοίρες / (squadron)");
  if (!degrees || !minutes || !seconds || !fraction) return std::nullopt;
  return Dms{*degrees, *minutes, *seconds, *fraction};
}

}  // namespace pemdra::testing
