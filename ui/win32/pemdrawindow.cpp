// SPDX-License-Identifier: MIT
#include "pemdrawindow.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <exception>

#include "accessible.h"
#include "buttons.h"
#include "error.h"
#include "formload.h"
#include "win32controls.h"
#include "win32form.h"

namespace pemdra::win32 {
namespace {

constexpr UINT kRestoreTyped = WM_APP + 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
/// What a box takes from the keyboard and the clipboard: the edit control's own
/// default. Wine's edit control lays a line out in a time that grows with the square
/// of its length (a second for 32 767 characters, a minute for 256 K); no angle
/// comes near.
constexpr int kTextLimit = 32767;

// Per-monitor dpi came with Windows 10 (1607); older systems have one dpi for all.
template <typename Function>
Function user32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

UINT windowDpi(HWND hwnd) {
  static const auto getDpiForWindow = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) return getDpiForWindow(hwnd);
  const HDC dc = GetDC(hwnd);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(hwnd, dc);
  return static_cast<UINT>(dpi);
}

std::wstring comboText(HWND combo) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(combo)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(combo, text.data(), static_cast<int>(text.size()))));
  return text;
}

SIZE frameSize(UINT dpi) {
  static const auto adjustForDpi =
      user32Function<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, scaled(form::kClientWidthTwips, dpi), scaled(form::kClientHeightTwips, dpi)};
  if (adjustForDpi != nullptr) {
    adjustForDpi(&rect, kWindowStyle, FALSE, 0, dpi);
  } else {
    AdjustWindowRectEx(&rect, kWindowStyle, FALSE, 0);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

struct ClassOfKind {
  const wchar_t* name;
  DWORD style;
};

ClassOfKind classOf(const form::Control& control) {
  DWORD align = 0;
  switch (control.alignment) {
    case form::Alignment::Right:
      align = ES_RIGHT;
      break;
    case form::Alignment::Centre:
      align = ES_CENTER;
      break;
    case form::Alignment::Left:
    case form::Alignment::TopLeft:
      align = ES_LEFT;
      break;
  }
  switch (control.kind) {
    case form::ControlKind::TextBox:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | align};
    case form::ControlKind::CommandButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON};
    case form::ControlKind::ComboBox:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL};
    case form::ControlKind::Label:
      return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX};
    case form::ControlKind::Line:
      break;
  }
  return {nullptr, 0};
}

LONG accessibleRole(const form::Control& control) {
  switch (control.kind) {
    case form::ControlKind::TextBox:
      return ROLE_SYSTEM_TEXT;
    case form::ControlKind::CommandButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case form::ControlKind::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case form::ControlKind::Label:
      return ROLE_SYSTEM_STATICTEXT;
    case form::ControlKind::Line:
      break;
  }
  return ROLE_SYSTEM_SEPARATOR;
}

form::Rgb toRgb(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

/// The frame a focused text box shows in its text colour, over its sunken edge (and
/// no wider, so that the box's own drawing never covers a part of it).
void paintFocusFrame(HWND box, form::Rgb colour, UINT dpi) {
  RECT rect{};
  GetWindowRect(box, &rect);
  RECT client{};
  GetClientRect(box, &client);
  MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int edge = static_cast<int>(client.left - rect.left);
  OffsetRect(&rect, -rect.left, -rect.top);
  const int width = std::min(MulDiv(form::kFocusFrameWidth, static_cast<int>(dpi), 96), edge);
  const HDC dc = GetWindowDC(box);
  const HBRUSH brush = CreateSolidBrush(toColorRef(colour));
  for (int i = 0; i < width; ++i) {
    FrameRect(dc, &rect, brush);
    InflateRect(&rect, -1, -1);
  }
  DeleteObject(brush);
  ReleaseDC(box, dc);
}

void fitComboField(HWND combo, int height) {
  // The field is its item's height and edges of the system's choosing: the item is
  // set, the field measured, and the item corrected by what is missing or too much.
  auto item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int tries = 0; tries < 3; ++tries) {
    RECT field{};
    GetWindowRect(combo, &field);
    const int missing = height - (field.bottom - field.top);
    if (missing == 0 || item + missing < 1) return;
    item += missing;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  }
}

}  // namespace

PemdraWindow::PemdraWindow(HINSTANCE instance) : m_instance(instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &PemdraWindow::windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, L"IDI_ICON1");
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = brush(form::kFormColour);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);

  m_hwnd = CreateWindowExW(0, kWindowClass, widen(form::kTitle).c_str(),
                           kWindowStyle | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
}

