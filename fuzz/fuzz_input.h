// SPDX-License-Identifier: MIT
#pragma once

// Turning fuzzer bytes into the texts pemdra meets: UTF-16 code units, so lone
// surrogates and every other unit reach the code as a user's paste could.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace pemdra::fuzz {

/// Two bytes a code unit, little end first; an odd last byte is dropped.
inline std::u16string codeUnits(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  text.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  return text;
}

/// Stops the run with a message the fuzzer shows beside the input that caused it.
[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

inline void require(bool holds, const char* what) {
  if (!holds) fail(what);
}

}  // namespace pemdra::fuzz
