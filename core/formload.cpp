// SPDX-License-Identifier: MIT
#include "formload.h"

namespace pemdra {

void Form_Load(Controls& form) {
  for (const std::u16string_view pi : kPiChoices) form.addComboItem(pi);
}

}  // namespace pemdra