PemdraWindow::~PemdraWindow() {
  if (IsWindow(m_hwnd) != FALSE) DestroyWindow(m_hwnd);
  for (const auto& [key, font] : m_fonts) DeleteObject(font);
  for (const auto& [colour, handle] : m_brushes) DeleteObject(handle);
}

void PemdraWindow::show(int showCommand) {
  const SIZE size = frameSize(m_dpi);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(m_hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  SetWindowPos(m_hwnd, nullptr, work.left + (work.right - work.left - size.cx) / 2,
               work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  fitClientArea();
  ShowWindow(m_hwnd, showCommand);
  UpdateWindow(m_hwnd);
}

void PemdraWindow::fitClientArea() {
  // Where the frame turns out other than computed, the client area still gets its size.
  RECT client{};
  GetClientRect(m_hwnd, &client);
  const int dx = scaled(form::kClientWidthTwips, m_dpi) - client.right;
  const int dy = scaled(form::kClientHeightTwips, m_dpi) - client.bottom;
  if (dx == 0 && dy == 0) return;
  RECT frame{};
  GetWindowRect(m_hwnd, &frame);
  SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PemdraWindow::preTranslate(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
      (message.hwnd == m_hwnd || IsChild(m_hwnd, message.hwnd) != FALSE)) {
    const HWND focus = GetFocus();
    const form::Control* control = controlOfId(GetDlgCtrlID(focus));
    if (control != nullptr && control->kind == form::ControlKind::CommandButton &&
        GetParent(focus) == m_hwnd) {
      SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                   reinterpret_cast<LPARAM>(focus));
      return true;
    }
    // An open π list takes Enter as the pick of its item; nothing else does.
    const HWND combo = m_children.at(static_cast<std::size_t>(controlId(kPiBox) - kFirstControlId));
    if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == FALSE) return true;
  }
  return IsDialogMessageW(m_hwnd, &message) != FALSE;
}

LRESULT CALLBACK PemdraWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<PemdraWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->m_hwnd = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<PemdraWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return self->handle(message, wParam, lParam);
  } catch (...) {
    try {
      self->showError(widen(errorReport(std::current_exception())));
    } catch (...) {  // nothing may cross into the Windows API's frames
    }
    return 0;
  }
}

LRESULT PemdraWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      m_dpi = windowDpi(m_hwnd);
      createControls();
      return 0;
    case WM_DPICHANGED: {
      // Moved to a monitor of another dpi: the same twips, in that monitor's pixels.
      m_dpi = HIWORD(wParam);
      layOut();
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      const SIZE size = frameSize(m_dpi);
      SetWindowPos(m_hwnd, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      fitClientArea();
      return 0;
    }
    case WM_PAINT:
      paint();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      if (HBRUSH colour =
              colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                            message == WM_CTLCOLORLISTBOX)) {
        return reinterpret_cast<LRESULT>(colour);
      }
      break;
    case WM_COMMAND:
      if (controlOfId(LOWORD(wParam)) == form::find(kPiBox)) {
        comboNotified(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
      }
      if (HIWORD(wParam) == EN_SETFOCUS) {
        dropDefaultFrame();
        return 0;
      }
      if (HIWORD(wParam) == EN_MAXTEXT) {  // the rest of a paste past the limit is not taken
        MessageBeep(MB_ICONWARNING);
        return 0;
      }
      if (HIWORD(wParam) == BN_CLICKED) {
        const int row = LOWORD(wParam) - kFirstControlId;
        if (row >= 0 && row < static_cast<int>(m_handlers.size()) &&
            m_handlers.at(static_cast<std::size_t>(row)) != nullptr) {
          dispatch(m_handlers.at(static_cast<std::size_t>(row)));
        }
        return 0;
      }
      break;
    case kRestoreTyped:
      // wParam 1: the list has just opened; 0: it has closed after typing.
      if (wParam != 0 || m_typedInList) {
        m_typedInList = false;
        const HWND combo = GetDlgItem(m_hwnd, controlId(kPiBox));
        if (comboText(combo) != m_typed) {
          SetWindowTextW(combo, m_typed.c_str());
          const auto end = static_cast<WORD>(m_typed.size());
          SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
        }
      }
      return 0;
    case WM_ACTIVATE:
      // A plain window forgets its focused control when it is deactivated.
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); IsChild(m_hwnd, focus) != FALSE) m_focus = focus;
      } else if (m_focus != nullptr) {
        SetFocus(m_focus);
      }
      return 0;
    case WM_SYSCOLORCHANGE:  // the labels' colours are the system's: drawn afresh
      for (const HWND child : m_children) {
        if (child != nullptr) SendMessageW(child, WM_SYSCOLORCHANGE, wParam, lParam);
      }
      RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

