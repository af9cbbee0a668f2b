// SPDX-License-Identifier: MIT
// Prints, for COUNT seeded inputs, what the core makes of them: the four result lines
// of a conversion (angle and π texts with blanks at the ends, huge exponents, long
// digit runs, stray characters), the number the angle text reads as written back, and
// a random double written and laid out by every pattern. The same program built
// natively and as WebAssembly must print the same lines (differential.sh).
//
//   differential COUNT SEED
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>

#include "conversion.h"
#include "error.h"
#include "memory_controls.h"
#include "numbertext.h"

namespace {

using pemdra::TextBox;

// std::mt19937_64 is the same sequence everywhere; the distributions are not, so
// every choice below is made from its raw output, one statement at a time (the order
// in which a call's arguments are worked out differs between compilers).
class Source {
 public:
  explicit Source(std::uint64_t seed) : m_random(seed) {}
  std::uint64_t bits() { return m_random(); }
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(m_random() % n); }
  bool oneIn(std::size_t n) { return below(n) == 0; }

 private:
  std::mt19937_64 m_random;
};

constexpr std::array<char16_t, 14> kBlanks = {
    u' ',      u'\t',     u'\u00A0', u'\u2009', u'\u202F', u'\u200B', u'\u200E', u'\u200F',
    u'\uFEFF', u'\u3000', u'\u2000', u'\u200A', u'\u1680', u'\u2060'};  // the last is no blank
constexpr std::u16string_view kStray = u"+-,.eE xα٣\U0001F600";

std::u16string digits(Source& source, std::size_t most) {
  std::u16string text;
  const std::size_t count = source.below(most) + 1;
  for (std::size_t i = 0; i < count; ++i) text += static_cast<char16_t>(u'0' + source.below(10));
  return text;
}

// A decimal text: sign, digits, a separator and decimals, an exponent; at times a
// long run of digits or an exponent far beyond any double.
std::u16string number(Source& source) {
  std::u16string text;
  if (source.oneIn(8)) text += source.oneIn(2) ? u'-' : u'+';
  text += digits(source, source.oneIn(20) ? 400 : 3);
  if (!source.oneIn(3)) {
    text += source.oneIn(4) ? u'.' : u',';
    text += digits(source, source.oneIn(10) ? 40 : 17);
  }
  if (source.oneIn(5)) {
    text += source.oneIn(2) ? u'E' : u'e';
    if (!source.oneIn(3)) text += source.oneIn(2) ? u'-' : u'+';
    text += source.oneIn(6) ? digits(source, 12) : digits(source, 3);
  }
  return text;
}

std::u16string decorated(Source& source, std::u16string text) {
  while (source.oneIn(4)) text.insert(0, 1, kBlanks[source.below(kBlanks.size())]);
  while (source.oneIn(4)) text += kBlanks[source.below(kBlanks.size())];
  if (source.oneIn(10)) {
    const std::size_t at = source.below(text.size() + 1);
    text.insert(at, 1, kStray[source.below(kStray.size())]);
  }
  return text;
}

// The first inputs, as angle and as π: the edges of a double, where a reader or a
// writer that rounds once too often shows it.
constexpr std::u16string_view kEdges[] = {
    u"4,9406564584124654E-324",
    u"2,4703282292062327E-324",
    u"2,4703282292062328E-324",
    u"2,2250738585072011e-308",
    u"1E-400",
    u"1,7976931348623157E308",
    u"1,797693134862315807e308",
    u"1,7976931348623159E308",
    u"9007199254740993",
    u"0,1",
    u"359,99999999999999",
    u"1,00000000000000005",
    u"5e-1",
    u"0,000015",
    u"123456789012345678901234567890",
};

std::u16string angleText(Source& source) {
  switch (source.below(4)) {
    case 0: {  // an angle in range, as the program writes numbers
      const double angle = static_cast<double>(source.bits() >> 11) * 0x1p-53 * 360.0;
      return pemdra::writeNumber(angle);
    }
    case 1: {  // a short whole or decimal number, mostly in range
      std::u16string text = digits(source, 3);
      if (source.oneIn(2)) text.append(u",").append(digits(source, 6));
      return text;
    }
    default:
      return decorated(source, number(source));
  }
}

std::u16string piText(Source& source) {
  constexpr std::u16string_view kPi = u"3,14159265358979";
  switch (source.below(3)) {
    case 0:
      return std::u16string(kPi.substr(0, source.below(kPi.size()) + 1));
    case 1:
      return decorated(source, std::u16string(u"3,").append(digits(source, 16)));
    default:
      return decorated(source, number(source));
  }
}

// Code units as ASCII: printable ASCII as is, everything else as \uXXXX.
std::string shown(std::u16string_view text) {
  std::string out;
  for (const char16_t c : text) {
    if (c >= 0x20 && c < 0x7F && c != u'\\') {
      out += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
      out += escape;
    }
  }
  return out;
}

std::string converted(const std::u16string& angle, const std::u16string& pi) {
  pemdra::testing::MemoryControls form;
  form.recording = false;
  form[TextBox::Text1] = angle;
  form.combo = pi;
  try {
    pemdra::CY_Click(form);
  } catch (const pemdra::RuntimeError& error) {
    return "error " + std::to_string(static_cast<int>(error.code())) + " " + error.what();
  }
  std::string lines;
  for (const TextBox box : {TextBox::Text2, TextBox::Text3, TextBox::Text5, TextBox::Text4}) {
    lines += '\t';
    lines += shown(form[box]);
  }
  return lines;
}

std::string written(const std::u16string& text) {
  const auto value = pemdra::readNumber(text);
  return value ? shown(pemdra::writeNumber(*value)) : "-";
}

std::string laidOut(double value) {
  std::string out = shown(pemdra::writeNumber(value));
  for (const char* pattern : {"000", "00", ".0"}) {
    const std::u16string name(pattern, pattern + std::strlen(pattern));
    out += ' ';
    out += shown(pemdra::formatNumber(value, *pemdra::patternFromText(name)));
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: differential COUNT SEED\n");
    return 2;
  }
  const long count = std::strtol(argv[1], nullptr, 10);
  Source source(std::strtoull(argv[2], nullptr, 10));
  for (long i = 0; i < count; ++i) {
    const bool edge = static_cast<std::size_t>(i) < std::size(kEdges);
    const std::u16string angle = edge ? std::u16string(kEdges[i]) : angleText(source);
    const std::u16string pi = edge ? angle : piText(source);
    double random = 0;
    const std::uint64_t bits = source.bits();
    std::memcpy(&random, &bits, sizeof random);
    std::printf("%ld\t%s\t%s%s\t%s\t%s\n", i, shown(angle).c_str(), shown(pi).c_str(),
                converted(angle, pi).c_str(), written(angle).c_str(), laidOut(random).c_str());
  }
  return 0;
}
