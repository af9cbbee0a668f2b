// SPDX-License-Identifier: MIT
#pragma once

// The parts the window is built of. Each is a thin struct over the HWND of one control
// of the table, made by its own create() from CreateArgs at its final place, in its
// font, with callbacks (onClick, onFocus) for what the user does with it. The window
// reflects to the part the messages Windows sends the window about the control
// (WM_COMMAND, WM_CTLCOLOR*); a part that must see its control's own messages (a text
// box's focus frame, the names screen readers ask for) subclasses it.

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "colours.h"
#include "form.h"
#include "gdicache.h"

namespace pemdra::win32 {

/// Posted by a part to the window, which reflects it to the part (onPosted) once the
/// queue reaches it: wParam is the part's own, lParam the part's HWND.
inline constexpr UINT kReflectPosted = WM_APP + 1;

/// What a box takes from the keyboard and the clipboard: the edit control's own default
/// (Wine's is 30 000). Wine's edit control lays a line out in a time that grows with the
/// square of its length (a second for 32 767 characters, a minute for 256 K), so a longer
/// paste is refused whole rather than cut (refusesPaste); no angle comes near.
inline constexpr int kTextLimit = 32767;

struct Wnd {
  struct CreateArgs {
    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
    const form::Control* row = nullptr;  ///< nullptr: a part the table does not give
    int id = 0;
    UINT dpi = form::kBaseDpi;
    HFONT font = nullptr;
    const ColourScheme* colours = nullptr;  ///< the window's, followed as it changes
  };

  HWND hwnd = nullptr;
  const form::Control* row = nullptr;

  Wnd() = default;
  virtual ~Wnd();
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;
  Wnd(Wnd&&) = delete;
  Wnd& operator=(Wnd&&) = delete;

  /// Whether `window` is this part's control or one of its own windows.
  virtual bool owns(HWND window) const { return window == hwnd; }
  /// A notification of WM_COMMAND about the control, reflected.
  virtual void onCommand(WORD /*notification*/) {}
  /// A kReflectPosted of the part's, reflected.
  virtual void onPosted(WPARAM /*argument*/) {}
  /// The control at another dpi, in that dpi's font.
  virtual void place(UINT dpi, HFONT font) { placeAt(dpi, font, 0); }
  /// Subclasses what has not been, so that screen readers get the table's names and
  /// roles; not needed for the first paint, so done after it.
  virtual void nameForScreenReaders() { subclass(hwnd); }

  /// A paste of `length` characters refused whole, since only `room` more fit (the rest
  /// would be cut, and the box converted as another number).
  std::function<void(std::size_t length, std::size_t room)> onOverlongPaste;

  /// A WM_CTLCOLOR* about the control, reflected: sets its text colour on `dc` and gives
  /// the brush of its background (nullptr: the system's).
  HBRUSH colour(HDC dc, BrushCache& brushes) const;

 protected:
  /// Creates the control at its row's rectangle (`extraHeight` pixels taller), with the
  /// row's caption, in the given font; false when Windows refuses.
  bool create(const CreateArgs& args, const wchar_t* className, DWORD style, DWORD exStyle = 0,
              int extraHeight = 0);
  void placeAt(UINT dpi, HFONT font, int extraHeight);
  /// Whether the message is a paste into `edit` that does not fit whole: then it is
  /// not passed on, and onOverlongPaste is told.
  bool refusesPaste(HWND edit, UINT message, WPARAM wParam) const;
  /// Passes `window`'s messages through onMessage first; once per window.
  void subclass(HWND window);
  /// A message of a subclassed window: by default, its name for screen readers
  /// answered (WM_GETOBJECT), all else the control's own.
  virtual LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  /// The role screen readers get for `window`, the control or one of its own.
  virtual LONG accessibleRole(HWND window) const = 0;
  /// The control's own procedure for `window`.
  LRESULT callOwn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

  UINT m_dpi = form::kBaseDpi;
  const ColourScheme* m_colours = nullptr;

 private:
  static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  struct Own {
    HWND window;
    WNDPROC proc;
  };
  std::vector<Own> m_own;
};

/// The window's parts, a control each.
using Parts = std::vector<std::unique_ptr<Wnd>>;

/// The part that owns `window`, or nullptr.
Wnd* partOf(const Parts& parts, HWND window);

/// A message the window got about a control (WM_COMMAND, WM_CTLCOLOR*, kReflectPosted)
/// reflected to the part that owns the control: what the window answers, or nothing
/// where no part took it.
std::optional<LRESULT> reflect(const Parts& parts, UINT message, WPARAM wParam, LPARAM lParam,
                               BrushCache& brushes);

}  // namespace pemdra::win32