void PemdraWindow::subclass(HWND control, std::size_t row) {
  m_subclassed.push_back({control, row, nullptr});
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  m_subclassed.back().own = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PemdraWindow::controlProc)));
}

LRESULT CALLBACK PemdraWindow::controlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<PemdraWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  const auto found = std::ranges::find(window->m_subclassed, hwnd, &Subclassed::control);
  if (found == window->m_subclassed.end()) return DefWindowProcW(hwnd, message, wParam, lParam);
  const WNDPROC own = found->own;
  const auto callOwn = [&] { return CallWindowProcW(own, hwnd, message, wParam, lParam); };
  const form::Control& control = form::controls().at(found->row);
  switch (message) {
    case WM_GETOBJECT: {
      // The π field's edit is named as its box is, as a text.
      const bool inner = hwnd != window->m_children.at(found->row);
      if (const LRESULT object =
              accessibleObject(hwnd, wParam, lParam, widen(control.accessibleName),
                               inner ? ROLE_SYSTEM_TEXT : accessibleRole(control))) {
        return object;
      }
      break;
    }
    case WM_NCPAINT:
      if (control.kind == form::ControlKind::TextBox && GetFocus() == hwnd && control.foreground) {
        const LRESULT result = callOwn();
        paintFocusFrame(hwnd, *control.foreground, window->m_dpi);
        return result;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (control.kind == form::ControlKind::TextBox) {
        const LRESULT result = callOwn();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return result;
      }
      break;
    case WM_NCDESTROY:  // the control's last message: its own procedure takes it back
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
      window->m_subclassed.erase(found);
      return CallWindowProcW(own, hwnd, message, wParam, lParam);
    default:
      break;
  }
  return callOwn();
}

