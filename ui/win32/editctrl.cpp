// SPDX-License-Identifier: MIT
#include "editctrl.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>

#include "win32form.h"

namespace pemdra::win32 {

bool EditCtrl::create(const CreateArgs& args) {
  DWORD align = ES_LEFT;
  if (args.row->alignment == form::Alignment::Right) align = ES_RIGHT;
  if (args.row->alignment == form::Alignment::Centre) align = ES_CENTER;
  if (!Wnd::create(args, WC_EDITW, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | align,
                   WS_EX_CLIENTEDGE)) {
    return false;
  }
  SendMessageW(hwnd, EM_SETLIMITTEXT, kTextLimit, 0);
  subclass(hwnd);
  return true;
}

void EditCtrl::onCommand(WORD notification) {
  if (notification == EN_SETFOCUS && onFocus) onFocus();
  // A key typed at the limit is not taken: a warning sound says so.
  if (notification == EN_MAXTEXT) MessageBeep(MB_ICONWARNING);
}

LRESULT EditCtrl::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (refusesPaste(window, message, wParam)) return 0;
  switch (message) {
    case WM_NCPAINT:
      if (GetFocus() == hwnd && m_colours != nullptr && m_colours->focusFrame(*row)) {
        const LRESULT result = callOwn(window, message, wParam, lParam);
        paintFocusFrame();
        return result;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = callOwn(window, message, wParam, lParam);
      RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return result;
    }
    default:
      break;
  }
  return Wnd::onMessage(window, message, wParam, lParam);
}

LONG EditCtrl::accessibleRole(HWND /*window*/) const { return ROLE_SYSTEM_TEXT; }

void EditCtrl::paintFocusFrame() const {
  // In the text colour, over the sunken edge and no wider, so that the box's own
  // drawing never covers a part of it.
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  RECT client{};
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int edge = static_cast<int>(client.left - rect.left);
  OffsetRect(&rect, -rect.left, -rect.top);
  const int width = std::min(scaled(form::kFocusFrameWidth, m_dpi, form::kBaseDpi), edge);
  const HDC dc = GetWindowDC(hwnd);
  const HBRUSH brush = CreateSolidBrush(toColorRef(*m_colours->focusFrame(*row)));
  for (int i = 0; i < width; ++i) {
    FrameRect(dc, &rect, brush);
    InflateRect(&rect, -1, -1);
  }
  DeleteObject(brush);
  ReleaseDC(hwnd, dc);
}

}  // namespace pemdra::win32
