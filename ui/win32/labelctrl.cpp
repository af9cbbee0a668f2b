// SPDX-License-Identifier: MIT
#include "labelctrl.h"

#include <commctrl.h>
#include <oleacc.h>

namespace pemdra::win32 {

bool LabelCtrl::create(const CreateArgs& args) {
  return Wnd::create(args, WC_STATICW, WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX);
}

LONG LabelCtrl::accessibleRole(HWND /*window*/) const { return ROLE_SYSTEM_STATICTEXT; }

}  // namespace pemdra::win32