void PemdraWindow::dropDefaultFrame() {
  // A button keeps the default frame that the keyboard gave it when the focus
  // moved on, unless it is taken back: this window has no default button.
  for (const HWND child : m_children) {
    if (child != nullptr &&
        (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
  }
}

void PemdraWindow::comboNotified(HWND combo, WORD notification) {
  // Opening the list, and closing it after typing, would put the first item that
  // starts with the typed text in the field: what was typed is put back.
  switch (notification) {
    case CBN_DROPDOWN:
      m_typed = comboText(combo);
      PostMessageW(m_hwnd, kRestoreTyped, 1, 0);
      break;
    case CBN_EDITUPDATE:
      m_typedInList = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
      if (m_typedInList) m_typed = comboText(combo);
      break;
    case CBN_SELCHANGE:  // an item picked with the arrows or the mouse is the user's choice
      m_typedInList = false;
      break;
    case CBN_CLOSEUP:
      if (m_typedInList) PostMessageW(m_hwnd, kRestoreTyped, 0, 0);
      break;
    case CBN_SETFOCUS:
      dropDefaultFrame();
      break;
    case CBN_KILLFOCUS:  // a picked item's selection does not stay lit once focus moves on
      SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
      break;
    default:
      break;
  }
}

void PemdraWindow::createControls() {
  const auto& controls = form::controls();
  for (std::size_t row = 0; row < controls.size(); ++row) {
    const form::Control& control = controls[row];
    const auto [className, style] = classOf(control);
    if (className == nullptr) continue;  // the line is painted by the form
    const DWORD exStyle = control.kind == form::ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0;
    const std::wstring caption = widen(control.caption);
    const HWND child = CreateWindowExW(
        exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0,
        0, 0, m_hwnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(row))),
        m_instance, nullptr);
    if (child == nullptr) throw std::runtime_error("CreateWindowEx failed");
    m_children.at(row) = child;
    if (control.kind == form::ControlKind::TextBox) {
      SendMessageW(child, EM_SETLIMITTEXT, kTextLimit, 0);
    }
    if (control.kind == form::ControlKind::ComboBox) {
      SendMessageW(child, CB_LIMITTEXT, kTextLimit, 0);
      COMBOBOXINFO parts{};
      parts.cbSize = sizeof parts;
      if (GetComboBoxInfo(child, &parts) != FALSE && parts.hwndItem != nullptr) {
        subclass(parts.hwndItem, row);
      }
    }
    subclass(child, row);
  }
  // Labels lie beneath every other control (Label3 under Combo1's top); the others keep
  // their creation order, which is the tab order.
  for (std::size_t row = 0; row < controls.size(); ++row) {
    if (controls[row].drawnOnForm() && m_children.at(row) != nullptr) {
      SetWindowPos(m_children.at(row), HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  layOut();

  const auto child = [this](std::string_view name) {
    return m_children.at(static_cast<std::size_t>(controlId(name) - kFirstControlId));
  };
  std::array<HWND, kTextBoxCount> textBoxes{};
  for (std::size_t i = 0; i < textBoxes.size(); ++i) {
    textBoxes.at(i) = child(controlName(static_cast<TextBox>(i)));
  }
  m_controls = std::make_unique<Win32Controls>(textBoxes, child(kPiBox));

  for (const Button& button : kButtons) {
    m_handlers.at(static_cast<std::size_t>(controlId(button.name) - kFirstControlId)) =
        button.click;
  }

  dispatch(&Form_Load);
  m_focus = textBoxes[0];
}

void PemdraWindow::layOut() {
  for (const auto& [key, font] : m_fonts) DeleteObject(font);
  m_fonts.clear();
  const HDC dc = GetDC(m_hwnd);
  const std::wstring face = controlFace(dc, m_dpi);
  ReleaseDC(m_hwnd, dc);
  // The table has four fonts among its 24 controls: each is made once.
  const auto fontOf = [this, &face](const form::Control& control) {
    const std::pair<double, bool> key{control.pointSize, control.bold};
    for (const auto& [known, font] : m_fonts) {
      if (known == key) return font;
    }
    return m_fonts.emplace_back(key, createFont(control, m_dpi, face)).second;
  };
  const auto& controls = form::controls();
  for (std::size_t row = 0; row < controls.size(); ++row) {
    const HWND child = m_children.at(row);
    if (child == nullptr) continue;
    const form::Control& control = controls[row];
    const HFONT font = fontOf(control);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const RECT rect = controlRect(control, m_dpi);
    const int height = rect.bottom - rect.top;
    // A drop-down's height holds its list too; the field's height is set apart.
    const int list =
        control.kind == form::ControlKind::ComboBox ? MulDiv(120, static_cast<int>(m_dpi), 96) : 0;
    SetWindowPos(child, nullptr, rect.left, rect.top, rect.right - rect.left, height + list,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (control.kind == form::ControlKind::ComboBox) fitComboField(child, height);
  }
  InvalidateRect(m_hwnd, nullptr, TRUE);
}

void PemdraWindow::paint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(m_hwnd, &paint);
  for (const form::Control& control : form::controls()) {
    if (control.kind != form::ControlKind::Line || !control.background) continue;
    const RECT rect = controlRect(control, m_dpi);
    FillRect(dc, &rect, brush(*control.background));
  }
  EndPaint(m_hwnd, &paint);
}

HBRUSH PemdraWindow::colourControl(HDC dc, HWND child, bool list) {
  // The π field's edit and list belong to the combo box, not to the form.
  const HWND owner = GetParent(child) == m_hwnd ? child : GetParent(child);
  const form::Control* control = list ? form::find(kPiBox) : controlOfId(GetDlgCtrlID(owner));
  if (control == nullptr) return nullptr;
  const int defaultText =
      control->kind == form::ControlKind::Label ? COLOR_BTNTEXT : COLOR_WINDOWTEXT;
  form::Rgb text = control->foreground ? *control->foreground : toRgb(GetSysColor(defaultText));
  // A label on the pink in the system's text colour turns black where that would not read.
  if (!control->foreground && control->background) {
    text = form::readableText(text, *control->background);
  }
  SetTextColor(dc, toColorRef(text));
  if (!control->background) return nullptr;
  SetBkColor(dc, toColorRef(*control->background));
  return brush(*control->background);
}

HBRUSH PemdraWindow::brush(form::Rgb colour) {
  const COLORREF value = toColorRef(colour);
  for (const auto& [known, handle] : m_brushes) {
    if (known == value) return handle;
  }
  return m_brushes.emplace_back(value, CreateSolidBrush(value)).second;
}

void PemdraWindow::dispatch(void (*handler)(Controls&)) {
  const Outcome outcome = run(handler, *m_controls);
  if (!outcome.error.empty()) showError(widen(outcome.error));
}

void PemdraWindow::showError(const std::wstring& message) {
  if (m_reportError) {
    m_reportError(message);
    return;
  }
  MessageBoxW(m_hwnd, message.c_str(), widen(form::kErrorTitle).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace pemdra::win32
