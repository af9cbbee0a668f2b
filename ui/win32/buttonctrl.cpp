// SPDX-License-Identifier: MIT
#include "buttonctrl.h"

#include <commctrl.h>
#include <oleacc.h>

namespace pemdra::win32 {

bool ButtonCtrl::create(const CreateArgs& args) {
  return Wnd::create(args, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
}

void ButtonCtrl::dropDefaultFrame() const {
  if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
    SendMessageW(hwnd, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  }
}

void ButtonCtrl::onCommand(WORD notification) {
  if (notification == BN_CLICKED && onClick) onClick();
}

LONG ButtonCtrl::accessibleRole(HWND /*window*/) const { return ROLE_SYSTEM_PUSHBUTTON; }

}  // namespace pemdra::win32
