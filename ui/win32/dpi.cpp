// SPDX-License-Identifier: MIT
#include "dpi.h"

namespace pemdra::win32 {
namespace {

// Per-monitor dpi came with Windows 10 (1607); older systems have one dpi for all.
template <typename Function>
Function user32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

UINT windowDpi(HWND hwnd) {
  static const auto getDpiForWindow = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) return getDpiForWindow(hwnd);
  const HDC dc = GetDC(hwnd);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(hwnd, dc);
  return static_cast<UINT>(dpi);
}

UINT systemDpi() {
  static const auto getDpiForSystem = user32Function<UINT(WINAPI*)()>("GetDpiForSystem");
  if (getDpiForSystem != nullptr) return getDpiForSystem();
  return windowDpi(nullptr);
}

SIZE frameSize(DWORD style, UINT dpi) {
  static const auto adjustForDpi =
      user32Function<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, scaled(form::kClientWidthTwips, dpi), scaled(form::kClientHeightTwips, dpi)};
  if (adjustForDpi != nullptr) {
    adjustForDpi(&rect, style, FALSE, 0, dpi);
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, 0);
  }
  return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT centredFrame(HMONITOR monitor, DWORD style, UINT dpi) {
  const SIZE size = frameSize(style, dpi);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT& work = info.rcWork;
  const LONG left = work.left + (work.right - work.left - size.cx) / 2;
  const LONG top = work.top + (work.bottom - work.top - size.cy) / 2;
  return {left, top, left + size.cx, top + size.cy};
}

void placeCentred(HWND hwnd, DWORD style, UINT dpi) {
  const RECT frame = centredFrame(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), style, dpi);
  RECT now{};
  GetWindowRect(hwnd, &now);
  if (EqualRect(&now, &frame) == FALSE) {
    SetWindowPos(hwnd, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  fitClientArea(hwnd, dpi);
}

void fitClientArea(HWND hwnd, UINT dpi) {
  RECT client{};
  GetClientRect(hwnd, &client);
  const int dx = scaled(form::kClientWidthTwips, dpi) - client.right;
  const int dy = scaled(form::kClientHeightTwips, dpi) - client.bottom;
  if (dx == 0 && dy == 0) return;
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left + dx, frame.bottom - frame.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace pemdra::win32
