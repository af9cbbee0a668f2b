// SPDX-License-Identifier: MIT
#include "pemdrawindow.h"

#include <algorithm>
#include <array>
#include <exception>
#include <stdexcept>
#include <string>

#include "buttons.h"
#include "dpi.h"
#include "editctrl.h"
#include "error.h"
#include "formload.h"
#include "labelctrl.h"
#include "win32controls.h"
#include "win32form.h"

namespace pemdra::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
/// Posted once the window is first painted, for what that paint does not need.
constexpr UINT kFinishSetUp = WM_APP + 2;
/// The results region's id, past the table's.
constexpr int kResultsId = kFirstControlId + static_cast<int>(form::kControlCount);

}  // namespace

PemdraWindow::PemdraWindow(HINSTANCE instance) : m_instance(instance) {
  registerWindowClass(instance, &PemdraWindow::windowProc, m_brushes.brush(m_colours.form()));
  // Made where it will be shown, so that showing it moves nothing where the system's dpi
  // is its monitor's.
  const RECT frame =
      centredFrame(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), kWindowStyle, systemDpi());
  m_hwnd =
      CreateWindowExW(0, kWindowClass, widen(form::kTitle).c_str(), kWindowStyle | WS_CLIPCHILDREN,
                      frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                      nullptr, nullptr, instance, this);
}

PemdraWindow::~PemdraWindow() {
  if (IsWindow(m_hwnd) != FALSE) DestroyWindow(m_hwnd);
  // The class goes with the window, and with it the brush it paints with.
  UnregisterClassW(kWindowClass, m_instance);
}

void PemdraWindow::show(int showCommand) {
  placeCentred(m_hwnd, kWindowStyle, m_dpi);
  ShowWindow(m_hwnd, showCommand);
  UpdateWindow(m_hwnd);
  PostMessageW(m_hwnd, kFinishSetUp, 0, 0);
}

bool PemdraWindow::preTranslate(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
      (message.hwnd == m_hwnd || IsChild(m_hwnd, message.hwnd) != FALSE)) {
    const HWND focus = GetFocus();
    if (std::ranges::find(m_buttons, focus, &ButtonCtrl::hwnd) != m_buttons.end()) {
      SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                   reinterpret_cast<LPARAM>(focus));
      return true;
    }
    // An open π list takes Enter as the pick of its item; nothing else does.
    if (m_pi == nullptr || !m_pi->listOpen()) return true;
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
    // A window that could not build its controls is not made.
    return message == WM_CREATE ? -1 : 0;
  }
}

LRESULT PemdraWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto reflected = reflect(m_parts, message, wParam, lParam, m_brushes)) {
    return *reflected;
  }
  switch (message) {
    case WM_CREATE:
      m_dpi = windowDpi(m_hwnd);
      build();
      return 0;
    case WM_DPICHANGED:  // moved to a monitor of another dpi: the same twips in its pixels
      changeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_PAINT:
      paint();
      return 0;
    case kFinishSetUp:
      for (const auto& part : m_parts) part->nameForScreenReaders();
      makeResultsRegion();
      return 0;
    case WM_ACTIVATE:
      // A plain window forgets its focused control when it is deactivated.
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); IsChild(m_hwnd, focus) != FALSE) m_focus = focus;
      } else if (m_focus != nullptr) {
        SetFocus(m_focus);
      }
      return 0;
    case WM_CTLCOLORSTATIC:  // the results region's pixel, in the form's colour
      if (reinterpret_cast<HWND>(lParam) == m_results.hwnd) {
        const form::Rgb colour = m_colours.form();
        SetBkColor(reinterpret_cast<HDC>(wParam), toColorRef(colour));
        return reinterpret_cast<LRESULT>(m_brushes.brush(colour));
      }
      break;
    case WM_SYSCOLORCHANGE:  // the system's colours, which the controls draw with too
      for (const auto& part : m_parts) SendMessageW(part->hwnd, message, wParam, lParam);
      followColours();
      return 0;
    case WM_SETTINGCHANGE:  // high contrast on or off among them
      followColours();
      return DefWindowProcW(m_hwnd, message, wParam, lParam);
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

template <typename Part>
Part& PemdraWindow::add(const form::Control& row) {
  auto part = std::make_unique<Part>();
  if (!part->create(
          {m_instance, m_hwnd, &row, controlId(row.name), m_dpi, m_fonts.font(row), &m_colours})) {
    throw std::runtime_error("CreateWindowEx failed");
  }
  part->onOverlongPaste = [this](std::size_t length, std::size_t room) {
    refusePaste(length, room);
  };
  m_parts.push_back(std::move(part));
  return static_cast<Part&>(*m_parts.back());
}

