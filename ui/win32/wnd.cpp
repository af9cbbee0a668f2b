// SPDX-License-Identifier: MIT
#include "wnd.h"

#include <algorithm>
#include <utility>

#include "accessible.h"
#include "win32form.h"

namespace pemdra::win32 {
namespace {

/// Which part each subclassed window belongs to. Kept here rather than in the window's
/// user data or properties: Wine asks its server to set either, and reads properties
/// from it at every message.
std::vector<std::pair<HWND, Wnd*>>& subclassed() {
  static std::vector<std::pair<HWND, Wnd*>> parts;
  return parts;
}

form::Rgb toRgb(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

}  // namespace

Wnd::~Wnd() {
  std::erase_if(subclassed(), [this](const auto& entry) { return entry.second == this; });
  for (const Own& own : m_own) {
    if (IsWindow(own.window) != FALSE) {
      SetWindowLongPtrW(own.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own.proc));
    }
  }
}

bool Wnd::create(const CreateArgs& args, const wchar_t* className, DWORD style, DWORD exStyle,
                 int extraHeight) {
  row = args.row;
  m_dpi = args.dpi;
  const RECT rect = row != nullptr ? controlRect(*row, m_dpi) : RECT{};
  const std::wstring caption = row != nullptr ? widen(row->caption) : std::wstring();
  hwnd = CreateWindowExW(
      exStyle, className, caption.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, rect.left, rect.top,
      rect.right - rect.left, rect.bottom - rect.top + extraHeight, args.parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), args.instance, nullptr);
  if (hwnd != nullptr && args.font != nullptr) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
  }
  return hwnd != nullptr;
}

void Wnd::placeAt(UINT dpi, HFONT font, int extraHeight) {
  m_dpi = dpi;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const RECT rect = controlRect(*row, dpi);
  SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top + extraHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH Wnd::colour(HDC dc, BrushCache& brushes) const {
  if (row == nullptr) return nullptr;
  const int systemText = row->kind == form::ControlKind::Label ? COLOR_BTNTEXT : COLOR_WINDOWTEXT;
  form::Rgb text = row->foreground ? *row->foreground : toRgb(GetSysColor(systemText));
  // A label on the pink in the system's text colour turns black where that would not read.
  if (row->systemTextOnOwnBackground()) text = form::readableText(text, *row->background);
  SetTextColor(dc, toColorRef(text));
  if (!row->background) return nullptr;
  SetBkColor(dc, toColorRef(*row->background));
  return brushes.brush(*row->background);
}

void Wnd::subclass(HWND window) {
  if (window == nullptr || std::ranges::find(m_own, window, &Own::window) != m_own.end()) return;
  subclassed().emplace_back(window, this);
  m_own.push_back({window, reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                               window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc)))});
}

LRESULT Wnd::callOwn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
  const auto own = std::ranges::find(m_own, window, &Own::window);
  return own == m_own.end() ? DefWindowProcW(window, message, wParam, lParam)
                            : CallWindowProcW(own->proc, window, message, wParam, lParam);
}

LRESULT Wnd::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETOBJECT && row != nullptr) {
    if (const LRESULT object = accessibleObject(window, wParam, lParam, widen(row->accessibleName),
                                                accessibleRole(window))) {
      return object;
    }
  }
  return callOwn(window, message, wParam, lParam);
}

LRESULT CALLBACK Wnd::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto& parts = subclassed();
  const auto found = std::ranges::find(parts, window, &std::pair<HWND, Wnd*>::first);
  if (found == parts.end()) return DefWindowProcW(window, message, wParam, lParam);
  Wnd* part = found->second;
  if (message == WM_NCDESTROY) {  // the control's last message: its own procedure takes it back
    parts.erase(found);
    const auto own = std::ranges::find(part->m_own, window, &Own::window);
    if (own == part->m_own.end()) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC proc = own->proc;
    part->m_own.erase(own);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    return CallWindowProcW(proc, window, message, wParam, lParam);
  }
  try {
    return part->onMessage(window, message, wParam, lParam);
  } catch (...) {  // nothing may cross into the Windows API's frames
    return part->callOwn(window, message, wParam, lParam);
  }
}

Wnd* partOf(const Parts& parts, HWND window) {
  if (window == nullptr) return nullptr;
  for (const auto& part : parts) {
    if (part->owns(window)) return part.get();
  }
  return nullptr;
}

std::optional<LRESULT> reflect(const Parts& parts, UINT message, WPARAM wParam, LPARAM lParam,
                               BrushCache& brushes) {
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      if (const Wnd* part = partOf(parts, reinterpret_cast<HWND>(lParam))) {
        if (const HBRUSH brush = part->colour(reinterpret_cast<HDC>(wParam), brushes)) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_COMMAND:
      if (Wnd* part = partOf(parts, reinterpret_cast<HWND>(lParam))) {
        part->onCommand(HIWORD(wParam));
        return 0;
      }
      break;
    case kReflectPosted:
      if (Wnd* part = partOf(parts, reinterpret_cast<HWND>(lParam))) {
        part->onPosted(wParam);
        return 0;
      }
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace pemdra::win32
