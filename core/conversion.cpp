// SPDX-License-Identifier: MIT
#include "conversion.h"

#include <cstdint>
#include <utility>

#include "error.h"
#include "value.h"

namespace pemdra {
namespace {

// The units' texts, glosses and spacing included, are the lines users have always read
// (docs/behaviour.md): "(squadron)" and "(degrees)" are the program's own glosses, and the
// two radian units differ by a blank on purpose.
constexpr std::u16string_view kDegreesUnit = u"'' μοίρες / (squadron)";
constexpr std::u16string_view kPiRadiansUnit = u"  π ακτίνια/ (rad)";
constexpr std::u16string_view kRadiansUnit = u" ακτίνια / (rad)";
constexpr std::u16string_view kGradsUnit = u" βαθμοί / (degrees)";

Value constant(std::int16_t number) { return number; }

}  // namespace

void CY_Click(Controls& form) {
  // Text1 is read afresh at every step, as the handler has always done; the
  // first test writes "error" but does not end the handler, the second does. A
  // non-number leaves the other result boxes as they were (docs/behaviour.md). The
  // bounds are compared on the double the text reads as, not on the text.
  if (!IsNumeric(form.text(TextBox::Text1)).isTrue()) {
    form.setText(TextBox::Text2, kNotNumberError);
  }
  if (!IsNumeric(form.text(TextBox::Text1)).isTrue()) return;

  const bool notBelow = toDouble(form.text(TextBox::Text1)) >= 0.0;
  const bool notAbove = toDouble(form.text(TextBox::Text1)) <= 360.0;
  if (notBelow && notAbove) {
    ConvertAngle(form);
    return;
  }
  // By number, not by place on screen: the check's own order of writes.
  for (const TextBox box : {TextBox::Text2, TextBox::Text3, TextBox::Text4, TextBox::Text5}) {
    form.setText(box, kRangeError);
  }
}

void ConvertAngle(Controls& form) {
  const Value x = form.text(TextBox::Text1);

  // Degrees, minutes, seconds: plain double arithmetic with no rounding of its
  // own, so 12,5125 gives 44 seconds and 0,99999999999975 of a second, which the
  // tenths then show as 1,0 (docs/behaviour.md).
  const Value D = Int(x);
  const Value F = multiply(subtract(x, D), constant(3600));
  const Value Mt = divide(F, constant(60));
  const Value M = Int(Mt);
  const Value S = subtract(F, multiply(M, constant(60)));
  const Value Si = Int(S);
  const Value Sf = subtract(S, Si);

  std::u16string dms = Format(Str(D), u"000");
  dms.reserve(64);
  dms = concat(std::move(dms), u"° ");
  dms = concat(std::move(dms), Format(Str(M), u"00"));
  dms = concat(std::move(dms), u"' ");
  dms = concat(std::move(dms), Format(Str(Si), u"00"));
  dms = concat(std::move(dms), u"''");
  dms = concat(std::move(dms), u"+");
  dms = concat(std::move(dms), Format(Str(Sf), u".0"));
  dms = concat(std::move(dms), kDegreesUnit);
  form.setText(TextBox::Text2, dms);

  const Value R = divide(x, constant(180));
  form.setText(TextBox::Text3, concat(Str(R), kPiRadiansUnit));

  // The π text is the user's: a list item or anything typed. One that is no
  // usable number (or whose product overflows) gets the error text in its own
  // box; the grads line below is still written, so no stale result stays beside
  // fresh ones.
  if (compareText(form.comboText(), u"") != 0) {
    std::u16string radians;
    try {
      radians = concat(Str(multiply(R, form.comboText())), kRadiansUnit);
    } catch (const RuntimeError& error) {
      if (error.code() != ErrorCode::TypeMismatch && error.code() != ErrorCode::Overflow) throw;
      radians = kRangeError;
    }
    form.setText(TextBox::Text5, radians);
  } else {
    form.setText(TextBox::Text5, u"");
  }

  const Value G = divide(multiply(x, constant(400)), constant(360));
  form.setText(TextBox::Text4, concat(Str(G), kGradsUnit));
}

}  // namespace pemdra
