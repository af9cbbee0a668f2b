// SPDX-License-Identifier: MIT
// The second floor for pemdra.exe's start-up under Wine: a plain Windows program with
// pemdra's 24 controls, read from the window table, of the same classes and styles, in
// the same fonts and rectangles, and nothing else: no colours, names for screen
// readers, subclassing, limits, π list or face measured against the captions. Built
// as pemdra.exe is, with its manifest (common controls 6, per-monitor dpi).
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "form.h"

namespace {

using pemdra::form::ControlKind;

std::wstring widen(std::string_view utf8) {
  std::wstring text(utf8.size(), L'\0');
  text.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                          static_cast<int>(text.size()))));
  return text;
}

HFONT fontOf(const pemdra::form::Control& control, int dpi, const std::wstring& face) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<int>(std::lround(control.pointSize * dpi / 72.0));
  font.lfWeight = control.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = static_cast<BYTE>(pemdra::form::kGreekCharset);
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

/// The first of the table's faces that Windows has with Greek glyphs.
std::wstring greekFace(HDC dc) {
  std::vector<std::wstring> faces{widen(pemdra::form::kFontFace)};
  for (const std::string_view face : pemdra::form::kFallbackFaces) faces.push_back(widen(face));
  for (const std::wstring& face : faces) {
    const HFONT font = fontOf(pemdra::form::controls().front(), 96, face);
    SelectObject(dc, font);
    std::array<wchar_t, LF_FACESIZE> given{};
    GetTextFaceW(dc, static_cast<int>(given.size()), given.data());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
    if (lstrcmpiW(given.data(), face.c_str()) == 0 && metrics.tmCharSet == GREEK_CHARSET) {
      return face;
    }
  }
  return faces.front();
}

std::pair<const wchar_t*, DWORD> classOf(const pemdra::form::Control& control) {
  const DWORD align = control.alignment == pemdra::form::Alignment::Right    ? ES_RIGHT
                      : control.alignment == pemdra::form::Alignment::Centre ? ES_CENTER
                                                                             : ES_LEFT;
  switch (control.kind) {
    case ControlKind::TextBox:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | align};
    case ControlKind::CommandButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::ComboBox:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL};
    case ControlKind::Label:
      return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX};
    case ControlKind::Line:
      break;
  }
  return {nullptr, 0};
}

void createControls(HWND window, HINSTANCE instance) {
  const HDC dc = GetDC(window);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  const std::wstring face = greekFace(dc);
  ReleaseDC(window, dc);
  // The labels last, beneath the others, as pemdra lays them.
  for (const bool labels : {false, true}) {
    for (const pemdra::form::Control& control : pemdra::form::controls()) {
      const auto [className, style] = classOf(control);
      if (className == nullptr || (control.kind == ControlKind::Label) != labels) continue;
      const pemdra::form::PixelRect rect = control.pixels(dpi);
      const int list = control.kind == ControlKind::ComboBox ? MulDiv(120, dpi, 96) : 0;
      const HWND child = CreateWindowExW(
          control.kind == ControlKind::TextBox ? WS_EX_CLIENTEDGE : 0, className,
          widen(control.caption).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
          rect.left, rect.top, rect.width, rect.height + list, window, nullptr, instance, nullptr);
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(control, dpi, face)), FALSE);
    }
  }
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"controls_window";
  RegisterClassExW(&windowClass);

  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  RECT rect{0, 0, pemdra::form::pixelsAt(dpi, pemdra::form::kClientWidthTwips),
            pemdra::form::pixelsAt(dpi, pemdra::form::kClientHeightTwips)};
  AdjustWindowRectEx(&rect, style, FALSE, 0);
  const HWND window = CreateWindowExW(0, L"controls_window", L"controls", style | WS_CLIPCHILDREN,
                                      CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                                      rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
  createControls(window, instance);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message) != FALSE) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