void PemdraWindow::build() {
  m_fonts = FontCache(m_hwnd, m_dpi);
  // Each control once, at its place in its font: the ones Tab walks in its order (a
  // dialog's tab order is its children's order), then the labels, beneath every other
  // control (Label3 under Combo1's top). The line is painted by the form.
  for (const form::Control* row : form::tabOrder()) {
    switch (row->kind) {
      case form::ControlKind::TextBox:
        add<EditCtrl>(*row).onFocus = [this] { dropDefaultFrames(); };
        break;
      case form::ControlKind::CommandButton: {
        auto& button = add<ButtonCtrl>(*row);
        if (const Button* bound = findButton(row->name)) {
          button.onClick = [this, bound] {
            if (m_controls) present(click(*bound, *m_controls));
          };
        }
        m_buttons.push_back(&button);
        break;
      }
      case form::ControlKind::ComboBox:
        m_pi = &add<PiDropDown>(*row);
        m_pi->onFocus = [this] { dropDefaultFrames(); };
        break;
      case form::ControlKind::Label:
      case form::ControlKind::Line:
        break;
    }
  }
  for (const form::Control& row : form::controls()) {
    if (row.kind == form::ControlKind::Label) add<LabelCtrl>(row);
  }
  std::array<HWND, kTextBoxCount> textBoxes{};
  for (std::size_t i = 0; i < textBoxes.size(); ++i) {
    textBoxes.at(i) = child(controlName(static_cast<TextBox>(i)));
  }
  m_controls = std::make_unique<Win32Controls>(textBoxes, child(kPiBox));
  dispatch(&Form_Load);
  m_focus = textBoxes[0];
}

HWND PemdraWindow::child(std::string_view name) const {
  for (const auto& part : m_parts) {
    if (part->row->name == name) return part->hwnd;
  }
  return nullptr;
}

void PemdraWindow::dropDefaultFrames() const {
  for (const ButtonCtrl* button : m_buttons) button->dropDefaultFrame();
}

void PemdraWindow::changeDpi(UINT dpi, const RECT& suggested) {
  m_dpi = dpi;
  FontCache fonts(m_hwnd, dpi);
  for (const auto& part : m_parts) part->place(dpi, fonts.font(*part->row));
  m_fonts = std::move(fonts);  // the old fonts go once no control shows them
  InvalidateRect(m_hwnd, nullptr, TRUE);
  const SIZE size = frameSize(kWindowStyle, dpi);
  SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  fitClientArea(m_hwnd, dpi);
}

void PemdraWindow::setColourSource(std::function<ColourScheme()> source) {
  m_colourSource = std::move(source);
  followColours();
}

void PemdraWindow::followColours() {
  m_colours = m_colourSource();
  if (m_hwnd == nullptr) return;
  SetClassLongPtrW(m_hwnd, GCLP_HBRBACKGROUND,
                   reinterpret_cast<LONG_PTR>(m_brushes.brush(m_colours.form())));
  RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void PemdraWindow::refusePaste(std::size_t length, std::size_t room) const {
  // Nothing of it is kept: a part would convert as another number. The box sounds
  // the warning, and says why.
  const std::wstring text =
      widen("Η επικόλληση δεν έγινε: το κείμενο έχει " + std::to_string(length) +
            " χαρακτήρες και το πλαίσιο χωράει " + std::to_string(room) + ".");
  MessageBoxW(m_hwnd, text.c_str(), widen(form::kTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void PemdraWindow::paint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(m_hwnd, &paint);
  for (const form::Control& control : form::controls()) {
    if (control.kind != form::ControlKind::Line || !control.background) continue;
    const RECT rect = controlRect(control, m_dpi);
    FillRect(dc, &rect, m_brushes.brush(m_colours.line(control)));
  }
  EndPaint(m_hwnd, &paint);
}

void PemdraWindow::dispatch(Handler* handler) {
  if (!m_controls) return;  // the controls were not made: nothing to run over
  present(run(handler, *m_controls));
}

void PemdraWindow::present(const Outcome& outcome) {
  if (!outcome.announcement.empty()) {
    makeResultsRegion();
    m_results.announce(outcome.announcement);
  }
  if (!outcome.error.empty()) showError(widen(outcome.error));
}

void PemdraWindow::makeResultsRegion() {
  if (m_results.hwnd == nullptr) {
    m_results.create({m_instance, m_hwnd, nullptr, kResultsId, m_dpi, nullptr, &m_colours});
  }
}

void PemdraWindow::showError(const std::wstring& message) {
  if (m_reportError) {
    m_reportError(message);
    return;
  }
  MessageBoxW(m_hwnd, message.c_str(), widen(form::kErrorTitle).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace pemdra::win32
