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

/// The length of the text on the clipboard, to its end or its first NUL; 0 where there
/// is none.
std::size_t clipboardLength(HWND owner) {
  if (OpenClipboard(owner) == FALSE) return 0;
  std::size_t length = 0;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::size_t most = GlobalSize(data) / sizeof(wchar_t);
      while (length < most && text[length] != L'\0') ++length;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return length;
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
  m_colours = args.colours;
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
  if (row == nullptr || m_colours == nullptr) return nullptr;
  const ControlColours colours = m_colours->control(*row);
  SetTextColor(dc, toColorRef(colours.text));
  if (!colours.background) return nullptr;
  SetBkColor(dc, toColorRef(*colours.background));
  return brushes.brush(*colours.background);
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

bool Wnd::refusesPaste(HWND edit, UINT message, WPARAM wParam) const {
  // Ctrl+V and Shift+Insert are pastes too, which the edit control may make without a
  // WM_PASTE.
  const bool paste = message == WM_PASTE || (message == WM_CHAR && wParam == 0x16) ||
                     (message == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 &&
                      GetKeyState(VK_CONTROL) >= 0);
  if (!paste || (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0) return false;
  const auto limit = static_cast<std::size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto shown = static_cast<std::size_t>(GetWindowTextLengthW(edit));
  // What the paste does not replace.
  const std::size_t kept = shown - std::min<std::size_t>(end - start, shown);
  const std::size_t length = clipboardLength(edit);
  if (kept + length <= limit) return false;
  if (onOverlongPaste) onOverlongPaste(length, limit - std::min(kept, limit));
  return true;
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
